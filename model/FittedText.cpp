#include "model/FittedText.h"

namespace zd8
{

const juce::String FittedText::ellipsis (juce::CharPointer_UTF8 ("\xe2\x80\xa6"));

float FittedText::widthOf (const juce::String& s, const juce::String& typeface, float size)
{
    return juce::Font (typeface, size, juce::Font::plain).getStringWidthFloat (s);
}

FittedText FittedText::fit (const juce::String& s, const juce::String& typeface, float preferredSize,
                            float minimumSize, float width)
{
    const auto whole = s.trimEnd();
    for (float size = preferredSize; size >= minimumSize; size -= sizeStep)
        if (widthOf (whole, typeface, size) <= width)
            return { whole, size };

    // Whole characters only, and no blank left before the ellipsis.
    for (int n = whole.length() - 1; n > 0; --n)
    {
        const auto cut = whole.substring (0, n).trimEnd() + ellipsis;
        if (widthOf (cut, typeface, minimumSize) <= width)
            return { cut, minimumSize };
    }
    return { widthOf (ellipsis, typeface, minimumSize) <= width ? ellipsis : juce::String(), minimumSize };
}

void FittedText::draw (juce::Graphics& g, const juce::String& typeface, juce::Rectangle<int> area,
                       juce::Justification justification) const
{
    if (text.isEmpty())
        return;
    g.setFont (juce::Font (typeface, size, juce::Font::plain));
    // It fits already: the framework must not squeeze or cut it again.
    g.drawText (text, area, justification, false);
}

} // namespace zd8
