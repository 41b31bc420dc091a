// The IUnknown part of the stand-in's objects: one interface, counted references.
#pragma once
#include <unknwn.h>

#include <atomic>

namespace platform::dsound {

template <typename Interface, const IID& kIid>
class ComObject : public Interface {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == kIid) {
            AddRef();
            *ppv = static_cast<Interface*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }

    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }

    STDMETHOD_(ULONG, Release)() override
    {
        ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace platform::dsound
