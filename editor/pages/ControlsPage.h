#pragma once

#include "editor/kit/ChannelMonitor.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/ParameterControlListener.h"
#include "editor/kit/SlotAttachment.h"
#include "editor/kit/KitLabel.h"
#include "editor/pages/PanelControllers.h"
#include "editor/kit/KitButtonListener.h"
#include "plugin/EditorConnection.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <vector>

namespace zd8
{

/** The controls page: an on-screen copy of the instrument's front panel for one MIDI
    channel at a time (nine knobs, nine sliders, nine buttons), a 4x4 block of channel
    buttons and sixteen channel monitors showing every channel's slider levels and
    wheels. Each control is bound to its controller slot on the chosen channel by its
    SlotAttachment, which shows the slot as it changes and sends drags and presses with
    setSlotFromEditor (the host and the instrument hear them). Choosing another channel
    binds the same controls to that channel's slots. The monitors follow the sliders of
    all sixteen channels, the page listening to those slots itself.

    The panel picture carries the labels of both program modes: the standard knob names
    below the knobs, the organ (TW7) names above them and the drawbar footages under the
    sliders. Message thread only. */
class ControlsPage : public juce::Component,
                 public ParameterControlListener,
                 public KitButtonListener,
                 private juce::ChangeListener,
                 private EditorConnection::SlotListener
{
public:
    static constexpr char pageCode = 'o';
    static constexpr int columns = PanelControllers::columns;
    static constexpr int footSwitches = PanelControllers::footSwitches;
    static constexpr int channels = 16;
    static constexpr int panelWidth = 950, panelHeight = 420;
    static constexpr int contentTop = 20;
    /** Channel buttons report 100 + channel (0..15). */
    static constexpr int channelButtonBase = 100;

    explicit ControlsPage (EditorConnection& connection);
    ~ControlsPage() override;

    /** Binds every control to channel ch (0..15; others are ignored), highlights its
        button and shows the slots' current values. */
    void selectChannel (int ch);
    int getChannel() const noexcept { return channel; }

    /** A slot's new value: shown by the controls bound to it when it belongs to the
        current channel, and by its channel's monitor when it is one of that channel's
        sliders. (The attachments and the page's own slot listening do this as slots
        change; the main window may still call it.) */
    void showValue (int slot, int value);
    /** showValue for the 27 panel slots of all sixteen channels, with their stored values. */
    void showAllValues();
    /** Pitch wheel (0..127, the bend's upper seven bits) of a channel's monitor. */
    void showPitchWheel (int ch, int value);
    /** Modulation wheel (0..127) of a channel's monitor. */
    void showModWheel (int ch, int value);

    ParameterControl& getKnob (int i) const { return *knobs[(size_t) i]; }
    /** Sliders 0..8, then the three foot switches (9..11). */
    ParameterControl& getSlider (int i) const { return *sliders[(size_t) i]; }
    ParameterControl& getButton (int i) const { return *buttons[(size_t) i]; }
    KitButton& getChannelButton (int ch) const { return *channelButtons[(size_t) ch]; }
    ChannelMonitor& getMonitor (int ch) const { return *monitors[(size_t) ch]; }
    KitLabel& getStatusLine() const noexcept { return *statusLine; }
    /** The channel whose button is lit. */
    int getHighlightedChannel() const noexcept { return highlighted; }
    /** The panel as drawn at construction: base picture with both label sets. */
    const juce::Image& getPanelPicture() const noexcept { return panel; }
    juce::Point<int> getContentOrigin() const noexcept { return { x0, y0 }; }

    /** The status line's text for a slot: its name, or "MIDI " and the controller number
        when it has none. */
    juce::String describeSlot (int slot) const;

    // ParameterControlListener: the knobs, sliders and buttons (the status line, the
    // monitor, and an event posted under a control's earlier binding).
    void controlEvent (ParameterControl* control, juce::uint64 event) override;
    // KitButtonListener: the channel buttons.
    void buttonPressed (KitButton* button, int identifier) override;

    void paint (juce::Graphics&) override;
    void resized() override;
    /** A parked page follows no slot; shown again, it catches up from the slots. */
    void visibilityChanged() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    // SlotListener: a monitored slider slot of any channel changed (shown while the page is).
    void slotChanged (int slot, int value) override;
    void drawPanel();
    /** The monitor half of showValue. */
    void showOnMonitor (int slot, int value);
    /** The attachment of one of the page's controls, or nullptr. */
    SlotAttachment* findAttachment (const ParameterControl* control) const;

    EditorConnection& connection;
    int channel = 0;
    float scale = 1.0f;
    float panelScale = 1.0f;   // device pixels per panel pixel where the panel was last drawn
    int x0 = 0, y0 = contentTop;
    void placeMonitors();

    // Holds everything placed from the content origin (the panel's controls, the
    // channel block and the monitors), so that a new page size moves them together.
    juce::Component content;

    std::array<std::unique_ptr<ParameterControl>, columns + footSwitches> sliders;
    std::array<std::unique_ptr<ParameterControl>, columns> knobs;
    std::array<std::unique_ptr<ParameterControl>, columns> buttons;
    // One per control above, made after them (so gone before them).
    std::vector<std::unique_ptr<SlotAttachment>> attachments;
    std::vector<int> monitoredSlots;
    std::array<std::unique_ptr<KitButton>, channels> channelButtons;
    int highlighted = 0;
    std::array<std::unique_ptr<ChannelMonitor>, channels> monitors;
    std::unique_ptr<KitLabel> statusLine;

    juce::Image panel, labelPlate, organBadge;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlsPage)
};

} // namespace zd8
