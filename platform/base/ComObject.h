// The IUnknown part of every COM object of the stand-in: one reference count per object,
// whichever of its interfaces is addressed, atomic because an object may be let go on
// another thread than the one that made it; the object deletes itself at zero. Each
// class's live objects are counted (LiveCount) for the leak checks.
#pragma once
#include "base/Fence.h"
#include "base/LiveCount.h"

#include <unknwn.h>
#include <winerror.h>

#include <atomic>
#include <new>

namespace platform {

// Self: the class; Iid: the id of its first interface; then the interfaces it offers.
template <class Self, const IID& Iid, class Interface, class... More>
class ComObject : public Interface, public More..., public LiveCount<Self> {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // IUnknown and the first interface; a class with more answers for them itself.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == Iid)
            return Hand<Interface>(ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // Hands out a new object (null: E_OUTOFMEMORY) as the interface asked for; without that
    // interface the object goes again.
    static HRESULT Create(Self* object, REFIID riid, void** ppv)
    {
        if (!object)
            return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // QueryInterface's answer for an interface the object has: it, with a new reference.
    template <class Offered>
    HRESULT Hand(void** out)
    {
        *out = static_cast<Offered*>(static_cast<Self*>(this));
        AddRef();
        return S_OK;
    }

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace platform
