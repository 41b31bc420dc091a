// A user at the screen who answers the message boxes the toolkit shows.
#pragma once

namespace platform::testing {

// The box the toolkit opened last is answered with its default button once it is the active
// window and the platform has taken in the activation, as a person reads a box before
// pressing Enter; a box that never becomes active is answered after two seconds.
void AnswerNewestBoxWhenActive();

} // namespace platform::testing
