// A seam between the platform's semantics and what carries them out: the implementation
// of an interface in use, the platform's own until a test installs another in its place.
#pragma once
#include <atomic>

namespace platform {

template <class Interface, class Own>
class Seam {
public:
    static Interface& Current()
    {
        Interface* installed = s_installed.load(std::memory_order_acquire);
        return installed ? *installed : Platform();
    }
    // The platform's own, whatever is installed: for a replacement that passes calls on to it.
    static Interface& Platform()
    {
        static Own own;
        return own;
    }
    // nullptr goes back to the platform's own.
    static void Install(Interface* replacement) { s_installed.store(replacement, std::memory_order_release); }

private:
    static inline std::atomic<Interface*> s_installed{nullptr};
};

} // namespace platform
