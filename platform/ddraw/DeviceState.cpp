#include "ddraw/DeviceState.h"

namespace platform::ddraw {

HRESULT PendingFailures::Take()
{
    if (count <= 0)
        return DD_OK;
    --count;
    return error;
}

DeviceState& State()
{
    static DeviceState state;
    return state;
}

} // namespace platform::ddraw
