// The global operator new of this test: set to fail, the Nth allocation of this thread from
// then on throws std::bad_alloc (or gives null, for the nothrow forms); one only.
#pragma once

namespace oom {

void FailAllocation(long n);
// Disarms; true when an allocation was failed since FailAllocation.
bool Disarm();

} // namespace oom
