// Reference counting and QueryInterface for objects that offer one interface besides IUnknown.
#pragma once
#include "base/LiveCount.h"

#include <unknwn.h>

#include <atomic>

namespace platform {

template <class Interface, const IID& InterfaceId>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == InterfaceId) {
            *ppv = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // Hands out a new object as the interface asked for; without that interface the object goes.
    static HRESULT Create(ComObject* object, REFIID riid, void** ppv)
    {
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }

protected:
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace platform
