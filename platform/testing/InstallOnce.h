// A test implementation of a seam, made once around the implementation in use and
// installed in its place for the rest of the process (it is never destroyed, so nothing
// that runs late finds it gone).
#pragma once

namespace platform::testing {

template <class Wrapper, class Interface>
Wrapper& InstallOnce(Interface& (*current)(), void (*install)(Interface*))
{
    static Wrapper* wrapper = [&] {
        auto* made = new Wrapper(current());
        install(made);
        return made;
    }();
    return *wrapper;
}

} // namespace platform::testing
