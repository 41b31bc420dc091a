#include "testing/MusicTesting.h"

#include "dmusic/Loader.h"
#include "dmusic/Performance.h"
#include "dmusic/Segment.h"

namespace platform::testing {

LiveMusicObjects GetLiveMusicObjects()
{
    return {LiveCount<Loader>::Count(), LiveCount<Performance>::Count(), LiveCount<Segment>::Count()};
}

} // namespace platform::testing
