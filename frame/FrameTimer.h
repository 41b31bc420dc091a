// The frame's clock: seconds from the high-resolution counter, or from the
// millisecond time where the machine has no counter.
#pragma once

enum FrameTimerCommand {
    FT_RESET = 0,
    FT_START = 1,
    FT_STOP = 2,
    FT_ADVANCE = 3,
    FT_ABSOLUTE_TIME = 4,
    FT_APP_TIME = 5,
    FT_ELAPSED_TIME = 6,
};

float FrameTimer(FrameTimerCommand command);
