#pragma once

#include "model/ParameterNameList.h"

#include <array>
#include <vector>

namespace zd8
{

/** A program's decoded control data: the named parameters of the program itself and of
    its three FX chains, and the program's assignments of those parameters to the
    instrument's controllers. A plain value: the edit buffer hands out copies. */
class VirtualParameterTable
{
public:
    enum ListIndex
    {
        programList = 0,
        insertList = 1,
        aux1List = 2,
        aux2List = 3,
        listCount = 4
    };

    /** Bytes per assignment: sub-system, parameter reference, entry value, controller
        number, each a signed byte. */
    static constexpr size_t assignmentSize = 4;

    struct Assignment
    {
        int subSystem = 0;
        int parameter = 0;   // the parameter ID of the name-list entry it controls
        int value = 0;       // -1: no value
        int controller = 0;  // MIDI controller number; negative: none

        bool operator== (const Assignment& o) const
        {
            return subSystem == o.subSystem && parameter == o.parameter && value == o.value && controller == o.controller;
        }
    };

    /** The program's own list, then the insert, Aux 1 and Aux 2 chains' lists; each
        list's identifier travels with it. */
    std::array<ParameterNameList, listCount> lists;
    int assignmentIdentifier = 0;
    std::vector<Assignment> assignments;

    int assignmentCount() const noexcept { return (int) assignments.size(); }

    /** Assignment i, or an all-zero one when i is outside the list. */
    Assignment assignment (int i) const noexcept;

    /** Name of the parameter assignment i controls: the first entry with that parameter
        ID in the program's own list, then the insert, Aux 1 and Aux 2 lists; empty text
        when none matches or there is no assignment i. */
    juce::String parameterName (int i) const;

    /** Sub-system name of assignment i; empty text when there is no assignment i. */
    juce::String subSystemText (int i) const;

    /** "---" when assignment i has no value (negative), else the number; empty text when
        there is no assignment i. */
    juce::String entryValueText (int i) const;

    /** Controller name of assignment i's controller number when that is below 127; at 127
        the controller name of its parameter reference. Empty text when there is no
        assignment i. */
    juce::String assignedToText (int i) const;

    /** Decodes the assignment list (bytes 0..1 identifier, 2..3 count M, then M entries).
        Data shorter than ParameterNameList::minimumSize gives no assignments; otherwise
        the entries that lie wholly inside the data are taken. */
    void parseAssignments (const void* data, size_t size);

    /** Keeps the decoded assignments in step with a byte written into the assignment
        list at position (0 = the list's first byte). */
    void assignmentByteChanged (size_t position, int value) noexcept;

    void clear();
};

} // namespace zd8
