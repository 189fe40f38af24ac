// The clock generator places a block's clocks, continue and loop-end stop arithmetically.
// Here it is played side by side with the per-sample walk it replaced (MidiClockWalk.h)
// over a table of tempos, sample rates, block sizes and loops, with a host that locates,
// stops, starts, changes tempo and switches clock between blocks: every block must give
// the same messages at the same samples in the same order.

#include "link/MidiClockGenerator.h"
#include "link/MidiClockWalk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

using namespace zd8;

namespace
{
    struct Loop
    {
        double start, end; // quarter notes; start == end: no loop
    };

    struct Counts
    {
        int clocks = 0, continues = 0, stops = 0, positions = 0, loopStops = 0, midBlockContinues = 0;
    };

    std::string describe (const juce::MidiBuffer& buffer)
    {
        std::ostringstream os;
        for (const auto m : buffer)
        {
            os << "@" << m.samplePosition << ":";
            for (int i = 0; i < m.numBytes; ++i)
                os << " " << std::hex << (int) m.data[i] << std::dec;
            os << "  ";
        }
        return os.str();
    }

    bool same (const juce::MidiBuffer& a, const juce::MidiBuffer& b)
    {
        auto i = a.begin(), j = b.begin();
        for (; i != a.end() && j != b.end(); ++i, ++j)
        {
            const auto x = *i, y = *j;
            if (x.samplePosition != y.samplePosition || x.numBytes != y.numBytes
                || std::memcmp (x.data, y.data, (size_t) x.numBytes) != 0)
                return false;
        }
        return i == a.end() && j == b.end();
    }

    /** Plays one case for about `seconds` of audio; returns false at the first block the
        two differ in (with a message saying where and how). */
    bool playSideBySide (double bpm, double rate, int blockSize, Loop loop, unsigned seed, double seconds, Counts& counts)
    {
        MidiClockGenerator generator;
        zd8test::MidiClockWalk walk;
        std::mt19937 random (seed);
        auto chance = [&random] (double p) { return std::uniform_real_distribution<double> (0.0, 1.0) (random) < p; };

        HostPosition host;
        host.bpm = bpm;
        host.ppqPosition = loop.start;
        host.isLooping = loop.start != loop.end;
        host.ppqLoopStart = loop.start;
        host.ppqLoopEnd = loop.end;

        juce::MidiBuffer fast, slow;
        fast.ensureSize (8192);
        slow.ensureSize (8192);

        // Changes come about every quarter of a second of audio, whatever the block size.
        const double perBlock = juce::jmin (1.0, blockSize / (rate / 4.0));
        const auto blocks = (juce::int64) (seconds * rate / blockSize);
        const double tempos[] = { 60.0, 97.3, 120.0, 137.77, 300.0, bpm };

        for (juce::int64 k = 0; k < blocks; ++k)
        {
            const double b = host.bpm / 60.0 / rate;
            if (chance (perBlock / 3))
                host.isPlaying = ! host.isPlaying;
            if (chance (perBlock / 40))
                host.isRecording = ! host.isRecording;
            if (chance (perBlock / 6))
            {
                // Locate: anywhere, onto a sixteenth, onto a tick, just before the loop
                // end, or before the song's start (a count-in).
                switch (std::uniform_int_distribution<int> (0, 4) (random))
                {
                    case 0: host.ppqPosition = std::uniform_real_distribution<double> (0.0, 40.0) (random); break;
                    case 1: host.ppqPosition = std::uniform_int_distribution<int> (0, 160) (random) / 4.0; break;
                    case 2: host.ppqPosition = std::uniform_int_distribution<int> (0, 960) (random) / 24.0; break;
                    case 3: host.ppqPosition = loop.end - std::uniform_int_distribution<int> (0, 3 * blockSize + 2000) (random) * b; break;
                    default: host.ppqPosition = -std::uniform_real_distribution<double> (0.0, 2.0) (random); break;
                }
            }
            if (chance (perBlock / 8))
                host.bpm = tempos[std::uniform_int_distribution<int> (0, 5) (random)];
            if (chance (perBlock / 10))
            {
                const bool on = ! generator.isClockOn();
                generator.setClockOn (on);
                walk.setClockOn (on);
            }

            fast.clear();
            slow.clear();
            generator.generateClock (host, fast, blockSize, rate);
            walk.generateClock (host, slow, blockSize, rate);
            if (! same (fast, slow))
            {
                ADD_FAILURE() << "block " << k << " at " << host.ppqPosition << " quarters, " << host.bpm << " BPM, "
                              << (host.isPlaying ? "playing" : "stopped") << "\n  arithmetic: " << describe (fast)
                              << "\n  walk:       " << describe (slow);
                return false;
            }

            for (const auto m : fast)
            {
                switch (m.data[0])
                {
                    case 0xF8: ++counts.clocks; break;
                    case 0xFB:
                        ++counts.continues;
                        counts.midBlockContinues += m.samplePosition > 0 ? 1 : 0;
                        break;
                    case 0xFC:
                        ++counts.stops;
                        counts.loopStops += m.samplePosition > 0 ? 1 : 0; // the ones at 0 are not told apart
                        break;
                    case 0xF2: ++counts.positions; break;
                    default: break;
                }
            }

            // The host moves on and, looping, wraps at the block's end.
            const double played = host.bpm / 60.0 / rate * blockSize;
            if (host.isPlaying || host.isRecording)
            {
                host.ppqPosition += played;
                if (host.isLooping && host.ppqPosition >= loop.end)
                    host.ppqPosition = loop.start + (host.ppqPosition - loop.end);
            }
        }
        return true;
    }
}

TEST (MidiClockPlacement, ArithmeticPlacementMatchesThePerSampleWalk)
{
    const double tempos[] = { 60.0, 97.3, 120.0, 300.0 };
    const double rates[] = { 44100.0, 48000.0, 96000.0 };
    const int blockSizes[] = { 1, 17, 64, 512, 4096 };
    const Loop loops[] = { { 0.0, 0.0 }, { 8.0, 16.0 }, { 1.1, 2.35 }, { 0.5, 0.75 }, { 3.0, 3.0 + 1.0 / 24.0 } };

    Counts counts;
    unsigned seed = 1;
    for (double bpm : tempos)
        for (double rate : rates)
            for (int blockSize : blockSizes)
                for (const auto& loop : loops)
                {
                    // Single-sample blocks are slow to play: less audio, same variety.
                    const double seconds = blockSize == 1 ? 1.5 : 12.0;
                    SCOPED_TRACE (testing::Message() << bpm << " BPM, " << rate << " Hz, blocks of " << blockSize
                                                     << ", loop " << loop.start << ".." << loop.end << ", seed " << seed);
                    if (! playSideBySide (bpm, rate, blockSize, loop, seed++, seconds, counts))
                        return;
                }

    // The table did exercise every rule, many times over.
    const auto seen = testing::Message() << counts.clocks << " clocks, " << counts.continues << " continues ("
                                         << counts.midBlockContinues << " inside a block), " << counts.stops << " stops ("
                                         << counts.loopStops << " inside a block), " << counts.positions << " song positions";
    EXPECT_GT (counts.clocks, 20000) << seen;
    EXPECT_GT (counts.continues, 2000) << seen;
    EXPECT_GT (counts.midBlockContinues, 2000) << seen;
    EXPECT_GT (counts.loopStops, 1000) << seen;
    EXPECT_GT (counts.positions, 10000) << seen;
    EXPECT_GT (counts.stops, 3000) << seen;
}
