// How many objects of a kind exist now: made and not yet destroyed. Leak checks read it.
#pragma once
#include <atomic>

namespace platform {

template <class Kind>
class LiveCount {
public:
    LiveCount() { ++s_count; }
    LiveCount(const LiveCount&) = delete;
    LiveCount& operator=(const LiveCount&) = delete;
    ~LiveCount() { --s_count; }
    static int Count() { return s_count; }

private:
    static inline std::atomic<int> s_count{0};
};

} // namespace platform
