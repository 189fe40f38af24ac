#pragma once

#include "editor/kit/ParameterControlListener.h"
#include "editor/pages/MixerHeader.h"
#include "editor/pages/MixerStrip.h"
#include "plugin/EditorConnection.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <vector>

namespace zd8
{

/** The mixer page: the sixteen MIDI channels side by side as strips (MixerStrip)
    under a header bar of program slots (MixerHeader). Every strip control is bound to one
    program row of its channel by its SlotAttachment: it follows the row, and moving it
    stores the row through setSlotFromEditor, which reports it to the host and sends it
    to the instrument (the effect chain rows stay in the plug-in and reload the
    channel's chains instead). The page follows the sixteen program rows itself: a new
    program shows on its program slots and brings its strip's values.

    Events for the window: a click on a program slot queues EditEvent code 12 with
    sub-kind 11 and the channel; a wheel step of an effect chain field queues code 12
    with the field's row (0, 3 or 6) as sub-kind (the channel becomes current); a click
    on an effect chain field queues code 12 with the FX chain's object type (156) as
    sub-kind, the field's row in the slot field and the chain shown as value (the
    window opens the FX chain selector for it). The window takes them with takeEvents()
    after the change message. In the window's program mode only the header bar shows,
    above the program page. Message thread only. */
class MixerPage : public juce::Component,
                    public juce::ChangeBroadcaster,
                    public ParameterControlListener,
                    private juce::ChangeListener,
                    private EditorConnection::SlotListener
{
public:
    static constexpr int numChannels = 16;
    static constexpr int stripPitch = MixerHeader::pitch;
    static constexpr int stripWidth = MixerStrip::width;
    static constexpr int stripHeight = MixerStrip::height;
    static constexpr int headerHeight = MixerHeader::barHeight;
    static constexpr int contentWidth = 974;
    static constexpr int backgroundWidth = 984, backgroundHeight = 678;

    explicit MixerPage (EditorConnection& connection);
    ~MixerPage() override;

    /** Marks the page shown, makes it visible and the current page ("q"). */
    void show();
    /** Marks the page hidden (the window parks it). */
    void setHidden();
    bool isShown() const noexcept { return shown; }

    /** A program row changed: slot c * 16 + k with its new value. Row 11 (the program)
        refreshes the channel's program slots and the whole strip from the table;
        rows past the strip's controls are not shown. */
    void showValue (int slot, int value);
    /** showValue for every channel's program row. */
    void showAllPrograms();
    /** Every strip control and program slot from the parameter table again. */
    void refresh();

    /** A strip control's event (code 1 or 7 carry a new value; anything else changes
        nothing). With send, the value is shown and stored with setSlotFromEditor;
        without, nothing happens. The window calls it for the FX chain selector's
        choices (the strip's own controls go through their attachments). True when a
        value was applied. */
    bool applyEvent (juce::uint64 event, bool send);

    /** A note-on of velocity on channel 0..15: raises the channel's meter to the
        velocity unless it already shows more, and restarts its fall. */
    void notePeak (int channel, int velocity);
    int getPeak (int channel) const noexcept;

    /** The events queued since the last call, oldest first. */
    std::vector<juce::uint64> takeEvents();

    /** Left edge of the strips inside the page (centred, never negative). */
    int getContentX() const noexcept;

    MixerHeader& getHeader() noexcept { return *header; }
    MixerStrip& getStrip (int channel) noexcept { return *strips[(size_t) (channel & 0x0F)]; }

    /** What channel shows as its program: "0042" and the edit buffer's name. */
    juce::String getProgramNumberText (int channel) const;
    juce::String getProgramName (int channel) const;

    void paint (juce::Graphics&) override;
    void resized() override;

    // ParameterControlListener: a strip control was used (an effect field picks its channel).
    void controlEvent (ParameterControl* control, juce::uint64 event) override;

private:
    // ChangeListener: a program slot was clicked.
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    // SlotListener: a channel's program row changed.
    void slotChanged (int slot, int value) override;

    void showProgram (int channel, int program);
    void showControl (int channel, int order, int value);
    void queue (juce::uint64 event);

    EditorConnection& connection;
    juce::Image background;
    std::unique_ptr<MixerHeader> header;
    std::array<std::unique_ptr<MixerStrip>, numChannels> strips;
    int controlsPerStrip = 0;
    std::vector<juce::uint64> events;
    bool shown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixerPage)
};

} // namespace zd8
