// Reference counting shared by the DirectDraw objects: one count per object, whichever
// of its interfaces is addressed; the object deletes itself when it reaches zero.
#pragma once
#include <ddraw.h>

namespace platform::ddraw {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    ULONG m_refs = 1;
};

// QueryInterface's answer for an interface the object has: it, with a new reference.
template <class Interface, class Object>
HRESULT Hand(Object* object, void** out)
{
    *out = static_cast<Interface*>(object);
    object->AddRef();
    return S_OK;
}

// QueryInterface of an object with one interface, whose id is `iid`.
template <class Interface, class Object>
HRESULT QueryOne(Object* object, REFIID riid, REFIID iid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == iid)
        return Hand<Interface>(object, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// Holds `object` in `slot` (a reference taken), letting go of what the slot held.
template <class T>
void Hold(T*& slot, T* object)
{
    if (object)
        object->AddRef();
    if (slot)
        slot->Release();
    slot = object;
}

// Hands out what `held` holds with a new reference, or `none` when it is empty.
template <class T, class Interface>
HRESULT HandOut(T* held, Interface** out, HRESULT none)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = held;
    if (!held)
        return none;
    held->AddRef();
    return DD_OK;
}

} // namespace platform::ddraw
