#include "ddraw/Driver.h"

#include "base/Seam.h"

namespace platform::ddraw {
namespace {

// Memory is the process's: there is always room for one more.
class SoftwareDriver final : public Driver {
public:
    HRESULT Reserve(ObjectKind) override { return DD_OK; }
    bool HasVideoMemory() override { return true; }
};

} // namespace

Driver& CurrentDriver() { return Seam<Driver, SoftwareDriver>::Current(); }

void InstallDriver(Driver* driver) { Seam<Driver, SoftwareDriver>::Install(driver); }

} // namespace platform::ddraw
