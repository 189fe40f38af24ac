#include "sim/SysexAssembler.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using Bytes = std::vector<std::uint8_t>;
using zd8sim::SysexAssembler;
using Outcome = SysexAssembler::Outcome;

Outcome add (SysexAssembler& a, const Bytes& piece) { return a.add (piece.data(), piece.size()); }

TEST (SysexAssembler, OutcomeOfEachKindOfPiece)
{
    struct Case
    {
        const char* what;
        std::vector<Bytes> pieces;
        std::vector<Outcome> outcomes;
        Bytes message; // what the last complete outcome yields
    };
    const Case cases[] = {
        { "whole", { { 0xF0, 1, 2, 0xF7 } }, { Outcome::complete }, { 0xF0, 1, 2, 0xF7 } },
        { "two pieces", { { 0xF0, 1 }, { 2, 0xF7 } }, { Outcome::pending, Outcome::complete }, { 0xF0, 1, 2, 0xF7 } },
        { "end alone", { { 0xF0, 1 }, { 0xF7 } }, { Outcome::pending, Outcome::complete }, { 0xF0, 1, 0xF7 } },
        { "bytes after the end are not part of it", { { 0xF0, 1, 0xF7, 5, 6 } }, { Outcome::complete }, { 0xF0, 1, 0xF7 } },
        { "restart", { { 0xF0, 1 }, { 0xF0, 2, 0xF7 } }, { Outcome::pending, Outcome::complete }, { 0xF0, 2, 0xF7 } },
        { "real-time inside", { { 0xF0, 1 }, { 0xF8 }, { 0xFE }, { 2, 0xF7 } },
          { Outcome::pending, Outcome::notSysex, Outcome::notSysex, Outcome::complete }, { 0xF0, 1, 2, 0xF7 } },
        { "channel message ends it unfinished", { { 0xF0, 1 }, { 0x90, 60, 1 }, { 2, 0xF7 } },
          { Outcome::pending, Outcome::notSysex, Outcome::stray }, {} },
        { "system common ends it unfinished", { { 0xF0, 1 }, { 0xF2, 0, 0 }, { 0xF7 } },
          { Outcome::pending, Outcome::notSysex, Outcome::stray }, {} },
        { "tail with nothing open", { { 1, 2, 0xF7 } }, { Outcome::stray }, {} },
        { "end with nothing open", { { 0xF7 } }, { Outcome::stray }, {} },
        { "channel message", { { 0xB0, 7, 100 } }, { Outcome::notSysex }, {} },
        { "empty", { {} }, { Outcome::stray }, {} },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        SysexAssembler a;
        ASSERT_EQ (c.pieces.size(), c.outcomes.size());
        for (size_t i = 0; i < c.pieces.size(); ++i)
            EXPECT_EQ (add (a, c.pieces[i]), c.outcomes[i]) << "piece " << i;

        EXPECT_EQ (a.takeMessage(), c.message);
        EXPECT_TRUE (a.takeMessage().empty()); // taken once
        EXPECT_FALSE (a.isOpen());
    }
}

TEST (SysexAssembler, PartialNotificationsReplaceTheOpenMessage)
{
    SysexAssembler a;
    const Bytes whole { 0xF0, 7, 0x46, 1, 0, 0x11, 0, 3, 0xF7 };

    a.addPartial (whole.data(), 3);
    a.addPartial (whole.data(), 6); // repeats the first three bytes
    EXPECT_TRUE (a.isOpen());
    EXPECT_EQ (a.add (whole.data() + 6, 3), Outcome::complete);
    EXPECT_EQ (a.takeMessage(), whole);

    // The finished message after partials (how JUCE delivers it) is taken once, whole.
    a.addPartial (whole.data(), 4);
    EXPECT_EQ (add (a, whole), Outcome::complete);
    EXPECT_EQ (a.takeMessage(), whole);

    // Partials that do not start with F0, or hold an F7, are not what a real input gives.
    a.addPartial (whole.data() + 1, 4);
    a.addPartial (whole.data(), whole.size());
    a.addPartial (nullptr, 4);
    EXPECT_FALSE (a.isOpen());
}

TEST (SysexAssembler, ANeverEndingMessageIsAbandonedAtTheLimit)
{
    SysexAssembler a;
    Bytes piece (4096, 0x11);
    piece[0] = 0xF0;
    EXPECT_EQ (add (a, piece), Outcome::pending);

    piece[0] = 0x11;
    size_t total = piece.size();
    Outcome last = Outcome::pending;
    while (last == Outcome::pending)
    {
        last = add (a, piece);
        total += piece.size();
        ASSERT_LE (total, SysexAssembler::maxMessageSize + piece.size());
    }
    EXPECT_EQ (last, Outcome::stray);
    EXPECT_FALSE (a.isOpen());
    EXPECT_EQ (add (a, { 0xF0, 1, 0xF7 }), Outcome::complete);
}

TEST (SysexAssembler, AnyCuttingOfAStreamGivesBackEveryMessageOnce)
{
    // A stream of messages with real-time bytes between and inside them, cut at random
    // places into pieces (a real-time byte always travels alone, as a MIDI input
    // delivers it), must come back as exactly the messages sent.
    std::mt19937 random (99);

    for (int round = 0; round < 300; ++round)
    {
        std::vector<Bytes> messages;
        std::vector<Bytes> pieces;
        Bytes current;

        auto flush = [&] {
            if (! current.empty())
                pieces.push_back (current);
            current.clear();
        };

        const int count = 1 + (int) (random() % 5);
        for (int m = 0; m < count; ++m)
        {
            Bytes message { 0xF0 };
            const auto length = random() % 700;
            for (size_t i = 0; i < length; ++i)
                message.push_back ((std::uint8_t) (random() % 128));
            message.push_back (0xF7);
            messages.push_back (message);

            for (auto b : message)
            {
                current.push_back (b);
                if (random() % 97 == 0)
                    flush();
                if (random() % 211 == 0)
                {
                    flush();
                    pieces.push_back ({ 0xF8 });
                }
            }
            flush();
        }

        SysexAssembler a;
        std::vector<Bytes> assembled;
        for (const auto& p : pieces)
            if (add (a, p) == Outcome::complete)
                assembled.push_back (a.takeMessage());

        ASSERT_EQ (assembled, messages) << "round " << round;
    }
}

TEST (SysexAssembler, RandomBytesNeverYieldAMalformedMessage)
{
    std::mt19937 random (7);
    const std::uint8_t interesting[] = { 0xF0, 0xF7, 0xF8, 0x90, 0xF2, 0x00, 0x7F };
    SysexAssembler a;

    for (int i = 0; i < 20000; ++i)
    {
        Bytes piece (random() % 40);
        for (auto& b : piece)
            b = (random() % 3 == 0) ? interesting[random() % std::size (interesting)] : (std::uint8_t) random();

        if (random() % 10 == 0)
            a.addPartial (piece.data(), piece.size());
        else if (add (a, piece) == Outcome::complete)
        {
            const auto m = a.takeMessage();
            ASSERT_GE (m.size(), 2u);
            ASSERT_EQ (m.front(), 0xF0);
            ASSERT_EQ (m.back(), 0xF7);
            ASSERT_EQ (std::count (m.begin(), m.end(), 0xF7), 1);
        }
    }
}

} // namespace
