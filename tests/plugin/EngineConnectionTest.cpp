#include "plugin/EngineConnection.h"
#include "plugin/VantorAudioProcessor.h"
#include "support/PluginRig.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

using namespace zd8;
using zd8test::PluginRig;

namespace
{
    using Call = std::pair<int, int>;   // slot, value

    // Records every call; onCall runs inside the call (to add or remove listeners there).
    struct Recorder : EditorConnection::SlotListener
    {
        void slotChanged (int slot, int value) override
        {
            calls.emplace_back (slot, value);
            if (onCall)
                onCall (slot, value);
        }

        std::vector<Call> calls;
        std::function<void (int, int)> onCall;
    };

    struct Instance
    {
        EditorConnection& connection() { return processor.getEditorConnection(); }
        ControllerState& hub() { return processor.getHub(); }

        PluginRig rig;
        VantorAudioProcessor processor { rig.environment };
    };

    const int panSlot = ParameterTable::programSlot (2, ParameterTable::panRow);
    const int levelSlot = ParameterTable::programSlot (2, ParameterTable::levelRow);
    const int modSlot = ParameterTable::controllerSlot (5, 1);
}

//==============================================================================
// A change from the host, from the window or from the hub itself reaches the listeners
// of its slot once, with the value as the slot holds it (negative ones too), and no
// listener of another slot.
TEST (EngineConnection, ChangesReachExactlyTheListenersOfTheirSlot)
{
    Instance w;
    auto& c = w.connection();
    Recorder playingMode, pan, panAndLevel, modulation;
    c.addSlotListener (ParameterTable::playingModeSlot, &playingMode);
    c.addSlotListener (panSlot, &pan);
    c.addSlotListener (panSlot, &panAndLevel);
    c.addSlotListener (levelSlot, &panAndLevel);
    c.addSlotListener (modSlot, &modulation);
    c.addSlotListener (panSlot, &pan);   // twice is once
    c.dispatchSlotChanges();             // what the processor's construction left
    for (auto* r : { &playingMode, &pan, &panAndLevel, &modulation })
        r->calls.clear();

    ASSERT_LT (w.hub().getParameters().minimum (panSlot), -20) << "the pan row holds negative values";

    struct Case
    {
        const char* what;
        std::function<void (Instance&)> change;
        std::vector<Call> playingMode, pan, panAndLevel, modulation;
    };
    const Case cases[] = {
        { "host automates the playing mode",
          [] (Instance& i) { i.processor.setSlotNormalised (ParameterTable::playingModeSlot, 1.0f); },
          { { ParameterTable::playingModeSlot, 2 } }, {}, {}, {} },
        { "window sets a negative pan",
          [] (Instance& i) { i.connection().setSlotFromEditor (panSlot, -20, false, true); },
          {}, { { panSlot, -20 } }, { { panSlot, -20 } }, {} },
        { "window sets the level, then the pan again",
          [] (Instance& i)
          {
              i.connection().setSlotFromEditor (levelSlot, 90, false, true);
              i.connection().setSlotFromEditor (panSlot, 7, false, true);
          },
          {}, { { panSlot, 7 } }, { { levelSlot, 90 }, { panSlot, 7 } }, {} },
        { "a controller the hub reports",
          [] (Instance& i) { i.hub().addSlotNotice (modSlot, 64); },
          {}, {}, {}, { { modSlot, 64 } } },
        { "a slot nobody follows",
          [] (Instance& i) { i.connection().setSlotFromEditor (ParameterTable::programSlot (9, ParameterTable::panRow), 3, false, true); },
          {}, {}, {}, {} },
        { "a window change that tells nobody",
          [] (Instance& i) { i.connection().setSlotFromEditor (panSlot, 11, false, false); },
          {}, {}, {}, {} },
    };

    for (const auto& k : cases)
    {
        SCOPED_TRACE (k.what);
        k.change (w);
        EXPECT_TRUE (playingMode.calls.empty() && pan.calls.empty()) << "nothing before the dispatch";
        c.dispatchSlotChanges();
        EXPECT_EQ (playingMode.calls, k.playingMode);
        EXPECT_EQ (pan.calls, k.pan);
        EXPECT_EQ (panAndLevel.calls, k.panAndLevel);
        EXPECT_EQ (modulation.calls, k.modulation);
        for (auto* r : { &playingMode, &pan, &panAndLevel, &modulation })
            r->calls.clear();
    }

    c.removeSlotListener (ParameterTable::playingModeSlot, &playingMode);
    c.removeSlotListener (panSlot, &pan);
    c.removeSlotListener (modSlot, &modulation);
    c.removeSlotListener (panSlot, &panAndLevel);
    c.removeSlotListener (levelSlot, &panAndLevel);
}

// Listeners come and go from inside their own calls: one removed is never called
// again (even later in the same dispatch), one added waits for the next change.
TEST (EngineConnection, ListenersAddedOrRemovedDuringADispatch)
{
    Instance w;
    auto& c = w.connection();
    Recorder first, second, late, other;
    c.addSlotListener (panSlot, &first);
    c.addSlotListener (panSlot, &second);
    c.addSlotListener (levelSlot, &other);
    c.dispatchSlotChanges();

    // The first removes itself and the second, and brings in a late one.
    first.onCall = [&] (int, int)
    {
        c.removeSlotListener (panSlot, &first);
        c.removeSlotListener (panSlot, &second);
        c.addSlotListener (panSlot, &late);
    };
    // The other, on a different slot, takes itself out after its first call.
    other.onCall = [&] (int slot, int) { c.removeSlotListener (slot, &other); };

    c.setSlotFromEditor (panSlot, 5, false, true);
    c.setSlotFromEditor (levelSlot, 80, false, true);
    c.setSlotFromEditor (panSlot, 6, false, true);
    c.setSlotFromEditor (levelSlot, 81, false, true);
    c.dispatchSlotChanges();

    EXPECT_EQ (first.calls, (std::vector<Call> { { panSlot, 5 } }));
    EXPECT_TRUE (second.calls.empty()) << "removed before its turn";
    EXPECT_EQ (late.calls, (std::vector<Call> { { panSlot, 6 } })) << "added during the first change";
    EXPECT_EQ (other.calls, (std::vector<Call> { { levelSlot, 80 } }));

    c.setSlotFromEditor (panSlot, 7, false, true);
    c.setSlotFromEditor (levelSlot, 82, false, true);
    c.dispatchSlotChanges();
    EXPECT_EQ (first.calls.size(), 1u);
    EXPECT_TRUE (second.calls.empty());
    EXPECT_EQ (late.calls.back(), Call (panSlot, 7));
    EXPECT_EQ (other.calls.size(), 1u);

    // Removed outside a dispatch: no call after removal, and adding it back works.
    c.removeSlotListener (panSlot, &late);
    c.setSlotFromEditor (panSlot, 8, false, true);
    c.dispatchSlotChanges();
    EXPECT_EQ (late.calls.back(), Call (panSlot, 7));
    c.addSlotListener (panSlot, &late);
    c.setSlotFromEditor (panSlot, 9, false, true);
    c.dispatchSlotChanges();
    EXPECT_EQ (late.calls.back(), Call (panSlot, 9));
    c.removeSlotListener (panSlot, &late);
}

// The hub's slot notices are written on the MIDI input and audio threads while the
// connection drains them on the message thread: every change must reach its listener
// once, whole and in each writer's order; words for slots outside the table are passed
// over.
TEST (EngineConnection, DispatchUnderConcurrentWritersLosesAndTearsNothing)
{
    Instance w;
    auto& c = w.connection();
    auto& hub = w.hub();

    constexpr int writers = 2, perWriter = 3000, slotsPerWriter = 1000;   // within the queue's capacity
    auto slotOf = [] (int writer, int seq) { return writer * slotsPerWriter + seq % slotsPerWriter; };

    std::array<int, writers> next {};
    int torn = 0, outOfOrder = 0, strays = 0;
    Recorder follower;
    follower.onCall = [&] (int slot, int value)
    {
        const int writer = slot / slotsPerWriter;
        if (writer >= writers)
            ++strays;
        else if (slot != slotOf (writer, value))
            ++torn;
        else if (value != next[(size_t) writer]++)
            ++outOfOrder;
    };
    for (int t = 0; t < writers; ++t)
        for (int i = 0; i < slotsPerWriter; ++i)
            c.addSlotListener (slotOf (t, i), &follower);
    c.dispatchSlotChanges();   // what the processor's construction left
    follower.calls.clear();
    next = {};
    torn = outOfOrder = strays = 0;

    std::atomic<bool> go { false };
    std::atomic<int> finished { 0 }, rounds { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < writers; ++t)
        threads.emplace_back ([&, t]
        {
            while (! go.load())
                std::this_thread::yield();
            for (int i = 0; i < perWriter; ++i)
            {
                hub.addSlotNotice (slotOf (t, i), i);
                if (i % 100 == 99)
                {
                    hub.addSlotNotice (0x4000 | t << 13 | i, i);   // above the table
                    // Wait for a whole dispatch to begin after these words, so that
                    // dispatches fall between the writers' words however slow the
                    // machine (a sanitizer build, a loaded core).
                    const int seen = rounds.load();
                    while (rounds.load() < seen + 2)
                        std::this_thread::yield();
                }
            }
            ++finished;
        });

    int dispatches = 0;
    go = true;
    while (finished.load() < writers)
    {
        const auto before = follower.calls.size();
        c.dispatchSlotChanges();
        dispatches += follower.calls.size() != before ? 1 : 0;
        ++rounds;
    }
    for (auto& t : threads)
        t.join();
    c.dispatchSlotChanges();

    EXPECT_EQ (torn, 0);
    EXPECT_EQ (outOfOrder, 0);
    EXPECT_EQ (strays, 0);
    for (int t = 0; t < writers; ++t)
        EXPECT_EQ (next[(size_t) t], perWriter) << "changes lost from writer " << t;
    EXPECT_EQ ((int) follower.calls.size(), writers * perWriter);
    EXPECT_GT (dispatches, 1);

    for (int t = 0; t < writers; ++t)
        for (int i = 0; i < slotsPerWriter; ++i)
            c.removeSlotListener (slotOf (t, i), &follower);
}
