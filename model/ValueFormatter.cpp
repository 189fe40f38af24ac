#include "model/ValueFormatter.h"

#include "model/ObjectReferenceValues.h"
#include "model/ValueGroup100.h"
#include "model/ValueGroup200.h"
#include "model/ValueGroup300.h"
#include "model/ValueGroup500.h"
#include "model/ValueScales.h"
#include "model/SharedTexts.h"
#include "model/ValueText.h"

#include <cstdint>

namespace zd8
{

namespace
{
    // Description codes are grouped in hundreds, each group with its own formatter.
    constexpr int group100 = 100;
    constexpr int group200 = 200;
    constexpr int group300 = 300;
    constexpr int group400 = 400;
    constexpr int group500 = 500;
    constexpr int firstUnformatted = 600;

    // Single codes shared by the parameter table and the widgets.
    constexpr int bankCode = 744;
    constexpr int noteCode = 777;
    constexpr int onOffCode = 778;
    constexpr int offOrNumberCode = 779;
    constexpr int semitonesCode = 780;
    constexpr int centsCode = 781;
    constexpr int percentCode = 782;
    constexpr int noneOrNumberCode = 783;
    constexpr int decibelsCode = 784;

    constexpr int playingModeCode = 400;

    // The fixed texts the slots show most, made once and shared (no allocation per text).
    juce::String playingModeText (int v)
    {
        static const SharedTexts<0, 2> modes ([] (int m) { return juce::String (m == 0 ? "NONE" : m == 1 ? "PROGRAM" : "MULTI"); });
        if (auto* t = modes.at (v))
            return *t;
        return ValueText::ofNumber (v);
    }

    juce::String groupOf400 (int code, int v)
    {
        return code == playingModeCode ? playingModeText (v) : ValueText::ofNumber (v);
    }

    juce::String onOffText (int v)
    {
        static const SharedTexts<0, 1> texts ([] (int on) { return ValueScales::onOff (on); });
        return *texts.at (v != 0 ? 1 : 0);
    }

    juce::String offText()
    {
        static const juce::String off ("OFF");
        return off;
    }

    juce::String noneText()
    {
        static const juce::String none ("NONE");
        return none;
    }

    constexpr int lastSharedBank = 127;

    juce::String bankText (int v)
    {
        static const SharedTexts<0, lastSharedBank> banks ([] (int b) { return ValueText::ofText ("Bank ", int64_t (b) + 1); });
        if (auto* t = banks.at (v))
            return *t;
        return ValueText::ofText ("Bank ", int64_t (v) + 1);
    }
}

juce::String ValueFormatter::formatValue (int code, int v) const
{
    if (code < group100)
        return ValueText::ofNumber (v);
    if (code < group200)
        return ValueGroup100::format (code, v);
    if (code < group300)
        return ValueGroup200::format (code, v);
    if (code < group400)
        return ValueGroup300::format (code, v);
    if (code < group500)
        return groupOf400 (code, v);
    if (code < firstUnformatted)
        return ValueGroup500::format (code, v);
    if (code >= ObjectReferenceValues::firstCode)
        return v <= 0 ? noneText() : ObjectReferenceValues::format (code, v, nameSource); // "NONE", shared

    switch (code)
    {
        case bankCode: return bankText (v);
        case noteCode: return ValueScales::noteName (v);
        case onOffCode: return onOffText (v);
        case offOrNumberCode: return v < 0 ? offText() : ValueText::ofNumber (v);
        case semitonesCode: return ValueText::ofNumber (v, " ST");
        case centsCode: return ValueText::ofNumber (v, " ct");
        case percentCode: return ValueText::ofNumber (v, "%");
        case noneOrNumberCode: return v < 0 ? noneText() : ValueText::ofNumber (v);
        case decibelsCode: return ValueText::ofNumber (v, " dB");
        default: return {}; // 600..743, 745..776, 785..2000
    }
}

juce::String ValueFormatter::noteName (int value)
{
    return ValueScales::noteName (value);
}

} // namespace zd8
