#include "editor/library/LibraryButton.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    const juce::Colour labelColour (Palette::libraryButtonLabel);
    constexpr float barHeight = 24.0f, capWidth = 5.0f;
}

LibraryButton::LibraryButton (const juce::String& text, int id, float size)
    : label (text), identifier (id), fontSize (size)
{
    body = Pictures::get ("lib_button_body");
    cap = Pictures::get ("lib_button_cap");
    litBody = Pictures::get ("lib_button_body_lit");
    litCap = Pictures::get ("lib_button_cap_lit");
    setSize (60, 40);
}

LibraryButton::~LibraryButton() = default;

void LibraryButton::addListener (LibraryButtonListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void LibraryButton::removeListener (LibraryButtonListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

void LibraryButton::setLabel (const juce::String& text)
{
    if (text == label)
        return;
    label = text;
    repaint();
}

void LibraryButton::paint (juce::Graphics& g)
{
    // Only the body stretches: the cap keeps its width however wide the button is.
    const auto bar = getLocalBounds().toFloat().withSizeKeepingCentre ((float) getWidth(), barHeight);
    const auto capArea = bar.withLeft (bar.getRight() - capWidth);
    PictureDraw::draw (g, over ? litBody : body, bar.withRight (capArea.getX()));
    PictureDraw::draw (g, over ? litCap : cap, capArea);
    g.setColour (labelColour);
    g.setFont (juce::Font ("Arial", fontSize, juce::Font::plain));
    g.drawFittedText (label, getLocalBounds().reduced (3, 0), juce::Justification::centred, 1);
}

void LibraryButton::mouseDown (const juce::MouseEvent&)
{
    // A listener may close the window this button lives in: call from a copy.
    juce::Array<LibraryButtonListener*> toCall;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        toCall = listeners;
    }
    for (int i = toCall.size(); --i >= 0;)
        toCall.getUnchecked (i)->libButtonPressed (this, identifier);
}

void LibraryButton::mouseEnter (const juce::MouseEvent&)
{
    over = true;
    repaint();
}

void LibraryButton::mouseExit (const juce::MouseEvent&)
{
    over = false;
    repaint();
}

} // namespace zd8
