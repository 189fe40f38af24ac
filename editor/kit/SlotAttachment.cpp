#include "editor/kit/SlotAttachment.h"

#include "editor/kit/ParameterControl.h"
#include "model/InstrumentImage.h"
#include "model/ParameterTable.h"

namespace zd8
{

namespace
{
    /** A table as it starts: every slot at its initial value (a control's default). */
    const ParameterTable& initialValues()
    {
        static const ParameterTable table;
        return table;
    }
}

SlotAttachment::SlotAttachment (EditorConnection& c, ParameterControl& pc, juce::uint32 codes)
    : connection (c), control (pc), editCodes (codes)
{
    control.addListener (this);
    control.addMouseListener (this, false);
}

SlotAttachment::SlotAttachment (EditorConnection& c, ParameterControl& pc, int s, juce::uint32 codes)
    : SlotAttachment (c, pc, codes)
{
    bind (s);
}

SlotAttachment::~SlotAttachment()
{
    endGesture();
    detach();
    control.removeMouseListener (this);
    control.removeListener (this);
}

void SlotAttachment::bind (int newSlot)
{
    if (! ParameterTable::isValid (newSlot))
    {
        detach();
        return;
    }
    if (newSlot != slot)
    {
        detach();
        slot = newSlot;
        connection.addSlotListener (slot, this);
        control.setDefaultValue (initialValues().value (slot));
        control.setDescription (connection.getSlotLabel (slot));
    }
    showStoredValue();
}

void SlotAttachment::detach()
{
    if (slot >= 0)
        connection.removeSlotListener (slot, this);
    slot = -1;
}

void SlotAttachment::setFollowing (bool follow)
{
    const bool resumed = follow && ! following;
    following = follow;
    if (resumed)
        showStoredValue();
}

void SlotAttachment::showStoredValue()
{
    if (isBound())
        control.setValue (connection.getSlotValue (slot), connection.getSlotText (slot));
}

void SlotAttachment::showValue (int value)
{
    if (isBound())
        control.setValue (value, textFor (connection, slot, value));
}

void SlotAttachment::applyUserValue (int value)
{
    if (! isBound())
        return;
    if (echoes)
        showValue (value);
    connection.setSlotFromEditor (slot, value);
}

juce::String SlotAttachment::textFor (const EditorConnection& c, int s, int value)
{
    if (! ParameterTable::isValid (s))
        return {};
    if (c.getSlotValue (s) == value)
        return c.getSlotText (s);
    return c.getImage().getValueFormatter().formatValue (c.getParameters().descriptionCode (s), value);
}

void SlotAttachment::controlEvent (ParameterControl*, juce::uint64 event)
{
    const int code = EditEvent::code (event);
    if (code >= 0 && code < 32 && (editCodes & (1u << code)) != 0)
        applyUserValue (EditEvent::value (event));
}

void SlotAttachment::mouseDown (const juce::MouseEvent&)
{
    if (editCodes == showOnly || ! isBound() || gestureHeld)
        return;
    gestureHeld = true;
    connection.beginEditGesture();
}

void SlotAttachment::mouseUp (const juce::MouseEvent&)
{
    endGesture();
}

void SlotAttachment::endGesture()
{
    if (! gestureHeld)
        return;
    gestureHeld = false;
    connection.endEditGesture();
}

void SlotAttachment::slotChanged (int changedSlot, int value)
{
    if (changedSlot == slot && following)
        showValue (value);
}

} // namespace zd8
