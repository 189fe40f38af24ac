#include "link/MidiClockGenerator.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
    struct Event
    {
        int sample;
        std::vector<juce::uint8> bytes;
        bool operator== (const Event& o) const { return sample == o.sample && bytes == o.bytes; }
    };

    std::ostream& operator<< (std::ostream& os, const Event& e)
    {
        os << "@" << e.sample << ":";
        for (auto b : e.bytes)
            os << " " << std::hex << (int) b << std::dec;
        return os;
    }

    constexpr double rate = 48000.0;
    constexpr int block = 4096;

    HostPosition at (double ppq, bool playing, double bpm = 120.0)
    {
        HostPosition p;
        p.bpm = bpm;
        p.ppqPosition = ppq;
        p.isPlaying = playing;
        return p;
    }

    std::vector<Event> run (MidiClockGenerator& g, const HostPosition& p, int n = block)
    {
        juce::MidiBuffer buffer;
        g.generateClock (p, buffer, n, rate);
        std::vector<Event> out;
        for (const auto m : buffer)
            out.push_back ({ m.samplePosition, std::vector<juce::uint8> (m.data, m.data + m.numBytes) });
        return out;
    }

    std::vector<Event> without (std::vector<Event> events, juce::uint8 status)
    {
        events.erase (std::remove_if (events.begin(), events.end(), [status] (const Event& e) { return e.bytes[0] == status; }), events.end());
        return events;
    }

    std::vector<int> samplesOf (const std::vector<Event>& events, juce::uint8 status)
    {
        std::vector<int> s;
        for (auto& e : events)
            if (e.bytes[0] == status)
                s.push_back (e.sample);
        return s;
    }

    const std::vector<juce::uint8> stop { 0xFC }, cont { 0xFB };
    std::vector<juce::uint8> spp (int sixteenths) { return { 0xF2, (juce::uint8) (sixteenths & 0x7F), (juce::uint8) (sixteenths >> 7) }; }

    // Quarter notes per sample at 120 BPM and 48 kHz.
    constexpr double b = 120.0 / 60.0 / rate;
}

TEST (MidiClockGenerator, TwentyFourClocksPerQuarterAlignedToSongSamples)
{
    MidiClockGenerator g;
    run (g, at (0.0, false));
    const auto first = run (g, at (0.0, true));
    EXPECT_EQ (samplesOf (first, 0xF8), (std::vector<int> { 0, 1000, 2000, 3000, 4000 }));
    EXPECT_TRUE (samplesOf (first, 0xFB).size() == 1) << "the continue after a stop";

    // The next block goes on where the last ended: song sample 4096 -> next clock at 5000.
    const auto second = run (g, at (block * b, true));
    EXPECT_EQ (samplesOf (second, 0xF8).front(), 5000 - block);
    EXPECT_TRUE (without (without (second, 0xF8), 0xFB).empty()) << "no jump, no position";

    MidiClockGenerator off;
    off.setClockOn (false);
    run (off, at (0.0, false));
    EXPECT_TRUE (samplesOf (run (off, at (0.0, true)), 0xF8).empty());
}

TEST (MidiClockGenerator, LocatingWhileStoppedSendsStopAndPositionThenContinueOnTheSixteenth)
{
    MidiClockGenerator g;
    EXPECT_EQ (run (g, at (1.1, false)), (std::vector<Event> { { 0, stop }, { 0, spp (5) } }));
    EXPECT_TRUE (run (g, at (1.1, false)).empty()) << "standing still sends nothing";

    const auto playing = run (g, at (1.1, true));
    const auto continues = samplesOf (playing, 0xFB);
    ASSERT_EQ (continues.size(), 1u);
    const int i = continues[0];
    EXPECT_GE (1.1 + i * b, 1.25);
    EXPECT_LT (1.1 + (i - 1) * b, 1.25);
    EXPECT_TRUE (samplesOf (playing, 0xF2).empty());

    // Relocating while stopped.
    MidiClockGenerator h;
    run (h, at (8.0, false));
    EXPECT_EQ (run (h, at (16.0, false)), (std::vector<Event> { { 0, stop }, { 0, spp (64) } }));
}

TEST (MidiClockGenerator, LoopEndGetsAStopBeforeItAndAContinueAfterTheJump)
{
    MidiClockGenerator g;
    auto p = at (8.0, false);
    p.isLooping = true;
    p.ppqLoopStart = 8.0;
    p.ppqLoopEnd = 16.0;
    run (g, p);
    p.isPlaying = true;

    // Play through to the loop end, block by block (the last one shorter, ending just
    // before 16): exactly one stop, within one tick (1000 samples) before 16.
    auto playToLoopEnd = [&] {
        int stops = 0;
        for (double ppq = p.ppqPosition; ppq < 16.0 - b / 2; ppq += block * b)
        {
            p.ppqPosition = ppq;
            const int n = (int) juce::jmin<double> (block, std::ceil ((16.0 - ppq) / b) - 1);
            for (int s : samplesOf (run (g, p, n), 0xFC))
            {
                ++stops;
                const double left = (16.0 - (ppq + s * b)) / b;
                EXPECT_LE (left, 1000.0);
                EXPECT_GE (left, 0.0);
            }
            if (n < block)
                break;
        }
        return stops;
    };
    EXPECT_EQ (playToLoopEnd(), 1);

    // The host jumps back to 8: position 32 and a continue at once.
    p.ppqPosition = 8.0;
    const auto back = run (g, p);
    EXPECT_EQ (without (back, 0xF8), (std::vector<Event> { { 0, spp (32) }, { 0, cont } }));

    // The second pass ends with its own stop.
    p.ppqPosition = 8.0 + block * b;
    EXPECT_EQ (playToLoopEnd(), 1);
}

TEST (MidiClockGenerator, SongPositionBytesAndBadTempos)
{
    MidiClockGenerator g;
    juce::MidiBuffer buffer;
    g.sendPosition (500.0, buffer);
    const auto m = *buffer.begin();
    EXPECT_EQ (std::vector<juce::uint8> (m.data, m.data + m.numBytes), spp (2000));
    EXPECT_EQ (spp (2000), (std::vector<juce::uint8> { 0xF2, 0x50, 0x0F }));

    for (double bpm : { 0.0, -10.0, std::nan ("") })
    {
        MidiClockGenerator h;
        EXPECT_TRUE (run (h, at (0.0, true, bpm)).empty()) << bpm;
    }
    MidiClockGenerator fast;
    run (fast, at (0.0, false, 100000.0));
    EXPECT_FALSE (run (fast, at (0.0, true, 100000.0)).empty()) << "an absurd tempo still clocks without dividing by zero";
}
