#include "editor/shell/WindowButtons.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    constexpr int buttonWidth = 18, buttonHeight = 15;
    constexpr int closeWidth = 17, closeHeight = 15;
    const juce::Colour closeHighlight (Palette::windowButtonsCloseHighlight);
}

WindowButtons::WindowButtons (bool closeOnlyForm) : closeOnly (closeOnlyForm)
{
    if (closeOnly)
    {
        closePicture = Pictures::get ("window_close");
        setSize (closeWidth, closeHeight);
    }
    else
    {
        sheet = Pictures::get ("window_buttons");
        setSize (3 * buttonWidth, buttonHeight);
    }
    quitAction = [] { juce::JUCEApplicationBase::quit(); };
}

WindowButtons::~WindowButtons() = default;

void WindowButtons::addListener (WindowButtonsListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void WindowButtons::removeListener (WindowButtonsListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

int WindowButtons::codeAt (juce::Point<int> p) const noexcept
{
    if (closeOnly)
        return juce::Rectangle<int> (closeWidth, closeHeight).contains (p) ? closeCode : 0;
    if (p.y < 0 || p.y >= buttonHeight || p.x < 0 || p.x >= 3 * buttonWidth)
        return 0;
    return minimiseCode + p.x / buttonWidth;
}

void WindowButtons::paint (juce::Graphics& g)
{
    if (closeOnly)
    {
        PictureDraw::drawAt (g, closePicture, 0, 0);
        if (highlighted == closeCode)
        {
            g.setColour (closeHighlight);
            g.fillRect (0, 0, closeWidth, closeHeight);
        }
        return;
    }

    for (int i = 0; i < 3; ++i)
    {
        const int row = highlighted == minimiseCode + i ? buttonHeight : 0;
        PictureDraw::draw (g, sheet, { i * buttonWidth, 0, buttonWidth, buttonHeight },
                           { i * buttonWidth, row, buttonWidth, buttonHeight });
    }
}

void WindowButtons::setHighlighted (int code)
{
    if (code == highlighted)
        return;
    highlighted = code;
    repaint();
}

void WindowButtons::mouseMove (const juce::MouseEvent& e) { setHighlighted (codeAt (e.getPosition())); }
void WindowButtons::mouseEnter (const juce::MouseEvent& e) { setHighlighted (codeAt (e.getPosition())); }
void WindowButtons::mouseExit (const juce::MouseEvent&) { setHighlighted (0); }

void WindowButtons::mouseDown (const juce::MouseEvent& e)
{
    pressed = codeAt (e.getPosition());
    setHighlighted (pressed);
}

void WindowButtons::mouseDrag (const juce::MouseEvent& e)
{
    const int over = codeAt (e.getPosition());
    setHighlighted (over == pressed ? over : 0);
}

void WindowButtons::mouseUp (const juce::MouseEvent& e)
{
    const int code = codeAt (e.getPosition());
    const bool released = code != 0 && code == pressed;
    pressed = 0;
    if (! released)
        return;

    if (code == closeCode && quitsApplication)
    {
        if (quitAction)
            quitAction();
        return;
    }
    report (code);
}

void WindowButtons::report (int code)
{
    // A listener may close the window and remove itself: call from a copy.
    juce::Array<WindowButtonsListener*> toCall;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        toCall = listeners;
    }
    for (int i = toCall.size(); --i >= 0;)
        toCall.getUnchecked (i)->windowTool (code);
}

} // namespace zd8
