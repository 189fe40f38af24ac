#include "editor/kit/ParameterControl.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

#include <cmath>

namespace zd8
{

namespace
{
    // All geometry below is in unscaled pixels; paint() and the mouse handlers convert.
    constexpr int knobCell = 46;          // one frame of a knob strip
    constexpr int knobPitch = 47;         // frames lie 47 px apart in the strip
    constexpr int knobLastFrame = 54;
    constexpr int knobTop = 1;
    constexpr int smallRangeLimit = 14;   // knobs of up to 14 steps turn one step per 15 px
    constexpr double smallRangeDragPixels = 15.0;

    constexpr int sliderSpread = 137;     // pixels the slider range is spread over (150 - 13)
    constexpr int sliderBarOffset = 13;   // first groove pixel inside the track picture
    constexpr int sliderGripY = 6;        // pointer y that means the maximum
    constexpr int sliderNameHeight = 14;  // style 4 draws its name above the track
    constexpr int trackWidth = 28, trackHeight = 154, thumbWidth = 19, thumbHeight = 41;

    constexpr int drawbarSpread = 109;
    constexpr int drawbarGripY = 20;
    constexpr int drawbarWidth = 32, drawbarHeight = 151;
    constexpr int drawbarRestY = -8;      // picture top at offset 0: its handle then meets the pointer
    constexpr int drawbarNineSteps[9] = { -3, -14, -25, -36, -46, -55, -67, -78, -91 };

    constexpr int valueBoxPressBelow = 10, valueBoxReleaseBelow = 13;
    constexpr int valueBarHeight = 18, valueBarCapWidth = 14, valueBarTop = 14;
    constexpr int switchWidth = 19, switchHeight = 12, switchPressLeftOf = 25, switchNameX = 36;
    constexpr int switchAboveHalfWidth = 10;
    constexpr int buttonWidth = 52, buttonHeight = 34;
    constexpr int lampWidth = 17;
    constexpr int tagWidth = 54, tagHeight = 13;

    const juce::Colour valueBoxText (Palette::controlValueBoxText);
    const juce::Colour cycleBoxText (Palette::controlCycleBoxText);
    const juce::Colour nameButtonText (Palette::controlNameButtonText);
    const juce::Colour nameButtonName (Palette::controlNameButtonName);
    const juce::Colour defaultName (Palette::controlName);
    const juce::Colour sliderLevel (Palette::controlSliderLevel);
    const juce::Colour slotShadow (Palette::controlSlotShadow);

    juce::Font arial (float size)
    {
        return juce::Font ("Arial", size, juce::Font::plain);
    }

    void text (juce::Graphics& g, const juce::String& s, juce::Rectangle<int> area, float size, juce::Colour colour,
               juce::Justification j = juce::Justification::centred)
    {
        if (s.isEmpty() || area.isEmpty())
            return;
        g.setFont (arial (size));
        g.setColour (colour);
        g.drawFittedText (s, area, j, 1, 0.7f);
    }

    // A picture centred in an area, shrunk (never grown) when the area is smaller.
    void picture (juce::Graphics& g, const juce::Image& img, juce::Rectangle<int> area)
    {
        g.setOpacity (1.0f);
        PictureDraw::draw (g, img, area.toFloat(),
                           juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize);
    }
} // namespace

ParameterControl::ParameterControl()
{
    setOpaque (false);
}

ParameterControl::~ParameterControl() = default;

void ParameterControl::setup (const juce::String& n, int s, int width, int height, int x, int y, int mn, int mx, int st)
{
    name = n;
    slot = s;
    minimum = mn;
    maximum = juce::jmax (mn, mx);
    style = st;
    value = minimum - 1;   // the first setValue always differs, so it always repaints
    lastReported = value;
    valueText.clear();
    pressed = armed = false;
    nameColour = st == nameButton ? nameButtonName : defaultName;
    valueColour = st == valueBox ? valueBoxText
                : st == cycleBox ? cycleBoxText
                : st == nameButton ? nameButtonText
                                   : juce::Colours::white;
    unscaledBounds = { x, y, width, height };
    loadPictures();
    computeLayout();
    computeFrame();
    applyBounds();
    requestRepaint();
}

void ParameterControl::loadPictures()
{
    for (auto& p : pictures)
        p = {};
    switch (style)
    {
        case valueBox:
        case cycleBox:
            pictures[0] = Pictures::get ("value_bar");
            pictures[1] = Pictures::get ("value_bar_cap");
            break;
        case switchBeside:
        case switchAbove:
            pictures[0] = Pictures::get ("switch_off");
            pictures[1] = Pictures::get ("switch_on");
            break;
        case twoStateButton:
            pictures[0] = Pictures::get ("button_off");
            pictures[1] = Pictures::get ("button_on");
            break;
        case knob:
        case fixedKnob:
            pictures[0] = Pictures::get ("knob_back");
            pictures[1] = Pictures::get (knobStrip == 0 ? "knob_strip_a" : "knob_strip_b");
            break;
        case fader:
        case shortFader:
            pictures[0] = Pictures::get ("slider_track");
            pictures[1] = Pictures::get ("slider_thumb");
            break;
        case drawbar:
        {
            static const char* const names[] = { "drawbar_1", "drawbar_2", "drawbar_3" };
            pictures[0] = Pictures::get (names[drawbarPicture]);
            break;
        }
        case lamp:
        case lampAlt:
            pictures[0] = Pictures::get ("lamp_off");
            pictures[1] = Pictures::get ("lamp_on");
            pictures[2] = Pictures::get ("lamp_pressed");
            break;
        case tag:
            pictures[0] = Pictures::get ("value_tag");
            break;
        case nameButton:
            pictures[0] = Pictures::get ("menu_button");
            pictures[1] = Pictures::get ("menu_button_pressed");
            break;
        default:
            break;
    }
}

void ParameterControl::computeLayout()
{
    const double range = maximum - minimum;
    const int spread = style == drawbar ? drawbarSpread : sliderSpread;
    valuePerPixel = range / spread;
    barLength = valuePerPixel > 0 ? range / valuePerPixel + 1 : 1;
}

void ParameterControl::computeFrame()
{
    switch (style)
    {
        case knob:
            frame = knobFrame (value, minimum, maximum);
            break;
        case fixedKnob:
            frame = 2;
            break;
        case fader:
        case shortFader:
            // Pixels from the top of the groove to the value line, 0 (maximum) .. 137 (minimum).
            frame = valuePerPixel > 0 ? juce::jlimit (0, sliderSpread, juce::roundToInt ((maximum - value) / valuePerPixel)) : 0;
            break;
        case drawbar:
        {
            const int v = juce::jlimit (minimum, maximum, value);
            if (minimum == 0 && maximum == 8)
                frame = drawbarNineSteps[v];
            else
            {
                // 0..127 moves 0.72 px per step; other ranges are stretched over the same travel.
                const double steps = maximum > minimum ? 127.0 * (v - minimum) / (maximum - minimum) : 0.0;
                frame = -juce::roundToInt (0.72 * steps + 3.0);
            }
            break;
        }
        default:
            frame = 0;
            break;
    }
}

int ParameterControl::knobFrame (int v, int mn, int mx) noexcept
{
    const double range = mx - mn;
    if (range <= 0)
        return 0;
    const int f = juce::roundToInt ((300.0 - (range - (v - mn)) * (300.0 / range)) / 5.3);
    if (f < 0)
        return 0;
    if (f > 53)
        return knobLastFrame;
    return f;
}

void ParameterControl::setValue (int v, const juce::String& t)
{
    v = clampToRange (v);
    if (v == value && t == valueText)
        return;
    value = v;
    valueText = t;
    computeFrame();
    requestRepaint();
}

void ParameterControl::requestRepaint()
{
    if (suspended)
        repaintPending = true;
    else
        repaint();
}

void ParameterControl::suspendPainting (bool s)
{
    suspended = s;
    if (! suspended && repaintPending)
    {
        repaintPending = false;
        repaint();
    }
}

void ParameterControl::setScale (float factor)
{
    scale = factor > 0.0f ? factor : 1.0f;
    applyBounds();
    repaint();
}

void ParameterControl::applyBounds()
{
    setBounds (unscaledBounds.toFloat().transformedBy (juce::AffineTransform::scale (scale)).getSmallestIntegerContainer());
}

void ParameterControl::setSecondLabel (const juce::String& t)
{
    name2 = t;
    repaint();
}

void ParameterControl::setValueNames (const juce::StringArray& names)
{
    valueNames = names;
    repaint();
}

void ParameterControl::setKnobStrip (int which)
{
    knobStrip = which == 0 ? 0 : 1;
    if (style == knob || style == fixedKnob)
        loadPictures();
    repaint();
}

void ParameterControl::setDrawbarPicture (int which)
{
    drawbarPicture = juce::jlimit (0, 2, which);
    if (style == drawbar)
        loadPictures();
    repaint();
}

void ParameterControl::setBackground (const juce::Image& p)
{
    background = p;
    repaint();
}

void ParameterControl::setValueColour (juce::Colour c)
{
    valueColour = c;
    repaint();
}

void ParameterControl::setNameColour (juce::Colour c)
{
    nameColour = c;
    repaint();
}

//==============================================================================
void ParameterControl::addListener (ParameterControlListener* l)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    if (l != nullptr)
        listeners.addIfNotAlreadyThere (l);
}

void ParameterControl::removeListener (ParameterControlListener* l)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (l);
}

void ParameterControl::post (int code, int v)
{
    const auto event = EditEvent::make (code, slot, subKind, channel, v);
    juce::Array<ParameterControlListener*> snapshot;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        snapshot = listeners;
    }
    // The lock is not held during the calls: a listener may add or remove listeners.
    // One removed by an earlier listener is skipped.
    for (int i = snapshot.size(); --i >= 0;)
    {
        auto* l = snapshot.getUnchecked (i);
        {
            const std::lock_guard<std::mutex> g (listenerLock);
            if (! listeners.contains (l))
                continue;
        }
        l->controlEvent (this, event);
    }
}

//==============================================================================
int ParameterControl::clampToRange (int v) const noexcept
{
    return juce::jlimit (minimum, maximum, v);
}

int ParameterControl::toggledValue() const noexcept
{
    if (style == twoStateButton)
        return value == minimum ? maximum : minimum;
    return value == 0 ? 1 : 0;
}

int ParameterControl::nextCycledValue() const noexcept
{
    const int next = value + 1;
    return next > maximum ? minimum : juce::jmax (minimum, next);
}

int ParameterControl::sliderNameOffset() const noexcept
{
    return style == fader && name.isNotEmpty() ? sliderNameHeight : 0;
}

bool ParameterControl::isDisplayOnly() const noexcept
{
    return style == lamp || style == lampAlt || style == tag;
}

juce::Point<float> ParameterControl::unscaled (const juce::MouseEvent& e) const noexcept
{
    return e.position / scale;
}

void ParameterControl::mouseDown (const juce::MouseEvent& e)
{
    const auto p = unscaled (e);
    switch (style)
    {
        case valueBox:
        case cycleBox:
            armed = p.y > valueBoxPressBelow;
            pressed = armed;
            repaint();
            break;
        case switchBeside:
            if (p.x < switchPressLeftOf)
                post (EditEvent::toggled, toggledValue());
            break;
        case switchAbove:
            if (std::abs (p.x - unscaledWidth() / 2.0f) < switchAboveHalfWidth)
                post (EditEvent::toggled, toggledValue());
            break;
        case twoStateButton:
            pressed = true;
            repaint();
            post (EditEvent::toggled, toggledValue());
            break;
        case knob:
        case fixedKnob:
        case fader:
        case shortFader:
        case drawbar:
            pressed = true;
            dragStart = e.getPosition();
            dragStartValue = value;
            lastReported = value;
            break;
        case nameButton:
            armed = pressed = true;
            repaint();
            break;
        default:
            break;
    }
}

void ParameterControl::mouseDrag (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    int candidate = 0;
    switch (style)
    {
        case knob:
        case fixedKnob:
        {
            // Right and up turn it up; screen pixels, so the feel does not change with the scale.
            const double dx = e.getPosition().x - dragStart.x;
            const double dy = e.getPosition().y - dragStart.y;
            const double perStep = maximum - minimum > smallRangeLimit ? (pixelStep > 0 ? pixelStep : 1.0)
                                                                       : smallRangeDragPixels;
            candidate = dragStartValue + (int) std::trunc ((dx - dy) / perStep);
            break;
        }
        case fader:
        case shortFader:
            candidate = maximum - juce::roundToInt ((unscaled (e).y - sliderGripY - sliderNameOffset()) * valuePerPixel);
            break;
        case drawbar:
            candidate = maximum - juce::roundToInt ((unscaled (e).y - drawbarGripY) * valuePerPixel);
            break;
        default:
            return;
    }

    // Reported once per change during a gesture; the shown value waits for the owner.
    candidate = clampToRange (candidate);
    if (candidate != lastReported)
    {
        lastReported = candidate;
        post (EditEvent::valueDragged, candidate);
    }
}

void ParameterControl::mouseUp (const juce::MouseEvent& e)
{
    const auto p = unscaled (e);
    const bool inside = getLocalBounds().contains (e.getPosition());
    const bool wasArmed = armed;
    armed = pressed = false;
    repaint();

    if (! wasArmed || ! inside)
        return;
    if (style == valueBox && p.y > valueBoxReleaseBelow)
        post (EditEvent::menuRequest, value);
    else if (style == cycleBox && p.y > valueBoxReleaseBelow)
        post (EditEvent::chosen, nextCycledValue());
    else if (style == nameButton)
        post (EditEvent::chosen, nextCycledValue());
}

void ParameterControl::mouseEnter (const juce::MouseEvent&)
{
    if (hoverReporting)
        post (EditEvent::pointerEntered, 0);
}

void ParameterControl::mouseExit (const juce::MouseEvent&)
{
    if (hoverReporting)
        post (EditEvent::pointerLeft, 0);
}

void ParameterControl::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    // Lamps only show; tags (the mixer's effect fields) ignore clicks but step with the wheel.
    if (style == lamp || style == lampAlt || wheel.deltaY == 0.0f)
        return;
    const int next = clampToRange (value + (wheel.deltaY > 0.0f ? 1 : -1));
    if (next != value)
        post (EditEvent::chosen, next);
}

void ParameterControl::mouseDoubleClick (const juce::MouseEvent&)
{
    switch (style)
    {
        case knob:
        case fixedKnob:
        case fader:
        case shortFader:
        case drawbar:
        {
            // Reported as a drag: whoever takes drags (the slot) sends it on. The press
            // that came with the double-click stays, so a drag after it starts from here.
            const int target = getDefaultValue();
            dragStartValue = target;
            if (target != value || lastReported != value)
            {
                lastReported = target;
                post (EditEvent::valueDragged, target);
            }
            break;
        }
        default:
            break;
    }
}

juce::String ParameterControl::getTooltip()
{
    juce::String shown = valueText;
    if (style == nameButton)
        shown = juce::isPositiveAndBelow (value, valueNames.size()) ? valueNames[value] : juce::String();
    if (shown.isEmpty() && value >= minimum)
        shown = juce::String (value);
    const auto label = name.isNotEmpty() ? name : name2.isNotEmpty() ? name2 : description;
    if (label.isEmpty())
        return shown;
    return shown.isEmpty() ? label : label + ": " + shown;
}

//==============================================================================
void ParameterControl::paint (juce::Graphics& g)
{
    if (background.isValid())
        PictureDraw::draw (g, background, getLocalBounds().toFloat());

    g.addTransform (juce::AffineTransform::scale (scale));
    switch (style)
    {
        case valueBox:
        case cycleBox: paintValueBox (g); break;
        case switchBeside:
        case switchAbove: paintSwitch (g); break;
        case twoStateButton: paintButton (g); break;
        case knob:
        case fixedKnob: paintKnob (g); break;
        case fader:
        case shortFader: paintFader (g); break;
        case drawbar: paintDrawbar (g); break;
        case lamp:
        case lampAlt: paintLamp (g); break;
        case tag: paintTag (g); break;
        case nameButton: paintNameButton (g); break;
        default: break;
    }
}

void ParameterControl::paintValueBox (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const int barY = juce::jmax (0, juce::jmin (valueBarTop, h - valueBarHeight));
    text (g, name, { 2, 0, w - 4, barY }, 12.0f, nameColour, juce::Justification::centredLeft);

    // The bar picture is cut (or stretched) to the width left of its right cap.
    const int bodyWidth = juce::jmax (0, w - valueBarCapWidth);
    g.setOpacity (1.0f);
    PictureDraw::draw (g, pictures[0], { 0, barY, bodyWidth, valueBarHeight },
                       { 0, 0, juce::jmin (bodyWidth, pictures[0].getWidth()), pictures[0].getHeight() });
    PictureDraw::drawAt (g, pictures[1], bodyWidth, barY);
    if (pressed)
    {
        g.setColour (juce::Colour (Palette::controlHoverGlow));
        g.fillRect (0, barY, w, valueBarHeight);
    }
    text (g, valueText, { 6, barY, bodyWidth - 4, valueBarHeight }, 12.0f, valueColour);
}

void ParameterControl::paintSwitch (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const auto& img = pictures[value != 0 && value >= minimum ? 1 : 0];
    if (style == switchBeside)
    {
        picture (g, img, { 3, 0, switchWidth, h });
        text (g, name, { switchNameX, 0, w - switchNameX, h }, 12.0f, nameColour, juce::Justification::centredLeft);
    }
    else
    {
        picture (g, img, { 0, 0, w, juce::jmin (h, switchHeight) });
        text (g, name, { 0, switchHeight + 1, w, 14 }, 12.0f, nameColour);
    }
}

void ParameterControl::paintButton (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const bool on = value != minimum && value >= minimum;
    const auto& img = pictures[on ? 1 : 0];
    const bool nameBelow = h >= buttonHeight + 14 && w >= buttonWidth;
    const juce::Rectangle<int> face = nameBelow ? juce::Rectangle<int> ((w - buttonWidth) / 2, 0, buttonWidth, buttonHeight)
                                                : juce::Rectangle<int> (0, 0, w, h);
    g.setOpacity (1.0f);
    PictureDraw::draw (g, img, face.toFloat());
    if (pressed)
    {
        g.setColour (juce::Colour (Palette::controlSlotShade));
        g.fillRect (face);
    }
    if (nameBelow)
        text (g, name, { 0, buttonHeight + 1, w, h - buttonHeight - 1 }, 12.0f, nameColour);
    else
        text (g, name, face.reduced (2, 0), 12.0f, nameColour);
}

void ParameterControl::paintKnob (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const int x = (w - knobCell) / 2;
    g.setOpacity (1.0f);
    PictureDraw::drawAt (g, pictures[0], x, knobTop);
    PictureDraw::draw (g, pictures[1], { x, knobTop, knobCell, knobCell },
                       { knobPitch * frame, 0, knobCell, knobCell });

    int y = knobTop + knobCell + 1;
    text (g, valueText, { 0, y, w, 12 }, 11.0f, valueColour);
    y += 12;
    text (g, name, { 0, y, w, juce::jmin (14, h - y) }, 12.0f, nameColour);
    y += 14;
    text (g, name2, { 0, y, w, juce::jmin (12, h - y) }, 11.0f, nameColour);
}

void ParameterControl::paintFader (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const int top = sliderNameOffset();
    if (style == fader)
        text (g, name, { 0, 0, w, top }, 12.0f, nameColour);

    const int trackX = (w - trackWidth) / 2;
    g.setOpacity (1.0f);
    PictureDraw::drawAt (g, pictures[0], trackX, top);

    // The thumb travels the whole track while the value line covers the 137-pixel groove.
    const int thumbTop = top + juce::roundToInt (frame * double (trackHeight - thumbHeight) / sliderSpread);
    const int levelTop = thumbTop + thumbHeight / 2;
    const int grooveBottom = top + sliderBarOffset + (int) barLength;
    if (grooveBottom > levelTop)
    {
        g.setColour (sliderLevel.withAlpha (0.85f));
        g.fillRect (w / 2 - 1, levelTop, 3, grooveBottom - levelTop);
    }
    g.setColour (juce::Colour (Palette::controlDrawbarShade));
    g.fillRect ((w - thumbWidth) / 2 + 2, thumbTop + 3, thumbWidth, thumbHeight);   // drop shadow
    g.setOpacity (1.0f);
    PictureDraw::drawAt (g, pictures[1], (w - thumbWidth) / 2, thumbTop);

    int y = top + trackHeight + 1;
    if (style == shortFader)
    {
        text (g, name, { 0, y, w, juce::jmin (13, h - y) }, 12.0f, nameColour);
        if (name.isNotEmpty())
            y += 13;
    }
    text (g, valueText, { 0, juce::jmin (y, h - 11), w, 11 }, 11.0f, valueColour);
}

void ParameterControl::paintDrawbar (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const int slotHeight = juce::jmax (0, h - 26);
    const juce::Rectangle<int> slotArea ((w - drawbarWidth) / 2, 0, drawbarWidth, slotHeight);

    g.setColour (slotShadow);
    g.fillRect (slotArea);
    {
        const juce::Graphics::ScopedSaveState s (g);
        g.reduceClipRegion (slotArea);
        const int picTop = drawbarRestY + frame;
        g.setOpacity (1.0f);
        PictureDraw::drawAt (g, pictures[0], slotArea.getX(), picTop);
        // Three shadow lines under the handle, fading out.
        const int below = picTop + drawbarHeight;
        const juce::uint8 alphas[] = { 0x90, 0x60, 0x30 };
        for (int i = 0; i < 3; ++i)
        {
            g.setColour (juce::Colours::black.withAlpha (alphas[i]));
            g.fillRect (slotArea.getX(), below + i, drawbarWidth, 1);
        }
    }
    text (g, name, { 0, slotHeight + 1, w, 12 }, 11.0f, nameColour);
    text (g, valueText, { 0, slotHeight + 13, w, 12 }, 11.0f, valueColour);
}

void ParameterControl::paintLamp (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const int which = value <= minimum ? 0 : value >= maximum ? 1 : 2;
    if (style == lamp)
        picture (g, pictures[which], { 0, 0, w, h });
    else
    {
        picture (g, pictures[which], { 0, 0, lampWidth, h });
        text (g, name, { lampWidth + 4, 0, w - lampWidth - 4, h }, 12.0f, nameColour, juce::Justification::centredLeft);
    }
}

void ParameterControl::paintTag (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const bool withName = name.isNotEmpty() && h >= 2 * tagHeight;
    const int tagY = withName ? h - tagHeight : 0;
    if (withName)
        text (g, name, { 0, 0, w, tagY }, 12.0f, nameColour);
    const juce::Rectangle<int> area ((w - juce::jmin (w, tagWidth)) / 2, tagY, juce::jmin (w, tagWidth), tagHeight);
    g.setOpacity (1.0f);
    PictureDraw::draw (g, pictures[0], area.toFloat());
    text (g, valueText, area.reduced (2, 0), 9.0f, valueColour);
}

void ParameterControl::paintNameButton (juce::Graphics& g)
{
    const int w = unscaledWidth(), h = unscaledHeight();
    const bool withName = name.isNotEmpty() && h >= 34;
    const juce::Rectangle<int> face (0, withName ? 12 : 0, w, withName ? h - 12 : h);
    if (withName)
        text (g, name, { 0, 0, w, 12 }, 11.0f, nameColour);
    g.setOpacity (1.0f);
    PictureDraw::draw (g, pictures[pressed ? 1 : 0], face.toFloat());
    const auto shown = juce::isPositiveAndBelow (value, valueNames.size()) ? valueNames[value] : juce::String();
    text (g, shown, face, pressed ? 10.0f : 9.0f, valueColour);
}

} // namespace zd8
