// The object display: number and typed-number texts, the category cell table, press
// codes at scale 1 and 2, sizes and placement, what each kind paints, and offscreen
// renders of a program display with a built-in program and of a small display.
#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/Pictures.h"
#include "model/Categories.h"
#include "model/BuiltInBanks.h"
#include "model/ProgramStore.h"
#include "support/RenderCheck.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
    // A real mouse event from the main mouse source, at a point in the display's own pixels.
    juce::MouseEvent mouseAt (juce::Component& c, float x, float y)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), { x, y },
                                 juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &c, &c, now,
                                 { x, y }, now, 1, false);
    }

    struct ChangeCounter : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        int count = 0;
    };

    juce::Colour pixel (const juce::Image& image, int x, int y)
    {
        return image.getPixelAt (x, y);
    }

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
} // namespace

TEST (ObjectDisplay, NumberTextIsEmptyBelowOneAndATypedNumberLastsUntilReplaced)
{
    ObjectDisplay display (ObjectDisplay::programDisplay, 280, 150);
    display.setContents (0, 1, 2, "Grand", "PIANO", "Ch. 1", "LAYRA");
    EXPECT_EQ (display.getShownNumberText(), "");
    display.setNumber (-3);
    EXPECT_EQ (display.getShownNumberText(), "");
    display.setNumber (12);
    EXPECT_EQ (display.getShownNumberText(), "12");

    display.setTyped (345);
    EXPECT_TRUE (display.isTyped());
    EXPECT_EQ (display.getShownNumberText(), "345");
    EXPECT_EQ (display.getNumber(), 12);

    display.setNumber (7);   // a new number replaces what was being typed
    EXPECT_FALSE (display.isTyped());
    EXPECT_EQ (display.getTypedNumber(), 0);
    EXPECT_EQ (display.getShownNumberText(), "7");

    display.setTyped (9);
    display.setContents (1136, 7, 0, "Lead", "SYNTH", "Ch. 2", "LAYRA");
    EXPECT_FALSE (display.isTyped());
    EXPECT_EQ (display.getShownNumberText(), "1136");
    EXPECT_EQ (display.getObjectName(), "Lead");
}

TEST (ObjectDisplay, CategoryCellOfEveryMainCategory)
{
    struct Case
    {
        int main, sub, column, row;
    };
    const Case cases[] = {
        { 0, 0, 0, 0 },   { 0, 3, 0, 0 },   { 0, 9, 0, 0 },                                     // no category, any sub
        { 1, 0, 1, 0 },   { 1, 1, 1, 0 },   { 1, 2, 1, 1 },   { 1, 3, 1, 2 },   { 1, 4, 1, 3 }, { 1, 5, 1, 0 },
        { 2, 0, 2, 0 },   { 2, 1, 2, 1 },   { 2, 3, 2, 3 },   { 2, 4, 2, 0 },
        { 3, 1, 3, 0 },   { 3, 2, 3, 1 },   { 3, 3, 3, 0 },
        { 4, 1, 4, 0 },   { 4, 2, 4, 1 },   { 4, 4, 4, 3 },
        { 5, 0, 9, 0 },   { 5, 1, 9, 1 },   { 5, 2, 9, 0 },
        { 6, 3, 6, 0 },
        { 7, 0, 7, 0 },   { 7, 2, 5, 0 },   { 7, 3, 8, 0 },   { 7, 4, 7, 0 },
        { 8, 1, 10, 0 },  { 9, 0, 12, 0 },  { 10, 2, 19, 0 },
        { 11, 1, 13, 0 }, { 11, 2, 14, 0 }, { 12, 1, 15, 0 }, { 12, 2, 16, 0 },
        { 13, 4, 20, 0 },
        { 14, 3, 14, 3 }, { 20, 4, 20, 4 }, { -1, 0, -1, 0 },                                 // taken as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ (ObjectDisplay::categoryCell (c.main, c.sub), juce::Point<int> (c.column, c.row))
            << "main " << c.main << " sub " << c.sub;
}

TEST (ObjectDisplay, CategoryTextNamesTheSubCategoryOnlyWhenItHasAName)
{
    EXPECT_EQ (ObjectDisplay::categoryText (1, 2), "PIANO: Japanese");
    EXPECT_EQ (ObjectDisplay::categoryText (4, 4), "ORGAN: Pipe");
    EXPECT_EQ (ObjectDisplay::categoryText (7, 2), "SYNTH");
    EXPECT_EQ (ObjectDisplay::categoryText (1, 4), "PIANO");
    EXPECT_EQ (ObjectDisplay::categoryText (14, 0), "14");   // the display's table has no "FM"
}

TEST (ObjectDisplay, PressCodesByPlaceAndScaleThenReleaseEachWithAChangeMessage)
{
    struct Case
    {
        float scale, x, y;
        int code;
    };
    const Case cases[] = {
        { 1.0f, 70, 10, 503 }, { 1.0f, 30, 10, 501 }, { 1.0f, 30, 40, 502 }, { 1.0f, 70, 40, 502 },
        { 1.0f, 62, 32, 501 },                                           // on both borders: upper left
        { 2.0f, 70, 10, 501 }, { 2.0f, 130, 10, 503 }, { 2.0f, 30, 60, 501 }, { 2.0f, 30, 70, 502 },
    };
    for (const auto& c : cases)
    {
        ObjectDisplay display (ObjectDisplay::smallDisplay, 0, 0);
        display.placeAt (0, 0, c.scale);
        ChangeCounter counter;
        display.addChangeListener (&counter);

        display.mouseDown (mouseAt (display, c.x, c.y));
        EXPECT_EQ (display.getPressCode(), c.code) << "scale " << c.scale << " at " << c.x << "," << c.y;
        display.dispatchPendingMessages();
        EXPECT_EQ (counter.count, 1);

        display.mouseUp (mouseAt (display, c.x, c.y));
        EXPECT_EQ (display.getPressCode(), ObjectDisplay::released);
        display.dispatchPendingMessages();
        EXPECT_EQ (counter.count, 2);
        display.removeChangeListener (&counter);
    }
}

TEST (ObjectDisplay, SmallDisplayIsAlways216By48AndPlacementScalesTheSize)
{
    ObjectDisplay small (ObjectDisplay::smallDisplay, 500, 500);
    EXPECT_EQ (small.getBounds(), juce::Rectangle<int> (0, 0, 216, 48));
    small.placeAt (10, 20, 1.5f);
    EXPECT_EQ (small.getBounds(), juce::Rectangle<int> (10, 20, 324, 72));
    small.moveBy (5, -5);
    EXPECT_EQ (small.getBounds(), juce::Rectangle<int> (15, 15, 324, 72));
    small.moveBy (0, 0);   // always from the placed position, never cumulative
    EXPECT_EQ (small.getBounds(), juce::Rectangle<int> (10, 20, 324, 72));

    ObjectDisplay program (ObjectDisplay::programDisplay, 280, 150);
    EXPECT_EQ (program.getBounds(), juce::Rectangle<int> (0, 0, 280, 150));
    program.placeAt (360, 22, 1.0f);
    EXPECT_EQ (program.getBounds(), juce::Rectangle<int> (360, 22, 280, 150));
}

TEST (ObjectDisplay, ProgramDisplayDrawsItsCategoryCellCentredOnBlack)
{
    // Pixels of the cell away from the name band and the texts.
    const juce::Point<int> samples[] = { { 10, 8 }, { 150, 80 }, { 205, 60 }, { 100, 95 } };
    const auto sheet = Pictures::get ("category_sheet");
    const juce::Point<int> origin ((280 - 212) / 2, (150 - 103) / 2);

    struct Case
    {
        int kind, main, sub, column, row;
    };
    const Case cases[] = {
        { ObjectDisplay::programDisplay, 7, 2, 5, 0 },
        { ObjectDisplay::programDisplay, 0, 3, 0, 0 },
        { ObjectDisplay::programDisplay, 4, 3, 4, 2 },
        { ObjectDisplay::multiDisplay, 7, 2, 0, 1 },   // multi displays ignore the category
    };
    for (const auto& c : cases)
    {
        ObjectDisplay display (c.kind, 280, 150);
        display.setContents (5, c.main, c.sub, "", "", "", "");
        const auto render = zd8test::renderComponent (display);
        EXPECT_EQ (pixel (render, 0, 0), juce::Colours::black);
        for (auto p : samples)
        {
            const auto expected = juce::Colours::black.overlaidWith (
                pixel (sheet, c.column * 212 + p.x, c.row * 103 + p.y));
            EXPECT_EQ (pixel (render, origin.x + p.x, origin.y + p.y), expected)
                << "kind " << c.kind << " category " << c.main << "/" << c.sub << " at " << p.toString();
        }
    }
}

TEST (ObjectDisplay, OffSheetCategoryShowsNoPictureAndFxChainDisplayKeepsItsBackground)
{
    ObjectDisplay program (ObjectDisplay::programDisplay, 280, 150);
    program.setContents (5, 60, 9, "", "", "", "");   // bytes out of range: no cell
    const auto render = zd8test::renderComponent (program);
    EXPECT_EQ (pixel (render, 34 + 150, 23 + 80), juce::Colours::black);

    ObjectDisplay chain (ObjectDisplay::fxChainDisplay, 280, 150);
    const auto chainRender = zd8test::renderComponent (chain);
    EXPECT_EQ (pixel (chainRender, 0, 0).getAlpha(), 0);   // no black fill around the cell
}

TEST (ObjectDisplay, SmallDisplayIsWhiteUnderItsBackgroundWithDarkBottomAndRightEdges)
{
    ObjectDisplay small (ObjectDisplay::smallDisplay, 0, 0);
    const auto render = zd8test::renderComponent (small);
    const juce::Colour edge (0xff1d1d1d);
    EXPECT_EQ (pixel (render, 100, 47), edge);
    EXPECT_EQ (pixel (render, 215, 20), edge);
    const auto back = Pictures::get ("lcd_back");
    EXPECT_EQ (pixel (render, 200, 20), juce::Colours::white.overlaidWith (pixel (back, 200, 20)));
}

TEST (ObjectDisplay, RendersProgramAndSmallDisplays)
{
    const auto& programs = builtInPrograms();
    const int id = 1;
    ASSERT_TRUE (programs.isPresent (id));
    const int main = programs.byteAt (id, ProgramStore::mainCategoryOffset);
    ObjectDisplay program (ObjectDisplay::programDisplay, 280, 150);
    program.setContents (id, main, programs.byteAt (id, ProgramStore::subCategoryOffset),
                         programs.programName (id), Categories::mainCategoryName (main), "Ch. 1",
                         programs.modeText (id));
    EXPECT_EQ (zd8test::compareWithReference (program, "lcd_program"), "");

    ObjectDisplay small (ObjectDisplay::smallDisplay, 0, 0);
    small.setContents (17, 0, 0, "Warm Strings", "STRINGS", "BANK", "user");
    EXPECT_EQ (zd8test::compareWithReference (small, "lcd_small"), "");
}

namespace
{
    /** The rows (top, bottom) whose pixels a name changes, against the same display
        without a name. */
    juce::Range<int> nameRows (ObjectDisplay& display, const juce::String& name)
    {
        display.setContents (17, 0, 0, {}, "STRINGS", "BANK", "user");
        const auto blank = zd8test::renderComponent (display);
        display.setContents (17, 0, 0, name, "STRINGS", "BANK", "user");
        const auto named = zd8test::renderComponent (display);
        int top = -1, bottom = -1;
        for (int y = 0; y < named.getHeight(); ++y)
            for (int x = 0; x < named.getWidth(); ++x)
                if (named.getPixelAt (x, y) != blank.getPixelAt (x, y))
                {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
        return { top, bottom + 1 };
    }
}

TEST (ObjectDisplay, SmallDisplayShowsWholeDescendersAboveItsBottomEdge)
{
    for (float scale : { 1.0f, 1.5f })
    {
        ObjectDisplay small (ObjectDisplay::smallDisplay, 0, 0);
        small.placeAt (0, 0, scale);

        // How far the hanging name reaches below the flat one in the name's font, drawn
        // with room to spare.
        auto inkBottom = [scale] (const juce::String& text)
        {
            juce::Image room (juce::Image::ARGB, 400, 120, true);
            {
                juce::Graphics g (room);
                g.setColour (juce::Colours::white);
                g.setFont (juce::Font ("Arial", 17.0f * scale, juce::Font::bold));
                g.drawSingleLineText (text, 10, 60);
            }
            for (int y = room.getHeight() - 1; y >= 0; --y)
                for (int x = 0; x < room.getWidth(); ++x)
                    if (room.getPixelAt (x, y).getAlpha() != 0)
                        return y;
            return -1;
        };
        const float descent = (float) (inkBottom ("Hyperjog Pq") - inkBottom ("Warm Street"));
        ASSERT_GT (descent, 2.0f);

        const auto flat = nameRows (small, "Warm Street");
        const auto hanging = nameRows (small, "Hyperjog Pq");
        ASSERT_FALSE (flat.isEmpty());
        EXPECT_GE ((float) (hanging.getEnd() - flat.getEnd()), descent - 1.5f)
            << "scale " << scale << ": descenders cut at row " << hanging.getEnd();
        // Above the dark bottom edge, which stays whole.
        EXPECT_LT (hanging.getEnd(), small.getHeight() - 1) << "scale " << scale;
    }
}
