#include "model/ValueFormatter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <map>
#include <thread>

using namespace zd8;

namespace
{
    // Stores by object type code, as the image would answer.
    class FakeNames : public ObjectNameSource
    {
    public:
        juce::String objectName (int typeCode, int id) const override
        {
            ++calls;
            auto it = names.find ({ typeCode, id });
            return it != names.end() ? it->second : juce::String();
        }

        std::map<std::pair<int, int>, juce::String> names;
        mutable std::atomic<int> calls { 0 };
    };

    struct Case
    {
        int code, value;
        juce::String text;
    };

    void expectAll (const ValueFormatter& valueFormatter, const std::vector<Case>& cases)
    {
        for (const auto& c : cases)
            EXPECT_EQ (valueFormatter.formatValue (c.code, c.value), c.text) << "code " << c.code << " value " << c.value;
    }

    const std::vector<int> extremeValues { INT_MIN, INT_MIN + 1, -1000, -129, -128, -1, 0, 1, 127, 128, 255, 256, 1000, INT_MAX - 1, INT_MAX };
}

TEST (ValueFormatter, DispatchAtEveryGroupBoundary)
{
    const ValueFormatter valueFormatter;
    expectAll (valueFormatter, {
        // Below 100 (negative codes included): the number.
        { INT_MIN, -3, "-3" }, { -1, 7, "7" }, { 0, 0, "0" }, { 0, INT_MIN, "-2147483648" }, { 99, INT_MAX, "2147483647" },
        { 100, 5, "5" }, { 103, 20, "5.0 Key/s" }, { 199, 5, "5" },
        { 200, 5, "5" }, { 204, 20, "22 ct" }, { 299, 5, "5" },
        { 300, 5, "5" }, { 303, 1, "MULTI" }, { 399, 5, "5" },
        { 400, 2, "MULTI" }, { 499, 5, "5" },
        { 500, 1, "ON" }, { 599, 5, "5" },
        // The single codes and the empty ranges around them.
        { 600, 5, "" }, { 650, 1, "" }, { 650, INT_MIN, "" }, { 743, 5, "" },
        { 744, 0, "Bank 1" }, { 744, 31, "Bank 32" }, { 744, -1, "Bank 0" }, { 744, INT_MAX, "Bank 2147483648" },
        { 745, 5, "" }, { 776, 5, "" },
        { 777, 60, "C4" }, { 777, 0, "C-1" }, { 777, -1, "-1" },
        { 778, 0, "OFF" }, { 778, 1, "ON" }, { 778, -1, "ON" },
        { 779, -1, "OFF" }, { 779, 0, "0" }, { 779, 9, "9" },
        { 780, -12, "-12 ST" }, { 781, 50, "50 ct" }, { 782, 100, "100%" },
        { 783, -1, "NONE" }, { 783, 0, "0" },
        { 784, -6, "-6 dB" },
        { 785, 5, "" }, { 1000, 5, "" }, { 2000, 5, "" },
        // From 2001 up: object references (no stores here).
        { 2001, 5, "5 " }, { 2001, 0, "NONE" }, { INT_MAX, 5, "5 " }, { INT_MAX, INT_MIN, "NONE" },
    });
}

TEST (ValueFormatter, ObjectReferencesReadTheNamedStore)
{
    FakeNames names;
    names.names = {
        { { 138, 12 }, "Grand Piano" }, { { 156, 3 }, "Big Hall" }, { { 112, 2 }, "Song Two" },
        { { 163, 4 }, "Shift A" }, { { 164, 5 }, "Vel B" }, { { 103, 6 }, "Just" }, { { 133, 7 }, "Split" },
        { { 155, 8 }, "Stage Set" }, { { 168, 9 }, "Arp Nine" }, { { 168, 1 }, "Stored Arp" },
    };
    const ValueFormatter valueFormatter (&names);
    expectAll (valueFormatter, {
        { 2100, 12, "12 Grand Piano" }, { 2101, 12, "Grand Piano" }, { 2102, 12, "12 Grand Piano" },
        { 2200, 3, "3 Big Hall" }, { 2201, 3, "Big Hall" },
        { 2300, 2, "2 Song Two" }, { 2301, 2, "Song Two" },
        { 2400, 4, "4 Shift A" }, { 2401, 4, "Shift A" },
        { 2500, 5, "5 Vel B" }, { 2501, 5, "Vel B" },
        { 2600, 6, "6 Just" }, { 2601, 6, "Just" },
        { 2700, 7, "7 Split" }, { 2701, 7, "Split" },
        { 2800, 8, "8 Stage Set" }, { 2801, 8, "Stage Set" },
        { 2900, 9, "9 Arp Nine" }, { 2901, 9, "Arp Nine" },
        // Arpeggiator 1 is the edited one for the prefixed code only.
        { 2900, 1, "Edited Arp" }, { 2901, 1, "Stored Arp" },
        // Absent objects: the prefix alone, or nothing.
        { 2100, 13, "13 " }, { 2101, 13, "" }, { 2700, 5, "5 " },
        // Unknown reference codes never ask the stores.
        { 2102, INT_MAX, "2147483647 " }, { 2999, 12, "12 " }, { 5000, 3, "3 " },
        { 2100, 0, "NONE" }, { 2900, 0, "NONE" }, { 2200, -1, "NONE" }, { 2200, INT_MIN, "NONE" },
    });

    // A value of 0 or below, "Edited Arp" and unknown codes are settled without a lookup.
    names.calls = 0;
    for (auto [code, value] : std::vector<std::pair<int, int>> { { 2100, 0 }, { 2200, -5 }, { 2900, 1 }, { 2999, 4 }, { 3000, 7 } })
        valueFormatter.formatValue (code, value);
    EXPECT_EQ (names.calls.load(), 0);
}

TEST (ValueFormatter, WithoutStoresEveryNameIsEmpty)
{
    const ValueFormatter valueFormatter;
    EXPECT_EQ (valueFormatter.getNameSource(), nullptr);
    expectAll (valueFormatter, {
        { 2100, 12, "12 " }, { 2101, 12, "" }, { 2200, 1, "1 " }, { 2900, 1, "Edited Arp" }, { 2900, 2, "2 " },
        { 2800, 0, "NONE" },
    });
}

TEST (ValueFormatter, LongNamesAreKeptWhole)
{
    FakeNames names;
    const auto longName = juce::String::repeatedString ("Name", 40);
    names.names = { { { 138, 2 }, longName }, { { 138, 3 }, juce::String::fromUTF8 ("Fl\xc3\xbcgel") } };
    const ValueFormatter valueFormatter (&names);
    EXPECT_EQ (valueFormatter.formatValue (2100, 2), "2 " + longName);
    EXPECT_EQ (valueFormatter.formatValue (2100, 3), juce::String::fromUTF8 ("3 Fl\xc3\xbcgel"));
}

TEST (ValueFormatter, EveryCodeTakesExtremeValuesSafely)
{
    // Under the sanitizer builds this also proves no arithmetic overflows.
    FakeNames names;
    const ValueFormatter valueFormatter (&names);
    std::vector<int> codes { INT_MIN, INT_MIN + 1, -1, INT_MAX - 1, INT_MAX };
    for (int code = 0; code <= 3000; ++code)
        codes.push_back (code);
    for (int code : codes)
        for (int v : extremeValues)
        {
            const auto text = valueFormatter.formatValue (code, v);
            EXPECT_LT (text.length(), 40) << code << " " << v;
        }
}

TEST (ValueFormatter, NoteNames)
{
    EXPECT_EQ (ValueFormatter::noteName (60), "C4");
    EXPECT_EQ (ValueFormatter::noteName (0), "C-1");
    EXPECT_EQ (ValueFormatter::noteName (70), "A#4");
    EXPECT_EQ (ValueFormatter::noteName (-5), "-1");
}

TEST (ValueFormatter, FormatsFromManyThreadsAtOnce)
{
    // The host's threads and the message thread format at the same time; the sanitizer
    // build checks nothing is shared that changes.
    FakeNames names;
    names.names = { { { 156, 1 }, "Room" }, { { 138, 1 }, "Piano" } };
    const ValueFormatter valueFormatter (&names);
    std::atomic<int> wrong { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back ([&, t] {
            for (int i = 0; i < 2000; ++i)
            {
                if (valueFormatter.formatValue (2200, 1) != "1 Room") ++wrong;
                if (valueFormatter.formatValue (104, 20 + t) != juce::String (22 + 2 * t) + " ct") ++wrong;
                if (valueFormatter.formatValue (381, 127) != "ON") ++wrong;
                if (valueFormatter.formatValue (2100, 1) != "1 Piano") ++wrong;
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ (wrong.load(), 0);
}
