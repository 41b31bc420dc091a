// libFuzzer entry: any bytes as a WAV resource image of exactly that size.
#include "ExerciseParseWave.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    // ParseWave hands out pointers into the image, so it takes it writable; libFuzzer's
    // input is not ours to write, and the walk never writes, so a cast is enough.
    BOOL bAll = FALSE;
    if (const char* problem = ExerciseParseWave(const_cast<uint8_t*>(data), (uint32_t)size, &bAll)) {
        std::fprintf(stderr, "ParseWave: %s\n", problem);
        std::abort();
    }
    return 0;
}
