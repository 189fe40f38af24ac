#pragma once

#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"
#include "plugin/HostReports.h"
#include "plugin/LinkSettings.h"
#include "plugin/NoticeBoard.h"
#include "plugin/ProgramSelection.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zd8
{

/** Writes to the parameter slots and what they send to the instrument:
    - the host write rule (setFromHost): program-number rows select only while
      program change by automation is on, program and multi rows are only kept, FX
      chain rows never change, the multi's bank and program rows select the multi
      they make (which becomes the live multi, as a selected program becomes the
      channel's program), any other changed value is kept and sent;
    - the window's writes (setFromEditor, setAndReport) and multi selection (setMulti),
      with whom to tell besides the instrument;
    - a slot as the instrument hears it (sendSlot): a program select, a multi select,
      the playing-mode switch, an addressed change or a controller, behind the current
      latency delay;
    - the window's addressed changes (sendAddressed), some of which edit the channel's
      edit buffer on the way;
    - a slot's label and value text for the host and the window.

    Threads: setFromHost from the host's thread (the audio thread with most hosts),
    the rest from the message thread; the instrument's own writes (MIDI input thread)
    go through InstrumentInput. Each slot of the table is atomic; selections serialise
    in ProgramSelection. */
class SlotRouter
{
public:
    // Values of the playing-mode slot.
    static constexpr int programMode = 1;
    static constexpr int multiMode = 2;

    SlotRouter (ParameterTable& parameters, InstrumentImage& image, LinkSettings& link,
                ProgramSelection& selection, HostReports& hostReports, NoticeBoard& notices);

    /** The host write rule; value is already in the slot's range. Any thread. */
    void setFromHost (int slot, int value);
    void setFromEditor (int slot, int value, bool reportToHost, bool notify);
    /** Keeps the value and reports it to the host at once (through the registered
        reporters, which run the host write rule before the value is kept here). */
    void setAndReport (int slot, int value);
    /** The multi page's choice: with reportToHost it becomes the live Arrangement's
        multi and reaches the instrument through the host reports of its bank and
        program slots; notify only shows it. */
    void setMulti (int number, bool reportToHost, bool notify);
    void sendSlot (int slot, int value);
    /** As sendSlot, but what the slot sends goes out behind its channel's program select
        when one is waiting (a level sent before it would be undone by loading the
        program), and without the latency delay: nothing here follows the timeline. */
    void sendSlotAfterProgram (int slot, int value);
    /** channel 1..16; selector 0 sends value as it is. */
    void sendAddressed (int selector, int channel, const int address[5], int value);

    juce::String slotLabel (int slot) const;
    juce::String slotValueText (int slot) const;

    /** The instrument's address (A1..A5) of a program row sent as an addressed change;
        nullptr for the other rows. */
    static const int* addressOfRow (int row);

private:
    void keepMulti (int number) noexcept;
    void send (int slot, int value, bool afterProgram);
    void sendBuffer (const juce::MidiBuffer& buffer, bool delayed);
    int adjustAddressedValue (int selector, int channel, const int address[5], int value);

    ParameterTable& parameters;
    InstrumentImage& image;
    LinkSettings& link;
    ProgramSelection& selection;
    HostReports& hostReports;
    NoticeBoard& notices;

    JUCE_DECLARE_NON_COPYABLE (SlotRouter)
};

} // namespace zd8
