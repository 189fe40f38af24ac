#include "plugin/SlotParameter.h"

#include "model/ParameterTable.h"
#include "plugin/VantorAudioProcessor.h"

#include <vector>

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
    const bool lv2 = format == juce::AudioProcessor::wrapperType_LV2;
    auto make = [lv2] (int s) { return lv2 ? "slot" + juce::String (s) : juce::String (s); };
    if (! juce::isPositiveAndBelow (slot, ParameterTable::numSlots))
        return make (slot);

    // Made once per process and handed out as shared copies: every open asks for all of
    // them, and writing 2314 numbers was a large part of an instance's making.
    // (A function-local static is made once even when instances open on two threads.)
    struct Identifiers
    {
        explicit Identifiers (bool lv2Format)
        {
            texts.reserve ((size_t) ParameterTable::numSlots);
            for (int s = 0; s < ParameterTable::numSlots; ++s)
                texts.push_back (lv2Format ? "slot" + juce::String (s) : juce::String (s));
        }
        std::vector<juce::String> texts;
    };
    static const Identifiers plain (false), prefixed (true);
    return (lv2 ? prefixed : plain).texts[(size_t) slot];
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
