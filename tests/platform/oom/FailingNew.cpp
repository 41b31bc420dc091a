#include "FailingNew.h"

#include <dlfcn.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

thread_local long t_countdown = 0; // 0: disarmed
thread_local bool t_failed = false;

// Qt cannot take apart what it failed to make (it crashes in its destructors), so its own
// allocations are neither counted nor failed: the platform's code around it is.
bool FromQt(void* caller)
{
    Dl_info info;
    return dladdr(caller, &info) && info.dli_fname && std::strstr(info.dli_fname, "libQt6");
}

bool FailNow(void* caller)
{
    if (t_countdown == 0 || FromQt(caller) || --t_countdown != 0)
        return false;
    t_failed = true;
    return true;
}

void* Allocate(void* caller, std::size_t size, std::size_t alignment, bool nothrow)
{
    void* p = nullptr;
    if (!FailNow(caller)) {
        size = size ? size : 1;
        p = alignment > alignof(std::max_align_t) ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                                                  : std::malloc(size);
    }
    if (!p && !nothrow)
        throw std::bad_alloc();
    return p;
}

} // namespace

namespace oom {

void FailAllocation(long n)
{
    t_failed = false;
    t_countdown = n;
}

bool Disarm()
{
    t_countdown = 0;
    return t_failed;
}

} // namespace oom

void* operator new(std::size_t n) { return Allocate(__builtin_return_address(0), n, 0, false); }
void* operator new[](std::size_t n) { return Allocate(__builtin_return_address(0), n, 0, false); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(__builtin_return_address(0), n, 0, true); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(__builtin_return_address(0), n, 0, true); }
void* operator new(std::size_t n, std::align_val_t a) { return Allocate(__builtin_return_address(0), n, static_cast<std::size_t>(a), false); }
void* operator new[](std::size_t n, std::align_val_t a) { return Allocate(__builtin_return_address(0), n, static_cast<std::size_t>(a), false); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return Allocate(__builtin_return_address(0), n, static_cast<std::size_t>(a), true);
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return Allocate(__builtin_return_address(0), n, static_cast<std::size_t>(a), true);
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
