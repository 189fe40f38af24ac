#include "model/NameSlot.h"

#include <gtest/gtest.h>

using namespace zd8;

namespace
{
juce::MouseEvent mouseAt (NameSlot& slot)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), { 10.0f, 10.0f }, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
             &slot, &slot, now, { 10.0f, 10.0f }, now, 1, false };
}

struct ChangeCounter : juce::ChangeListener
{
    int count = 0;
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
};
} // namespace

TEST (NameSlot, SplitsNamesIntoTwoLines)
{
    struct Case { juce::String name, line1, line2; };
    const std::vector<Case> cases {
        { "Dyn 9ft Grand       ", "Dyn 9ft", "Grand      " },        // first blank at 3: the second breaks
        { "Standard Grand", "Standard", "Gran" },                   // the last character is not shown
        { "Orchestra", "Orchestra", "" },                           // shorter than 10
        { "Big Organ", "Big Organ", "" },                           // 9 characters with a blank
        { "Harpsichords", "Harpsichords", "" },                     // no blank
        { "Rock Organ", "Rock", "Orga" },                           // first blank at 4, no second
        { "Grand Piano 2       ", "Grand", "Piano 2      " },       // first blank at 5 breaks
        { "EP  Suitcase 73     ", "EP ", "Suitcase 73    " },        // second blank right after the first
        { "Orchestral ", "Orchestral", "" },                        // line 2 would start past its end
        { "A B C D E F G", "A B", "C D E F " },
    };
    for (const auto& c : cases)
    {
        const auto lines = NameSlot::splitName (c.name);
        EXPECT_EQ (lines.first, c.line1) << c.name;
        EXPECT_EQ (lines.second, c.line2) << c.name;
    }
}

TEST (NameSlot, NewSlotShowsTheStandardGrand)
{
    NameSlot slot (NameSlot::modeName, 3);
    EXPECT_EQ (slot.getNameLine1(), "Standard");
    EXPECT_EQ (slot.getNameLine2(), "Gran");
    EXPECT_EQ (slot.getLabel(), "BS1:0001");
    EXPECT_EQ (slot.getCategoryText(), "Piano");
    EXPECT_FALSE (slot.isPressed());
    EXPECT_EQ (slot.getChannel(), 3);
    EXPECT_EQ (slot.getMode(), NameSlot::modeName);

    slot.setProgramName ("Dyn 9ft Grand       ");
    slot.setLabel ("BS1:0012");
    slot.setCategoryText ("E. PIANO");
    EXPECT_EQ (slot.getNameLine1(), "Dyn 9ft");
    EXPECT_EQ (slot.getLabel(), "BS1:0012");
    EXPECT_EQ (slot.getCategoryText(), "E. PIANO");
}

TEST (NameSlot, ClickQueuesTheProgramEventOfItsChannelAndTellsListeners)
{
    NameSlot slot (NameSlot::modeCategory, 13);
    ChangeCounter counter;
    slot.addChangeListener (&counter);

    slot.mouseDown (mouseAt (slot));
    EXPECT_TRUE (slot.isPressed());
    juce::uint64 word = 0;
    EXPECT_FALSE (slot.popEvent (word)); // pressing alone reports nothing

    slot.mouseUp (mouseAt (slot));
    slot.mouseDown (mouseAt (slot));
    slot.mouseUp (mouseAt (slot));
    EXPECT_FALSE (slot.isPressed());

    slot.dispatchPendingMessages();
    EXPECT_GE (counter.count, 1);

    const juce::uint64 expected = (juce::uint64) 12 << 48 | (juce::uint64) 11 << 20 | (juce::uint64) 13 << 16;
    ASSERT_TRUE (slot.popEvent (word));
    EXPECT_EQ (word, expected);
    ASSERT_TRUE (slot.popEvent (word));
    EXPECT_EQ (word, expected);
    EXPECT_FALSE (slot.popEvent (word));

    slot.removeChangeListener (&counter);
}

TEST (NameSlot, PressedFrameIsBlackAtTopLeftAndGreyAtBottomRight)
{
    NameSlot slot (NameSlot::modeName, 0);
    slot.setBounds (0, 0, NameSlot::width, NameSlot::nameModeHeight);

    auto pixel = [&] (int x, int y) {
        juce::Image image (juce::Image::ARGB, NameSlot::width, NameSlot::nameModeHeight, true);
        juce::Graphics g (image);
        slot.paint (g);
        return image.getPixelAt (x, y).getARGB();
    };

    EXPECT_NE (pixel (0, 0), NameSlot::frameLightEdge);
    slot.mouseDown (mouseAt (slot));
    EXPECT_EQ (pixel (0, 0), NameSlot::frameLightEdge);
    EXPECT_EQ (pixel (0, 30), NameSlot::frameLightEdge);
    EXPECT_EQ (pixel (NameSlot::width - 1, 30), NameSlot::frameDarkEdge);
    EXPECT_EQ (pixel (30, NameSlot::nameModeHeight - 1), NameSlot::frameDarkEdge);
}
