#include "editor/kit/KitButton.h"

namespace zd8
{

namespace
{
    constexpr int textOnlyStyle = 140;

    float cornerRadius (int style) noexcept
    {
        switch (style)
        {
            case 6: return 6.0f;
            case 7: return 2.0f;
            case 11: return 9.0f;
            case 12: return 0.0f;
            default: return 4.0f;
        }
    }

    float borderWidth (int style) noexcept
    {
        return style == 12 ? 2.0f : 1.0f;
    }
} // namespace

KitButton::KitButton (const juce::String& t, int id, int st, float size)
    : text (t), identifier (id), style (st), fontSize (size)
{
}

KitButton::~KitButton() = default;

void KitButton::addListener (KitButtonListener* l)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    if (l != nullptr)
        listeners.addIfNotAlreadyThere (l);
}

void KitButton::removeListener (KitButtonListener* l)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (l);
}

void KitButton::report (ReportKind kind)
{
    juce::Array<KitButtonListener*> snapshot;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        snapshot = listeners;
    }
    reportKind = kind;
    // Called without the lock (a listener may remove itself or others); the last
    // registered first, skipping any that an earlier one removed.
    for (int i = snapshot.size(); --i >= 0;)
    {
        auto* l = snapshot.getUnchecked (i);
        {
            const std::lock_guard<std::mutex> g (listenerLock);
            if (! listeners.contains (l))
                continue;
        }
        l->buttonPressed (this, identifier);
    }
    reportKind = ReportKind::press;
}

void KitButton::setText (const juce::String& t)
{
    if (t == text)
        return;
    text = t;
    repaint();
}

void KitButton::setOn (bool on)
{
    if (on == onState)
        return;
    onState = on;
    repaint();
}

void KitButton::setColours (juce::Colour normal, juce::Colour pressedC, juce::Colour onC, juce::Colour textC)
{
    normalColour = normal;
    pressedColour = pressedC;
    onColour = onC;
    textColour = textC;
    repaint();
}

juce::Colour KitButton::faceColour() const noexcept
{
    auto c = down ? pressedColour : onState ? onColour : normalColour;
    return over && ! down ? c.brighter (0.12f) : c;
}

void KitButton::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat();
    g.setFont (juce::Font ("Arial", fontSize, juce::Font::plain));

    if (style >= textOnlyStyle)
    {
        auto c = onState ? onColour.brighter (0.6f) : textColour;
        if (down)
            c = c.darker (0.4f);
        else if (over)
            c = c.brighter (0.3f);
        g.setColour (c);
        g.drawFittedText (text, getLocalBounds().reduced (2, 0), juce::Justification::centred, 2, 0.8f);
        return;
    }

    const float radius = cornerRadius (style), border = borderWidth (style);
    const auto face = faceColour();
    const auto box = area.reduced (border * 0.5f);
    g.setGradientFill (juce::ColourGradient (face.brighter (0.08f), 0.0f, 0.0f, face.darker (0.12f), 0.0f, area.getBottom(), false));
    g.fillRoundedRectangle (box, radius);
    g.setColour (down ? face.darker (0.5f) : face.brighter (0.35f));
    g.drawRoundedRectangle (box, radius, border);

    g.setColour (down ? textColour.darker (0.15f) : textColour);
    g.drawFittedText (text, getLocalBounds().reduced (4, 1).translated (0, down ? 1 : 0), juce::Justification::centred, 2, 0.8f);
}

void KitButton::mouseDown (const juce::MouseEvent&)
{
    down = true;
    repaint();
    if (! releaseMode)
        report (ReportKind::press);
}

void KitButton::mouseUp (const juce::MouseEvent& e)
{
    const bool wasDown = down;
    down = false;
    repaint();
    if (releaseMode && wasDown && getLocalBounds().contains (e.getPosition()))
        report (ReportKind::press);
}

void KitButton::mouseEnter (const juce::MouseEvent&)
{
    over = true;
    repaint();
    if (identifier == hoverIdentifier)
        report (ReportKind::pointerEntered);
}

void KitButton::mouseExit (const juce::MouseEvent&)
{
    over = false;
    repaint();
    if (identifier == hoverIdentifier)
        report (ReportKind::pointerLeft);
}

} // namespace zd8
