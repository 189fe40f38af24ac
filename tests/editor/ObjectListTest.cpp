// The object list: rows and selection, the event words it queues, scrolling by call,
// wheel, scroll bar (thumb drag, auto-repeat above and below the thumb) and by dragging
// past the edges after a row press, the filters on the built-in program store, finding
// by name and moving with the keys (key presses delivered as the framework delivers
// them), and offscreen renders of the program chooser's list.
#include "editor/kit/EditEvent.h"
#include "editor/kit/ObjectList.h"
#include "model/BuiltInBanks.h"
#include "model/ProgramStore.h"
#include "support/RenderCheck.h"
#include "KeyDelivery.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace zd8;

namespace
{
    constexpr int listWidth = 274, listHeight = 510, rowHeight = 34;   // 15 whole rows
    constexpr float barX = 250.0f;                                       // inside the scroll bar
    constexpr float textX = 100.0f;                                      // inside the text area

    // The colour slots the program chooser gives its list.
    const std::array<juce::uint32, 9> chooserColours { 0x22606060, 0x11303030, 0x11050505, 0xffaaaaaa, 0xffcccccc,
                                                       0xffbbbbbb, 0xffeeeeee, 0xffffffff, 0xffffffff };

    /** A program store holding programs 1..count, program i in main category i % 14. */
    struct SmallStore : ProgramStore
    {
        explicit SmallStore (int count)
        {
            buildIndex (typeProgram, emptyBank (typeProgram, 8192), 8191);
            for (int id = 1; id <= count; ++id)
            {
                juce::MemoryBlock content (40, true);
                const auto name = ("Program " + juce::String (id)).paddedRight (' ', nameLength);
                content.copyFrom (name.toRawUTF8(), 0, (size_t) nameLength);
                content[(size_t) mainCategoryOffset] = (char) (id % 14);
                replaceRecord (id, content);
            }
        }
    };

    const ProgramStore& builtInPrograms()
    {
        static const auto store = []
        {
            auto s = std::make_unique<ProgramStore>();
            s->buildIndex (ObjectStore::typeProgram, BuiltInBanks::builtInBank (ObjectStore::typeProgram),
                           BuiltInBanks::programHighestId);
            return s;
        }();
        return *store;
    }

    /** A list set up as the pages set theirs, bound to every present object. */
    struct ListOf
    {
        explicit ListOf (const ObjectStore& store, int channel = 0)
            : grid (store)
        {
            grid.setColumns ({ 50, 180, 0, 0 });
            grid.setRowHeight (rowHeight);
            grid.setFontSizes (14, 15, 11);
            grid.setColours (chooserColours);
            grid.setChannel (channel);
            grid.setParameterNumber (11);
            grid.setSize (listWidth, listHeight);
            grid.bind (ObjectStore::listPresent, 0);
        }

        juce::MouseEvent at (float x, float y)
        {
            const auto now = juce::Time::getCurrentTime();
            return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), { x, y },
                                     juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                                     juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &grid, &grid,
                                     now, downAt, now, 1, false);
        }
        void press (float x, float y)
        {
            downAt = { x, y };
            grid.mouseDown (at (x, y));
        }
        void drag (float x, float y) { grid.mouseDrag (at (x, y)); }
        void release (float x, float y) { grid.mouseUp (at (x, y)); }
        /** Positive turns the wheel up. */
        void wheel (float deltaY)
        {
            juce::MouseWheelDetails d {};
            d.deltaY = deltaY;
            grid.mouseWheelMove (at (1, 1), d);
        }

        /** The queued events as (code, value) pairs, checking the rest of each word. */
        std::vector<std::pair<int, int>> events()
        {
            std::vector<std::pair<int, int>> out;
            for (auto e : grid.takeEvents())
            {
                EXPECT_EQ (EditEvent::slot (e), 11);
                EXPECT_EQ (EditEvent::subKind (e), 11);
                out.emplace_back (EditEvent::code (e), EditEvent::value (e));
            }
            return out;
        }

        ObjectList grid;
        juce::Point<float> downAt;
    };

    /** Programs with names of their own: IDs 1..6 in the factory range, 4096..4098 in
        the user range, each in the main category given. */
    struct NamedStore : ProgramStore
    {
        NamedStore()
        {
            buildIndex (typeProgram, emptyBank (typeProgram, 8192), 8191);
            const std::tuple<int, const char*, int> programs[] = {
                { 1, "Grand Piano", 1 },  { 2, "Bright Piano", 1 }, { 3, "Rock Organ", 4 },
                { 4, "Jazz Organ", 4 },   { 5, "Strings", 7 },      { 6, "Piano Pad", 9 },
                { 4096, "User Piano", 1 }, { 4097, "User Organ", 4 }, { 4098, "Pad", 9 },
            };
            for (const auto& [id, name, category] : programs)
            {
                juce::MemoryBlock content (40, true);
                const auto padded = juce::String (name).paddedRight (' ', nameLength);
                content.copyFrom (padded.toRawUTF8(), 0, (size_t) nameLength);
                content[(size_t) mainCategoryOffset] = (char) category;
                replaceRecord (id, content);
            }
        }
    };

    /** Types each character as its key, delivered to the list. */
    void typeInto (juce::Component& list, const juce::String& keys)
    {
        for (auto c : keys)
            EXPECT_TRUE (zd8test::pressKey (list, (int) c)) << "'" << juce::String::charToString (c) << "'";
    }

    using Events = std::vector<std::pair<int, int>>;
    constexpr int chosen = EditEvent::chosen, quiet = EditEvent::selectedQuietly;
} // namespace

TEST (ObjectList, IdsAreWrittenWithFourDigits)
{
    const std::pair<int, const char*> cases[] = {
        { 0, "0000" }, { 7, "0007" }, { 42, "0042" }, { 999, "0999" }, { 4096, "4096" }, { 8192, "8192" },
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ (ObjectList::formatId (id), text);
}

TEST (ObjectList, FiveObjectsFitWithoutThumbAndSelectingKeepsTheFirstRow)
{
    SmallStore store (5);
    ListOf list (store);
    EXPECT_EQ (list.grid.visibleRows(), 15);
    EXPECT_EQ (list.grid.getCount(), 5);
    EXPECT_EQ (list.grid.thumbY(), -1);

    list.grid.selectIndex (2);
    EXPECT_EQ (list.grid.getSelectedIndex(), 2);
    EXPECT_EQ (list.grid.getSelectedId(), 3);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_EQ (list.events(), (Events { { quiet, 3 } }));

    // The scroll bar does nothing when every row fits.
    list.press (barX, 400);
    list.grid.autoScrollStep();
    list.release (barX, 400);
    EXPECT_EQ (list.grid.getScrollPosition(), 0);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, SelectIndexScrollsTheRowIntoViewOnlyForRowsThatExist)
{
    SmallStore store (100);
    ListOf list (store);
    list.grid.selectIndex (95);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 85);
    EXPECT_EQ (list.grid.getSelectedId(), 96);
    EXPECT_EQ (list.grid.getScrollPosition(), 85);   // the thumb follows the selection
    list.grid.selectIndex (10);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 10);
    EXPECT_EQ (list.events(), (Events { { quiet, 96 }, { quiet, 11 } }));

    for (int index : { 100, -1, 5000 })
    {
        list.grid.selectIndex (index);
        EXPECT_EQ (list.grid.getSelectedIndex(), 10) << index;
        EXPECT_EQ (list.grid.getFirstVisibleRow(), 10) << index;
    }
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, SelectIdReportsQuietThenChosenAndIgnoresIdsNotListed)
{
    SmallStore store (100);
    ListOf list (store, 5);
    list.grid.selectId (7, true);
    EXPECT_EQ (list.grid.getSelectedIndex(), 6);
    const auto words = list.grid.takeEvents();
    ASSERT_EQ (words.size(), 2u);
    EXPECT_EQ (words[0], EditEvent::make (quiet, 11, 11, 5, 7));
    EXPECT_EQ (words[1], EditEvent::make (chosen, 11, 11, 5, 7));

    list.grid.selectId (40, false);
    EXPECT_EQ (list.events(), (Events { { quiet, 40 } }));

    for (int id : { 0, 101, 4096, -7 })
        list.grid.selectId (id, true);
    EXPECT_EQ (list.grid.getSelectedIndex(), 39);
    EXPECT_EQ (list.grid.getSelectedId(), 40);
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, EventsQueueInOrderUntilTheOwnerTakesThemWithOneChangeMessage)
{
    SmallStore store (20);
    ListOf list (store, 3);
    struct Counter : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        int count = 0;
    } counter;
    list.grid.addChangeListener (&counter);

    list.grid.selectIndex (4);   // row 4 becomes the first shown
    list.press (textX, 2 * rowHeight + 5);
    list.release (textX, 2 * rowHeight + 5);
    list.grid.dispatchPendingMessages();
    EXPECT_EQ (counter.count, 1);   // the owner is told once and takes both
    const auto words = list.grid.takeEvents();
    EXPECT_EQ (words, (std::vector<juce::uint64> { EditEvent::make (quiet, 11, 11, 3, 5),
                                                   EditEvent::make (chosen, 11, 11, 3, 7) }));
    EXPECT_TRUE (list.grid.takeEvents().empty());
    list.grid.removeChangeListener (&counter);
}

TEST (ObjectList, RowPressChoosesTheRowUnderThePointerWithinTheList)
{
    SmallStore store (100);
    ListOf list (store);
    list.grid.scrollTo (10);

    struct Case
    {
        float x, y;
        int index;   // -1: no choice
    };
    const Case cases[] = {
        { textX, 0, 10 },            { textX, 2 * rowHeight + 33, 12 },
        { 1, 14 * rowHeight, 24 },   { 211, 3 * rowHeight, 13 },
        { textX, 4000, 99 },                              // past the last row: the last
        { 0, 50, -1 },               { 212, 50, -1 },     // not in the text area
    };
    for (const auto& c : cases)
    {
        list.grid.selectIndex (50);
        list.grid.scrollTo (20);
        list.grid.scrollTo (10);   // back to row 10 (selectIndex moved the first row only)
        list.grid.takeEvents();
        list.press (c.x, c.y);
        list.release (c.x, c.y);
        const auto events = list.events();
        if (c.index < 0)
        {
            EXPECT_EQ (list.grid.getSelectedIndex(), 50) << c.x << "," << c.y;
            EXPECT_TRUE (events.empty());
        }
        else
        {
            EXPECT_EQ (list.grid.getSelectedIndex(), c.index) << c.x << "," << c.y;
            EXPECT_EQ (events, (Events { { chosen, c.index + 1 } }));
        }
    }

    SmallStore none (0);
    ListOf empty (none);
    empty.press (textX, 10);
    EXPECT_EQ (empty.grid.getSelectedIndex(), -1);
    EXPECT_TRUE (empty.events().empty());
}

TEST (ObjectList, ScrollingStaysWithinTheListAndTheWheelMovesOneRow)
{
    SmallStore store (100);
    ListOf list (store);
    list.wheel (1.0f);   // up at the top
    EXPECT_EQ (list.grid.getScrollPosition(), 0);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_EQ (list.grid.thumbY(), 0);

    list.wheel (-1.0f);
    list.wheel (-1.0f);
    EXPECT_EQ (list.grid.getScrollPosition(), 2);
    list.wheel (1.0f);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 1);

    list.grid.scrollTo (1000);
    EXPECT_EQ (list.grid.getScrollPosition(), 85);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 85);
    EXPECT_EQ (list.grid.thumbY(), listHeight - ObjectList::thumbHeight);
    list.wheel (-1.0f);   // down at the bottom
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 85);

    list.grid.scrollTo (-5);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_TRUE (list.events().empty());   // scrolling never reports
}

TEST (ObjectList, DraggingTheThumbToTheBottomReachesTheLastPage)
{
    SmallStore store (100);
    ListOf list (store);
    list.press (barX, 20);   // on the thumb at the top
    list.drag (barX, 200);
    const int middle = list.grid.getFirstVisibleRow();
    EXPECT_GT (middle, 20);
    EXPECT_LT (middle, 85);
    list.drag (barX, listHeight + 100);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 85);
    EXPECT_EQ (list.grid.thumbY(), listHeight - ObjectList::thumbHeight);
    list.drag (barX, 0);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    list.release (barX, 0);

    list.drag (barX, 300);   // released: dragging does nothing more
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, HoldingTheBarBelowOrAboveTheThumbRepeatsUntilRelease)
{
    SmallStore store (100);
    ListOf list (store);
    list.grid.scrollTo (40);
    const int thumb = list.grid.thumbY();

    list.press (barX, (float) thumb + 200);   // below the thumb: one row at once
    EXPECT_EQ (list.grid.getScrollPosition(), 41);
    list.grid.autoScrollStep();               // then one per timer tick
    list.grid.autoScrollStep();
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 43);
    list.release (barX, (float) thumb + 200);
    list.grid.autoScrollStep();
    EXPECT_EQ (list.grid.getScrollPosition(), 43);

    list.press (barX, 5);   // above the thumb
    EXPECT_EQ (list.grid.getScrollPosition(), 42);
    list.grid.autoScrollStep();
    EXPECT_EQ (list.grid.getScrollPosition(), 41);
    list.release (barX, 5);

    // Repeating past the end stops there.
    list.grid.scrollTo (84);
    list.press (barX, listHeight - 1);
    for (int i = 0; i < 5; ++i)
        list.grid.autoScrollStep();
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 85);
    list.release (barX, listHeight - 1);
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, DraggingPastTheEdgesAfterARowPressMovesOneRowPerDrag)
{
    SmallStore store (100);
    ListOf list (store);
    list.press (textX, 10);
    list.drag (textX, listHeight + 30);
    list.drag (textX, listHeight + 30);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 2);
    list.drag (textX, 200);   // inside: no move
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 2);
    list.drag (textX, -10);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 1);
    list.drag (textX, -10);
    list.drag (textX, -10);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    list.release (textX, -10);
    EXPECT_EQ (list.grid.getSelectedIndex(), 0);   // the press chose, dragging does not
    EXPECT_EQ (list.events(), (Events { { chosen, 1 } }));
}

TEST (ObjectList, BindAndSetColumnsClearTheSelectionAndReturnToTheTop)
{
    SmallStore store (100);
    ListOf list (store);
    list.grid.selectIndex (60);
    list.wheel (-1.0f);   // scroll position 1
    list.grid.bind (ObjectStore::listCategory, 3);
    EXPECT_EQ (list.grid.getSelectedIndex(), -1);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_EQ (list.grid.getScrollPosition(), 0);
    EXPECT_EQ (list.grid.getIds(), (std::vector<int> { 3, 17, 31, 45, 59, 73, 87 }));
    EXPECT_EQ (list.grid.thumbY(), -1);

    list.grid.bind (ObjectStore::listPresent, 0);
    list.wheel (-1.0f);   // the first wheel turn after a bind scrolls again
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 1);

    list.grid.selectIndex (30);
    list.grid.setColumns ({ 50, 180, 0, 0 });
    EXPECT_EQ (list.grid.getSelectedIndex(), -1);
    EXPECT_EQ (list.grid.getFirstVisibleRow(), 0);
    EXPECT_EQ (list.grid.getCount(), 100);
}

TEST (ObjectList, FiltersTheBuiltInProgramsByMode)
{
    const auto& programs = builtInPrograms();
    ObjectList grid (programs);
    grid.setSize (listWidth, listHeight);

    grid.bind (ObjectStore::listRange, ObjectStore::rangeFactory);
    EXPECT_EQ (grid.getCount(), 1141);   // 1..1136 and the five templates
    EXPECT_EQ (grid.getIds().front(), 1);
    EXPECT_EQ (grid.getIds().back(), 2047);

    grid.bind (ObjectStore::listRange, ObjectStore::rangeUser);
    EXPECT_EQ (grid.getCount(), 0);
    EXPECT_EQ (grid.thumbY(), -1);

    grid.bind (ObjectStore::listCategory, 4);
    ASSERT_GT (grid.getCount(), 0);
    for (int id : grid.getIds())
        EXPECT_EQ (programs.categoryName (id), "ORGAN") << id;

    grid.bind (ObjectStore::listPresent, 0);
    grid.selectId (2045, true);
    EXPECT_EQ (grid.getSelectedIndex(), 1138);
    EXPECT_EQ (grid.getFirstVisibleRow(), 1141 - 15);
}

TEST (ObjectList, RendersTheProgramChooserList)
{
    ListOf list (builtInPrograms());
    list.grid.bind (ObjectStore::listRange, ObjectStore::rangeFactory);
    list.press (textX, 4 * rowHeight + 10);   // the fifth program, as a user picks it
    list.release (textX, 4 * rowHeight + 10);
    ASSERT_EQ (list.grid.getSelectedId(), 5);
    EXPECT_EQ (zd8test::compareWithReference (list.grid, "grid_programs"), "");
}

//==============================================================================
TEST (ObjectList, TypedTextListsTheNamesContainingItInAnyCaseUnderTheBankOrCategoryFilter)
{
    NamedStore store;
    const auto backspace = juce::KeyPress::backspaceKey, escape = juce::KeyPress::escapeKey;
    struct Case
    {
        const char* what;
        int mode, argument;
        juce::String typed;
        std::vector<int> keys;   // pressed after the typed text
        std::vector<int> listed;
    };
    const Case cases[] = {
        { "all, lower case", ObjectStore::listPresent, 0, "pia", {}, { 1, 2, 6, 4096 } },
        { "all, upper case", ObjectStore::listPresent, 0, "PIANO", {}, { 1, 2, 6, 4096 } },
        { "inside a name, with a blank", ObjectStore::listPresent, 0, "o pa", {}, { 6 } },
        { "user bank", ObjectStore::listRange, ObjectStore::rangeUser, "pia", {}, { 4096 } },
        { "factory bank", ObjectStore::listRange, ObjectStore::rangeFactory, "organ", {}, { 3, 4 } },
        { "organ category", ObjectStore::listCategory, 4, "u", {}, { 4097 } },
        { "nothing matches", ObjectStore::listPresent, 0, "harp", {}, {} },
        { "a leading blank is ignored", ObjectStore::listPresent, 0, " pad", {}, { 6, 4098 } },
        { "backspace takes back one", ObjectStore::listPresent, 0, "pads", { backspace }, { 6, 4098 } },
        { "escape clears", ObjectStore::listRange, ObjectStore::rangeUser, "pia", { escape }, { 4096, 4097, 4098 } },
        { "backspace past the start", ObjectStore::listRange, ObjectStore::rangeUser, "p", { backspace, backspace },
          { 4096, 4097, 4098 } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ListOf list (store);
        list.grid.bind (c.mode, c.argument);
        typeInto (list.grid, c.typed);
        for (int key : c.keys)
            EXPECT_TRUE (zd8test::pressKey (list.grid, key));
        EXPECT_EQ (list.grid.getIds(), c.listed);
        EXPECT_TRUE (list.events().empty()) << "typing chooses nothing";
    }

    // The typed text stays when the owner binds another bank or category, and a click
    // chooses among what is listed.
    ListOf list (store);
    typeInto (list.grid, "organ");
    EXPECT_EQ (list.grid.getIds(), (std::vector<int> { 3, 4, 4097 }));
    list.grid.bind (ObjectStore::listRange, ObjectStore::rangeUser);
    EXPECT_EQ (list.grid.getIds(), std::vector<int> { 4097 });
    list.grid.bind (ObjectStore::listCategory, 4);
    EXPECT_EQ (list.grid.getIds(), (std::vector<int> { 3, 4, 4097 }));
    list.press (textX, rowHeight + 5);
    list.release (textX, rowHeight + 5);
    EXPECT_EQ (list.events(), (Events { { chosen, 4 } }));

    // The selection stays while its object is listed, and goes when it is not.
    list.grid.bind (ObjectStore::listPresent, 0);
    list.press (textX, rowHeight + 5);
    list.release (textX, rowHeight + 5);
    EXPECT_EQ (list.events(), (Events { { chosen, 4 } }));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE (zd8test::pressKey (list.grid, juce::KeyPress::backspaceKey));
    EXPECT_EQ (list.grid.getCount(), 9);
    EXPECT_EQ (list.grid.getSelectedId(), 4);
    EXPECT_EQ (list.grid.getSelectedIndex(), 3);
    typeInto (list.grid, "pia");
    EXPECT_EQ (list.grid.getSelectedIndex(), -1);
    // A blank typed after a word does not match the blanks that pad a stored name.
    typeInto (list.grid, "no ");
    EXPECT_EQ (list.grid.getIds(), std::vector<int> { 6 });
    EXPECT_TRUE (list.events().empty());
}

TEST (ObjectList, ArrowsAndPageKeysMoveTheSelectionQuietlyAndEnterChoosesIt)
{
    SmallStore store (100);
    ListOf list (store, 4);
    using K = juce::KeyPress;
    struct Step
    {
        int key;
        int index;          // selected afterwards
        int firstVisible;   // first row shown afterwards
        Events events;
    };
    const Step steps[] = {
        { K::returnKey, -1, 0, {} },                 // nothing selected: nothing to choose
        { K::downKey, 0, 0, { { quiet, 1 } } },      // from no selection to the first row
        { K::downKey, 1, 0, { { quiet, 2 } } },
        { K::upKey, 0, 0, { { quiet, 1 } } },
        { K::upKey, 0, 0, {} },                      // at the top it stays, and says nothing
        { K::pageDownKey, 15, 1, { { quiet, 16 } } },   // a page of 15 rows: scrolled just enough
        { K::pageDownKey, 30, 16, { { quiet, 31 } } },
        { K::returnKey, 30, 16, { { chosen, 31 } } },
        { K::pageUpKey, 15, 15, { { quiet, 16 } } },
        { K::endKey, 99, 85, { { quiet, 100 } } },
        { K::downKey, 99, 85, {} },
        { K::pageDownKey, 99, 85, {} },
        { K::homeKey, 0, 0, { { quiet, 1 } } },
        { K::pageUpKey, 0, 0, {} },
        { K::returnKey, 0, 0, { { chosen, 1 } } },
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE (K (s.key).getTextDescription());
        EXPECT_TRUE (zd8test::pressKey (list.grid, s.key));
        EXPECT_EQ (list.grid.getSelectedIndex(), s.index);
        EXPECT_EQ (list.grid.getFirstVisibleRow(), s.firstVisible);
        EXPECT_EQ (list.grid.getScrollPosition(), s.firstVisible);   // the thumb follows
        EXPECT_EQ (list.events(), s.events);
    }

    // The events carry the list's channel, as a click's do.
    zd8test::pressKey (list.grid, K::downKey);
    zd8test::pressKey (list.grid, K::returnKey);
    EXPECT_EQ (list.grid.takeEvents(), (std::vector<juce::uint64> { EditEvent::make (quiet, 11, 11, 4, 2),
                                                                    EditEvent::make (chosen, 11, 11, 4, 2) }));

    // Up from no selection starts at the last row; the keys move among the listed only.
    ListOf named (store);
    EXPECT_TRUE (zd8test::pressKey (named.grid, K::upKey));
    EXPECT_EQ (named.grid.getSelectedId(), 100);
    typeInto (named.grid, "program 9");
    EXPECT_EQ (named.grid.getCount(), 11);   // 9, 90..99
    named.events();
    zd8test::pressKey (named.grid, K::homeKey);
    zd8test::pressKey (named.grid, K::downKey);
    zd8test::pressKey (named.grid, K::returnKey);
    EXPECT_EQ (named.events(), (Events { { quiet, 9 }, { quiet, 90 }, { chosen, 90 } }));
}

TEST (ObjectList, KeysTheListDoesNotUseGoOnToItsOwners)
{
    SmallStore store (20);
    ListOf list (store);
    const juce::KeyPress declined[] = {
        juce::KeyPress (juce::KeyPress::escapeKey),   // nothing typed to clear
        juce::KeyPress (juce::KeyPress::leftKey),
        juce::KeyPress (juce::KeyPress::rightKey),
        juce::KeyPress (juce::KeyPress::tabKey),
        juce::KeyPress ('c', juce::ModifierKeys::ctrlModifier, 0),
        juce::KeyPress ('v', juce::ModifierKeys::commandModifier, 0),
        juce::KeyPress (juce::KeyPress::F5Key),
    };
    for (const auto& key : declined)
        EXPECT_FALSE (list.grid.keyPressed (key)) << key.getTextDescription();
    EXPECT_EQ (list.grid.getCount(), 20);
    EXPECT_TRUE (list.events().empty());
    EXPECT_TRUE (list.grid.getWantsKeyboardFocus());
}

TEST (ObjectList, RendersTheTypedTextAtTheFootOfTheList)
{
    ListOf list (builtInPrograms());
    list.grid.bind (ObjectStore::listRange, ObjectStore::rangeFactory);
    typeInto (list.grid, "grand");
    ASSERT_GT (list.grid.getCount(), 0);
    for (int id : list.grid.getIds())
        EXPECT_TRUE (builtInPrograms().recordName (id).containsIgnoreCase ("grand")) << id;
    zd8test::pressKey (list.grid, juce::KeyPress::downKey);
    EXPECT_EQ (zd8test::compareWithReference (list.grid, "grid_find"), "");
}

TEST (ObjectList, WhileTextIsTypedTheRowsEndAboveItsFieldAndTheKeysKeepTheSelectionThere)
{
    ListOf list (builtInPrograms());
    list.grid.bind (ObjectStore::listRange, ObjectStore::rangeFactory);
    const int allRows = listHeight / rowHeight;
    typeInto (list.grid, "grand");
    ASSERT_GT (list.grid.getCount(), allRows) << "more matches than rows, so the list scrolls";
    EXPECT_EQ (list.grid.visibleRows(), allRows - 1);

    // End, Page Down and Down from each row reach the last match with it drawn whole above
    // the field in the last row's place.
    for (int key : { (int) juce::KeyPress::endKey, (int) juce::KeyPress::homeKey, (int) juce::KeyPress::pageDownKey,
                     (int) juce::KeyPress::downKey })
    {
        zd8test::pressKey (list.grid, key);
        SCOPED_TRACE (key);
        const int shownAt = list.grid.getSelectedIndex() - list.grid.getFirstVisibleRow();
        EXPECT_GE (shownAt, 0);
        EXPECT_LT (shownAt, allRows - 1) << "the selected row is not under the find field";
    }
    zd8test::pressKey (list.grid, juce::KeyPress::endKey);
    EXPECT_EQ (list.grid.getSelectedIndex(), list.grid.getCount() - 1);

    // A press on the field selects nothing; with the text gone the last row is a row again.
    const int before = list.grid.getSelectedIndex();
    const float fieldY = (float) (allRows * rowHeight - rowHeight / 2);
    list.press (60.0f, fieldY);
    list.release (60.0f, fieldY);
    EXPECT_EQ (list.grid.getSelectedIndex(), before);
    zd8test::pressKey (list.grid, juce::KeyPress::escapeKey);
    EXPECT_EQ (list.grid.visibleRows(), allRows);
}
