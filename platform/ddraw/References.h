// References the DirectDraw objects hold to each other and hand out.
#pragma once
#include <ddraw.h>

namespace platform::ddraw {

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
