#pragma once

#include "editor/kit/EditEvent.h"
#include "editor/kit/ParameterControlListener.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

class ParameterControl;

/** Owns the link between one ParameterControl and one parameter slot, both ways.
    Engine to control: when bound, and after every change of the slot (whoever made it),
    the control shows the slot's value with its text; the attachment follows the slot
    as one of the connection's slot listeners. Control to engine: a user's change (the
    control's events whose codes are in the attachment's edit codes) is sent with
    setSlotFromEditor, one call per change, which tells the instrument and the host,
    and shown at once unless the owner shows such changes itself.

    The control keeps its own setup (name, range, style and the slot field of its
    events); the bound slot may differ from that field: the mixer's strips post their
    program row and are bound to their channel's slot. A page that shows another
    channel binds the same attachments to the new slots; detach() leaves the control
    showing what it showed and following nothing.

    While a mouse button is held on a control that changes its slot, the connection
    hears of the gesture, so that what the drag changed is one step to undo. Message
    thread only. */
class SlotAttachment : public ParameterControlListener,
                       private EditorConnection::SlotListener,
                       private juce::MouseListener
{
public:
    // Edit codes: bit n stands for EditEvent code n.
    static constexpr juce::uint32 dragBit = 1u << EditEvent::valueDragged;
    static constexpr juce::uint32 toggleBit = 1u << EditEvent::toggled;
    static constexpr juce::uint32 choiceBit = 1u << EditEvent::chosen;
    /** Drags and switch presses change the slot; the wheel does not. */
    static constexpr juce::uint32 dragsAndToggles = dragBit | toggleBit;
    /** Drags and wheel or cycle steps change the slot; switch presses do not. */
    static constexpr juce::uint32 dragsAndChoices = dragBit | choiceBit;
    static constexpr juce::uint32 allChanges = dragsAndToggles | dragsAndChoices;
    /** Shows the slot, never changes it. */
    static constexpr juce::uint32 showOnly = 0;

    /** Unbound until bind(). */
    SlotAttachment (EditorConnection& connection, ParameterControl& control, juce::uint32 editCodes = allChanges);
    SlotAttachment (EditorConnection& connection, ParameterControl& control, int slot, juce::uint32 editCodes = allChanges);
    ~SlotAttachment() override;

    /** Follows slot from now on (the previous one no longer) and shows its stored value.
        An invalid slot detaches. */
    void bind (int slot);
    void detach();
    bool isBound() const noexcept { return slot >= 0; }
    int getSlot() const noexcept { return slot; }
    ParameterControl& getControl() const noexcept { return control; }

    /** The event codes that change the slot, bit n for code n. */
    void setEditCodes (juce::uint32 codes) noexcept { editCodes = codes; }
    juce::uint32 getEditCodes() const noexcept { return editCodes; }

    /** Whether a user's change is shown at once (the default), or left to the owner and
        to the slot's change that follows it through the message loop. */
    void setEchoesUserChanges (bool echo) noexcept { echoes = echo; }

    /** While not following, the slot's changes are not shown (the controls of a parked
        page); following again shows the stored value. Binding shows it either way. */
    void setFollowing (bool follow);
    bool isFollowing() const noexcept { return following; }

    /** Shows the slot's stored value and its text. */
    void showStoredValue();
    /** Shows value of the bound slot with its text; nothing is sent. */
    void showValue (int value);
    /** A change by the user: shown (when echoing), then sent to the bound slot. */
    void applyUserValue (int value);

    /** The text a value of slot is shown with: the engine's text when it is the stored
        value (the program number counts its bank there), otherwise the value
        formatter's for the slot's description. */
    static juce::String textFor (const EditorConnection& connection, int slot, int value);

    // ParameterControlListener: the control's events; those of the edit codes change the slot.
    void controlEvent (ParameterControl* source, juce::uint64 event) override;

private:
    // SlotListener: called on the message thread after every change of the bound slot.
    void slotChanged (int changedSlot, int value) override;
    // MouseListener: the control's presses and releases, after the control's own.
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void endGesture();

    EditorConnection& connection;
    ParameterControl& control;
    int slot = -1;
    juce::uint32 editCodes;
    bool echoes = true;
    bool following = true;
    bool gestureHeld = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotAttachment)
};

} // namespace zd8
