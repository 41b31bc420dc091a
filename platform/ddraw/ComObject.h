// Reference counting shared by the DirectDraw objects: one count per object, whichever
// of its interfaces is addressed; the object deletes itself when it reaches zero.
#pragma once
#include <unknwn.h>

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

} // namespace platform::ddraw
