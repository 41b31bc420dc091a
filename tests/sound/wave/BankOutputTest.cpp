// What the sound bank puts out when it is made: its start-up sound, once.
#include "WaveOutputFile.h"
#include "sound/DSound.h"
#include "support/PlainWindow.h"
#include "support/SoundBuffers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

using namespace testsupport;

namespace {

// The first sample louder than the threshold, or the count when there is none.
size_t FirstLoud(const std::vector<double>& samples, double threshold)
{
    auto it = std::find_if(samples.begin(), samples.end(), [&](double s) { return std::fabs(s) > threshold; });
    return static_cast<size_t>(it - samples.begin());
}

double Energy(const std::vector<double>& samples)
{
    double sum = 0;
    for (double s : samples)
        sum += s * s;
    return sum;
}

// What is left of the output once the expected sound, starting at `lag`, is taken away.
double ResidualEnergy(const std::vector<double>& out, const std::vector<double>& expected, size_t lag)
{
    double sum = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double e = i >= lag && i - lag < expected.size() ? expected[i - lag] : 0.0;
        sum += (out[i] - e) * (out[i] - e);
    }
    return sum;
}

TEST(BankOutput, Done1SoundsOnceWhenTheBankIsMade)
{
    // The samples the start-up sound should put out, as 16-bit values.
    WAVEFORMATEX* format = nullptr;
    BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(GetWaveResource(nullptr, "Done1", &format, &data, &size));
    ASSERT_EQ(format->wBitsPerSample, 8);
    std::vector<double> expected(data, data + size);
    for (double& s : expected)
        s = (s - 128.0) * 256.0;

    HWND hwnd = MakePlainWindow();
    ASSERT_NE(hwnd, nullptr);
    {
        auto bank = std::make_unique<DSound>(hwnd);
        ASSERT_NE(bank->m_pDone1, nullptr);
        ASSERT_TRUE(WaitUntilStopped(bank->m_pDone1->m_apBuffers[0]));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } // the bank closes the device, which completes the file
    DestroyWindow(hwnd);

    const WaveOutput output = ReadWaveOutput();
    ASSERT_EQ(output.rate, format->nSamplesPerSec); // so no resampling stands between the two
    const std::vector<double> out(output.samples.begin(), output.samples.end());
    ASSERT_GE(out.size(), expected.size());

    // Line the sound up with the output where both first get loud, then take the best
    // fit nearby: the mixer may smooth the very start.
    const size_t start = FirstLoud(out, 1000);
    const size_t offset = FirstLoud(expected, 1000);
    ASSERT_LT(start, out.size());
    ASSERT_GE(start, offset);
    const size_t guess = start - offset;
    double best = ResidualEnergy(out, expected, guess);
    for (size_t lag = guess > 32 ? guess - 32 : 0; lag <= guess + 32; ++lag)
        best = std::min(best, ResidualEnergy(out, expected, lag));

    // Once: a second play, or none, would leave about as much again as the sound itself.
    EXPECT_LT(best, 0.02 * Energy(expected)) << "left over: " << best / Energy(expected);
}

} // namespace
