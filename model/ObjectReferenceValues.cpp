#include "model/ObjectReferenceValues.h"

#include "model/ValueText.h"

namespace zd8
{

namespace
{
    struct Reference
    {
        int code;
        int typeCode;
        bool prefixed;
    };

    using V = ObjectReferenceValues;

    constexpr Reference references[] = {
        { 2100, V::programType, true },
        { 2101, V::programType, false },
        { 2102, V::programType, true },
        { 2200, V::fxChainType, true },
        { 2201, V::fxChainType, false },
        { 2300, V::songType, true },
        { 2301, V::songType, false },
        { 2400, V::shiftPatternType, true },
        { 2401, V::shiftPatternType, false },
        { 2500, V::velocityPatternType, true },
        { 2501, V::velocityPatternType, false },
        { 2600, V::intonationTableType, true },
        { 2601, V::intonationTableType, false },
        { 2700, V::keymapType, true },
        { 2701, V::keymapType, false },
        { 2800, V::multiType, true },
        { 2801, V::multiType, false },
        { 2900, V::arpeggiatorType, true },
        { 2901, V::arpeggiatorType, false },
    };

    // Arpeggiator 1 is the one being edited on the instrument, not a stored object.
    constexpr int editedArpCode = 2900;
    constexpr int editedArpId = 1;

    const Reference* findReference (int code) noexcept
    {
        for (auto& r : references)
            if (r.code == code)
                return &r;
        return nullptr;
    }
}

juce::String ObjectReferenceValues::format (int code, int v, const ObjectNameSource* names)
{
    if (v <= 0)
        return "NONE";
    if (code == editedArpCode && v == editedArpId)
        return "Edited Arp";

    const auto* ref = findReference (code);
    if (ref == nullptr)
        return ValueText::ofNumber (v, " ");

    auto name = names != nullptr ? names->objectName (ref->typeCode, v) : juce::String();
    if (! ref->prefixed)
        return name;

    ValueText t;
    t.number (v).text (" ");
    const auto bytes = name.getNumBytesAsUTF8();
    if (t.size() + bytes <= ValueText::capacity)
        return t.bytes (name.toRawUTF8(), bytes).toString();
    return t.toString() + name; // a name longer than any the instrument stores
}

} // namespace zd8
