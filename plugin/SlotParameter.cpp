#include "plugin/SlotParameter.h"

#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

// The name given to the base is never read: getName gives the slot's label as it is
// now. Building 2314 labels here cost every open a third of its time and each instance
// a copy of them.
SlotParameter::SlotParameter (VantorAudioProcessor& owner, int s, const juce::String& identifier)
    : juce::AudioProcessorParameterWithID (juce::ParameterID { identifier }, juce::String()),
      processor (owner), slot (s), defaultValue (owner.getSlotNormalised (s))
{
}

juce::String SlotParameter::identifierFor (int slot, juce::AudioProcessor::WrapperType format)
{
    return format == juce::AudioProcessor::wrapperType_LV2 ? "slot" + juce::String (slot) : juce::String (slot);
}

float SlotParameter::getValue() const { return processor.getSlotNormalised (slot); }

void SlotParameter::setValue (float x) { processor.setSlotNormalised (slot, x); }

juce::String SlotParameter::getName (int maximumStringLength) const
{
    return processor.getSlotName (slot).substring (0, juce::jmax (0, maximumStringLength));
}

juce::String SlotParameter::getText (float, int maximumStringLength) const
{
    // The instrument's own text for the slot's current value.
    return processor.getSlotText (slot).substring (0, juce::jmax (0, maximumStringLength));
}

float SlotParameter::getValueForText (const juce::String& text) const
{
    auto& table = processor.getHub().getParameters();
    const int lo = table.minimum (slot), hi = table.maximum (slot);
    if (hi == lo)
        return 0.0f;
    return juce::jlimit (0.0f, 1.0f, (float) (text.getIntValue() - lo) / (float) (hi - lo));
}

} // namespace zd8
