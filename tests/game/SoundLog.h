// Which of the sound bank's effects the game plays: while a log lives, every buffer of
// the bank is a recorder that notes the effect's name at each Play and never sounds, so
// that even the shortest effect is seen, however long the test takes to look.
#pragma once
#include "sound/DSound.h"

#include <memory>
#include <string>
#include <vector>

namespace gametest {

class SoundLog {
public:
    explicit SoundLog(DSound* pBank);
    // The bank gets its own buffers back.
    ~SoundLog();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    // The effects played since the last call, in order.
    std::vector<std::string> Take();

private:
    struct Swap;
    DSound* m_pBank;
    std::vector<std::unique_ptr<Swap>> m_swaps;
    std::shared_ptr<std::vector<std::string>> m_played;
};

} // namespace gametest
