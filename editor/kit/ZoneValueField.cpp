#include "editor/kit/ZoneValueField.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int capWidth = 14;
    // Ranges whose maximum is below this drag one step per this many pixels.
    constexpr int slowDragBelow = 15;
    constexpr double slowDragStep = 15.0;
    // Fields with fewer values than this cycle on a press instead of dragging.
    constexpr int cycleBelowValues = 4;
    // The plain form of the engine's addressed change: no adjustment from the edit buffer.
    constexpr int plainSelector = 0;

    const juce::Colour valueColour (Palette::controlValueBoxText);
    const juce::Colour labelColour (Palette::textLight);
}

ZoneValueField::ZoneValueField (EditorConnection& c) : connection (c)
{
    loadPictures();
}

ZoneValueField::~ZoneValueField()
{
    endGesture();
}

void ZoneValueField::setup (int number, const juce::String& text, int minimumValue, int maximumValue, int format)
{
    parameterNumber = number & 0xff;
    label = text;
    minimum = juce::jmin (minimumValue, maximumValue);
    maximum = juce::jmax (minimumValue, maximumValue);
    valueFormat = format;
    value = minimum;
    // place() computes the step too; a later setup with another range must not keep a stale one.
    updateDragStep();
    repaint();
}

void ZoneValueField::place (int x, int y, int width, int height, int newStyle)
{
    unscaledBounds = { x, y, width, height };
    style = newStyle;
    loadPictures();
    updateDragStep();
    setBounds (unscaledBounds.toFloat().transformedBy (juce::AffineTransform::scale (scale)).toNearestInt());
}

void ZoneValueField::setScale (float factor)
{
    if (factor <= 0.0f)
        return;
    scale = factor;
    setBounds (unscaledBounds.toFloat().transformedBy (juce::AffineTransform::scale (scale)).toNearestInt());
    repaint();
}

void ZoneValueField::setAddress (int a1, int a2, int a3, int a4, int a5) noexcept
{
    address[0] = a1;
    address[1] = a2;
    address[2] = a3;
    address[3] = a4;
    address[4] = a5;
}

void ZoneValueField::setLabelHidden (bool hidden)
{
    labelHidden = hidden;
    repaint();
}

void ZoneValueField::updateDragStep() noexcept
{
    dragStep = maximum < slowDragBelow ? slowDragStep : 1.0;
}

void ZoneValueField::loadPictures()
{
    switch (style)
    {
        case pressBox:
            body = Pictures::get ("field_box");
            cap = {};
            break;
        case dragBox:
            body = Pictures::get ("value_bar");
            cap = Pictures::get ("value_bar_cap");
            break;
        default:
            body = Pictures::get ("value_box_tall");
            cap = Pictures::get ("value_box_tall_cap");
            break;
    }
}

void ZoneValueField::setValue (int v)
{
    value = juce::jlimit (minimum, maximum, v);
    repaint();
}

void ZoneValueField::userSet (int v)
{
    v = juce::jlimit (minimum, maximum, v);
    if (v == value)
        return;
    value = v;
    repaint();
    queue (changedCode, v);
    sendChangeMessage();

    if (address[0] != 0)
        connection.sendAddressed (plainSelector, channel + 1, address, v);
}

void ZoneValueField::requestEntry()
{
    queue (entryCode, 0);
    sendChangeMessage();
}

void ZoneValueField::queue (int code, int eventValue)
{
    // Only the changed-value event carries the sub-kind; presses and entry requests
    // name the field by its parameter number and channel alone.
    const int kind = code == changedCode ? subKind : 0;
    if (events.size() >= maxQueuedEvents)
        events.remove (0);
    events.add (EditEvent::make (code, parameterNumber, kind, channel, eventValue));
}

bool ZoneValueField::nextEvent (juce::uint64& event)
{
    if (events.isEmpty())
        return false;
    event = events.removeAndReturn (0);
    return true;
}

juce::String ZoneValueField::getValueText() const
{
    return connection.getImage().getValueFormatter().formatValue (valueFormat, value);
}

//==============================================================================
void ZoneValueField::drawCappedBox (juce::Graphics& g, juce::Rectangle<int> area, const juce::Image& picture,
                              const juce::Image& rightCap) const
{
    const int capW = rightCap.isValid() ? juce::roundToInt (capWidth * scale) : 0;
    const auto middle = area.withTrimmedRight (capW);
    // The body's left part up to its cap edge, stretched over the field's middle.
    PictureDraw::draw (g, picture, middle,
                       { 0, 0, juce::jmax (1, picture.getWidth() - (capW > 0 ? capWidth : 0)), picture.getHeight() });
    if (capW > 0)
        PictureDraw::draw (g, rightCap, { area.getRight() - capW, area.getY(), capW, area.getHeight() },
                           rightCap.getBounds());
}

void ZoneValueField::paint (juce::Graphics& g)
{
    auto area = getLocalBounds();
    const juce::String text = getValueText();

    switch (style)
    {
        case pressBox:
            PictureDraw::draw (g, body, area.toFloat());
            g.setColour (valueColour);
            g.setFont (juce::Font ("Arial", 13.0f * scale, juce::Font::plain));
            g.drawFittedText (text, area.reduced (4, 0), juce::Justification::centred, 1);
            break;

        case dragBox:
            drawCappedBox (g, area, body, cap);
            g.setColour (valueColour);
            g.setFont (juce::Font ("Arial", 12.0f * scale, juce::Font::plain));
            // Centred left of the cap: in a narrow field (the zone keys, 36 px) the text
            // would otherwise run into the cap's arrow.
            g.drawFittedText (text, area.withTrimmedRight (juce::roundToInt ((capWidth - 3) * scale)).reduced (1, 0),
                              juce::Justification::centred, 1);
            break;

        default:
            if (! labelHidden)
            {
                const auto top = area.removeFromTop (juce::roundToInt (14 * scale));
                g.setColour (labelColour);
                g.setFont (juce::Font ("Arial", 12.0f * scale, juce::Font::plain));
                g.drawFittedText (label, top, juce::Justification::centredLeft, 1);
            }
            drawCappedBox (g, area, body, cap);
            g.setColour (valueColour);
            g.setFont (juce::Font ("Arial", 12.0f * scale, juce::Font::plain));
            g.drawFittedText (text, area.reduced (4, 0), juce::Justification::centredLeft, 1);
            break;
    }
}

void ZoneValueField::mouseDown (const juce::MouseEvent& e)
{
    if (pressesOnly)
    {
        sendChangeMessage();
        return;
    }

    // What one press changes (a drag, a cycle step) is one step to undo.
    if (! gestureHeld)
    {
        gestureHeld = true;
        connection.beginEditGesture();
    }

    if (style == pressBox)
    {
        armed = true;
        return;
    }

    if (style == dragBox)
    {
        if (maximum - minimum + 1 < cycleBelowValues)
        {
            userSet (value + 1 > maximum ? minimum : value + 1);
            return;
        }
        dragging = true;
        pressPoint = e.getPosition();
        pressValue = value;
    }
}

void ZoneValueField::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging || style != dragBox)
        return;
    // Right and up raise the value, left and down lower it; each axis counts whole steps.
    const auto steps = (int) ((e.x - pressPoint.x) / dragStep) - (int) ((e.y - pressPoint.y) / dragStep);
    userSet (pressValue + steps);
}

void ZoneValueField::mouseUp (const juce::MouseEvent&)
{
    dragging = false;
    endGesture();
    if (style == pressBox && armed)
    {
        armed = false;
        queue (pressedCode, 0);
        sendChangeMessage();
    }
}

void ZoneValueField::endGesture()
{
    if (! gestureHeld)
        return;
    gestureHeld = false;
    connection.endEditGesture();
}

void ZoneValueField::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if ((style != pressBox && style != dragBox) || wheel.deltaY == 0.0f)
        return;
    userSet (value + (wheel.deltaY > 0.0f ? 1 : -1));
}

} // namespace zd8
