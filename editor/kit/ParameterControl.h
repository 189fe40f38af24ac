#pragma once

#include "editor/kit/Palette.h"
#include "editor/kit/ParameterControlListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <mutex>

namespace zd8
{

/** The generic parameter control: knob, slider, drawbar, switch, button, value box,
    lamp or name button, chosen by its style. It shows what its owner sets (for a control
    bound to a slot, its SlotAttachment) and reports what the user does as EditEvent
    words (code, slot, sub-kind, channel, value) to its ParameterControlListeners; it
    never changes its shown value by itself, also not while dragging. A drag reports each new value once (the first differing from the value
    shown at the press). Lamps (200, 201) only show: they ignore the mouse, the wheel
    included; tags (202) ignore clicks but step with the wheel. A double-click on a knob,
    fader or drawbar reports its default value as a drag would. Its tooltip names it and
    shows its value. Message thread only. */
class ParameterControl : public juce::Component, public juce::TooltipClient
{
public:
    // Styles placed by the pages.
    static constexpr int valueBox = 0;
    static constexpr int switchBeside = 1;
    static constexpr int knob = 3;
    static constexpr int fader = 4;
    static constexpr int cycleBox = 8;
    static constexpr int fixedKnob = 9;
    static constexpr int shortFader = 10;
    static constexpr int twoStateButton = 13;
    static constexpr int drawbar = 77;
    static constexpr int switchAbove = 101;
    static constexpr int lamp = 200;
    static constexpr int lampAlt = 201;
    static constexpr int tag = 202;
    static constexpr int nameButton = 203;

    ParameterControl();
    ~ParameterControl() override;

    void setup (const juce::String& name, int slot, int width, int height, int x, int y,
                int minimum, int maximum, int style);
    void setValue (int value, const juce::String& text);
    void setScale (float factor);

    void addListener (ParameterControlListener* listener);
    void removeListener (ParameterControlListener* listener);
    /** Builds the event from code, slot, sub-kind, channel and value and calls every
        listener, the last registered first. */
    void post (int code, int value);

    void setSubKind (int k) noexcept { subKind = k; }
    void setChannel (int c) noexcept { channel = c; }
    void setHoverReporting (bool on) noexcept { hoverReporting = on; }
    void setSecondLabel (const juce::String& text);
    /** Style 203 shows names[value]; a value outside the list shows no text. */
    void setValueNames (const juce::StringArray& names);
    /** Pixels per step when dragging knobs with a range above 14 (1.0 unless set). */
    void setPixelStep (double step) noexcept { pixelStep = step; }
    /** Knob strip for style 3: 0 the first strip, 1 the second. */
    void setKnobStrip (int which);
    /** A picture of what lies under the control, drawn first (owner's choice). */
    void setBackground (const juce::Image& picture);
    /** While suspended, setValue only marks a repaint as pending. */
    void suspendPainting (bool suspended);
    /** True while a change waits for painting to resume. */
    bool isRepaintPending() const noexcept { return repaintPending; }
    /** Text colours; setup() resets them to the style's defaults, so call these after it. */
    void setValueColour (juce::Colour c);
    void setNameColour (juce::Colour c);
    /** Drawbar picture for style 77: 0, 1 or 2. */
    void setDrawbarPicture (int which);
    /** The value a double-click returns a knob, fader or drawbar to (limited to the
        range): its slot's initial value when bound (SlotAttachment sets it), else 0. */
    void setDefaultValue (int v) noexcept { defaultValue = v; }
    int getDefaultValue() const noexcept { return clampToRange (defaultValue); }
    /** What the tooltip calls a control that shows no name of its own (its slot's
        label when bound: SlotAttachment sets it). */
    void setDescription (const juce::String& text) { description = text; }

    int getSlot() const noexcept { return slot; }
    int getValue() const noexcept { return value; }
    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }
    int getStyle() const noexcept { return style; }
    const juce::String& getName2() const noexcept { return name; }
    const juce::String& getValueText() const noexcept { return valueText; }
    /** The knob frame (style 3) or drawbar offset / slider position now shown. */
    int getFrame() const noexcept { return frame; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    /** "Level: -6 dB": the name (else the second label, else the description), then
        the value as shown. */
    juce::String getTooltip() override;

    /** Knob frame (0..54) for a style-3 value. */
    static int knobFrame (int value, int minimum, int maximum) noexcept;

private:
    void loadPictures();
    void computeLayout();
    void computeFrame();
    void applyBounds();
    void requestRepaint();
    bool isDisplayOnly() const noexcept;
    int clampToRange (int v) const noexcept;
    int toggledValue() const noexcept;
    int nextCycledValue() const noexcept;
    int sliderNameOffset() const noexcept;
    int unscaledWidth() const noexcept { return unscaledBounds.getWidth(); }
    int unscaledHeight() const noexcept { return unscaledBounds.getHeight(); }
    juce::Point<float> unscaled (const juce::MouseEvent& e) const noexcept;

    void paintValueBox (juce::Graphics&);
    void paintSwitch (juce::Graphics&);
    void paintButton (juce::Graphics&);
    void paintKnob (juce::Graphics&);
    void paintFader (juce::Graphics&);
    void paintDrawbar (juce::Graphics&);
    void paintLamp (juce::Graphics&);
    void paintTag (juce::Graphics&);
    void paintNameButton (juce::Graphics&);

    std::mutex listenerLock;
    juce::Array<ParameterControlListener*> listeners;
    bool hoverReporting = false;
    int slot = 0, subKind = 0, channel = 0;
    int value = -1, minimum = 0, maximum = 0, lastReported = 0;
    int style = 0;
    int frame = 0;
    double pixelStep = 1.0;
    float scale = 1.0f;
    juce::Rectangle<int> unscaledBounds;
    juce::String name, name2, valueText, description;
    juce::StringArray valueNames;
    juce::Image pictures[6];
    juce::Image background;
    int knobStrip = 0, drawbarPicture = 0;
    juce::Colour nameColour { Palette::controlName }, valueColour { Palette::controlValue };
    bool pressed = false, armed = false, suspended = false, repaintPending = false;
    juce::Point<int> dragStart;
    int dragStartValue = 0;
    int defaultValue = 0;
    double barLength = 0, valuePerPixel = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterControl)
};

} // namespace zd8
