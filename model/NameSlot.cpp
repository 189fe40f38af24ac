#include "model/NameSlot.h"

#include "model/FittedText.h"

namespace zd8
{

namespace
{
    constexpr int shortNameLimit = 10;   // names shorter than this stay on one line
    constexpr int lateFirstBlank = 5;    // a first blank from here on breaks the name

    constexpr int eventCodeShift = 48;
    constexpr int subKindShift = 20;
    constexpr int channelShift = 16;

    const char* const fontName = "Arial";
    constexpr float labelFontSize = 10.0f;
    constexpr float nameFontSize = 11.0f;
    constexpr float categoryFontSize = 10.0f;
    // Below this a name is no longer read at a glance: it is shortened instead.
    constexpr float smallestFontSize = 10.0f;

    // Inside the slot, clear of its 1-pixel rim on the right.
    constexpr int textLeft = 6, textRight = NameSlot::width - 2;
    const juce::Rectangle<int> labelArea { textLeft, 1, textRight - textLeft, 14 };
    const juce::Rectangle<int> line1Area { textLeft, 16, textRight - textLeft, 13 };
    const juce::Rectangle<int> line2Area { textLeft, 27, textRight - textLeft, 13 };
    const juce::Rectangle<int> categoryArea { 2, 1, NameSlot::width - 4, 16 };

    /** The slot's background for one mode: a dark panel, lighter at the top, with a
        thin rim. Drawn once per slot instead of decoded from a file. */
    juce::Image makeBackground (int height)
    {
        juce::Image image (juce::Image::ARGB, NameSlot::width, height, true);
        juce::Graphics g (image);
        const auto bounds = image.getBounds().toFloat();
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF3C4448), 0.0f, 0.0f,
                                                 juce::Colour (0xFF1E2326), 0.0f, (float) height, false));
        g.fillRect (bounds);
        g.setColour (juce::Colour (0xFF50595E));
        g.drawRect (bounds, 1.0f);
        return image;
    }
}

juce::uint64 NameSlot::clickEvent (int ch) noexcept
{
    return clickEventCode << eventCodeShift | programRow << subKindShift
         | (juce::uint64) (ch & 0x0F) << channelShift;
}

NameSlot::Lines NameSlot::splitName (const juce::String& name)
{
    const int length = name.length();
    const int b = name.indexOfChar (' ');
    if (length < shortNameLimit || b < 0)
        return { name, {} };

    int lineBreak = b;
    if (b < lateFirstBlank)
    {
        const int d = name.indexOfChar (b + 1, ' ');
        if (d >= 0)
            lineBreak = d;
    }

    // Line 2 leaves out the name's last character.
    return { name.substring (0, lineBreak), name.substring (lineBreak + 1, length - 1) };
}

NameSlot::NameSlot (int slotMode, int slotChannel)
    : mode (slotMode), channel (slotChannel)
{
    nameBackground = makeBackground (nameModeHeight);
    categoryBackground = makeBackground (categoryModeHeight);
    setProgramName ("Standard Grand");
}

void NameSlot::setProgramName (const juce::String& name)
{
    auto lines = splitName (name);
    nameLine1 = lines.first;
    nameLine2 = lines.second;
}

void NameSlot::setLabel (const juce::String& text)
{
    label = text;
}

void NameSlot::setCategoryText (const juce::String& text)
{
    category = text;
}

bool NameSlot::popEvent (juce::uint64& word)
{
    const juce::ScopedLock sl (eventLock);
    if (events.empty())
        return false;
    word = events.front();
    events.pop_front();
    return true;
}

void NameSlot::paint (juce::Graphics& g)
{
    if (mode == modeCategory)
    {
        g.drawImageAt (categoryBackground, 0, 0);
        g.setColour (categoryColour);
        const auto shown = FittedText::fit (category, fontName, categoryFontSize, smallestFontSize,
                                            (float) categoryArea.getWidth());
        shownCategory = shown.text;
        shown.draw (g, fontName, categoryArea, juce::Justification::centred);
        return;
    }

    g.drawImageAt (nameBackground, 0, 0);
    if (pressed != 0)
    {
        g.setColour (juce::Colour (frameDarkEdge));
        g.fillRect (0, nameModeHeight - 1, width, 1);
        g.fillRect (width - 1, 0, 1, nameModeHeight);
        g.setColour (juce::Colour (frameLightEdge));
        g.fillRect (0, 0, width, 1);
        g.fillRect (0, 0, 1, nameModeHeight);
    }

    const auto fitted = [] (const juce::String& s, float size, juce::Rectangle<int> area)
    {
        return FittedText::fit (s, fontName, size, juce::jmin (size, smallestFontSize), (float) area.getWidth());
    };

    g.setColour (labelColour);
    fitted (label, labelFontSize, labelArea).draw (g, fontName, labelArea, juce::Justification::centredLeft);

    g.setColour (nameColour);
    const auto line1 = fitted (nameLine1, nameFontSize, line1Area);
    const auto line2 = fitted (nameLine2, nameFontSize, line2Area);
    shownLine1 = line1.text;
    shownLine2 = line2.text;
    line1.draw (g, fontName, line1Area, juce::Justification::centredLeft);
    line2.draw (g, fontName, line2Area, juce::Justification::centredLeft);
}

void NameSlot::mouseDown (const juce::MouseEvent&)
{
    pressed = 1;
    repaint();
}

void NameSlot::mouseUp (const juce::MouseEvent&)
{
    pressed = 0;
    repaint();
    {
        const juce::ScopedLock sl (eventLock);
        events.push_back (clickEvent (channel));
    }
    sendChangeMessage(); // delivered asynchronously to whoever listens
}

} // namespace zd8
