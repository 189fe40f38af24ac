#include "model/VirtualParameterTable.h"

#include "model/ProgramNames.h"

namespace zd8
{

namespace
{
    // The controller number at which "assigned to" shows the parameter reference instead.
    constexpr int controllerShowsParameter = 127;
    constexpr size_t assignmentCountPosition = 2;
}

VirtualParameterTable::Assignment VirtualParameterTable::assignment (int i) const noexcept
{
    if (i < 0 || i >= assignmentCount())
        return {};
    return assignments[(size_t) i];
}

juce::String VirtualParameterTable::parameterName (int i) const
{
    if (i < 0 || i >= assignmentCount())
        return {};

    const int parameter = assignments[(size_t) i].parameter;
    for (const auto& list : lists)
        if (auto* entry = list.find (parameter))
            return entry->name;
    return {};
}

juce::String VirtualParameterTable::subSystemText (int i) const
{
    if (i < 0 || i >= assignmentCount())
        return {};
    return ProgramNames::subSystemName (assignments[(size_t) i].subSystem);
}

juce::String VirtualParameterTable::entryValueText (int i) const
{
    if (i < 0 || i >= assignmentCount())
        return {};
    const int value = assignments[(size_t) i].value;
    return value < 0 ? juce::String ("---") : juce::String (value);
}

juce::String VirtualParameterTable::assignedToText (int i) const
{
    if (i < 0 || i >= assignmentCount())
        return {};
    const auto& a = assignments[(size_t) i];
    return ProgramNames::controllerName (a.controller < controllerShowsParameter ? a.controller : a.parameter);
}

void VirtualParameterTable::parseAssignments (const void* data, size_t size)
{
    assignments.clear();
    assignmentIdentifier = 0;

    auto* bytes = static_cast<const juce::uint8*> (data);
    if (bytes == nullptr || size < ParameterNameList::minimumSize)
        return;

    assignmentIdentifier = bytes[0] << 8 | bytes[1];
    const size_t count = (size_t) (bytes[assignmentCountPosition] << 8 | bytes[assignmentCountPosition + 1]);
    const size_t present = juce::jmin (count, (size - ParameterNameList::headerSize) / assignmentSize);

    assignments.reserve (present);
    for (size_t i = 0; i < present; ++i)
    {
        auto* e = bytes + ParameterNameList::headerSize + i * assignmentSize;
        assignments.push_back ({ (juce::int8) e[0], (juce::int8) e[1], (juce::int8) e[2], (juce::int8) e[3] });
    }
}

void VirtualParameterTable::assignmentByteChanged (size_t position, int value) noexcept
{
    if (position < ParameterNameList::headerSize)
        return;
    const size_t i = (position - ParameterNameList::headerSize) / assignmentSize;
    if (i >= assignments.size())
        return;

    const int signedValue = (juce::int8) (juce::uint8) value;
    auto& a = assignments[i];
    switch ((position - ParameterNameList::headerSize) % assignmentSize)
    {
        case 0: a.subSystem = signedValue; break;
        case 1: a.parameter = signedValue; break;
        case 2: a.value = signedValue; break;
        default: a.controller = signedValue; break;
    }
}

void VirtualParameterTable::clear()
{
    for (auto& list : lists)
        list = {};
    assignmentIdentifier = 0;
    assignments.clear();
}

} // namespace zd8
