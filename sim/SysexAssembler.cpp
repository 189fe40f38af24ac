#include "sim/SysexAssembler.h"

#include <algorithm>

namespace zd8sim
{

namespace
{
constexpr std::uint8_t sysexStart = 0xF0;
constexpr std::uint8_t sysexEnd = 0xF7;
constexpr std::uint8_t firstRealtime = 0xF8;

bool isStatus (std::uint8_t b) noexcept { return b >= 0x80; }
} // namespace

SysexAssembler::Outcome SysexAssembler::add (const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size == 0)
        return Outcome::stray;

    const auto first = data[0];

    if (first >= firstRealtime)
        return Outcome::notSysex;

    if (first == sysexStart)
    {
        buffer.clear();
        open = true;
        return append (data, size);
    }

    if (first == sysexEnd || ! isStatus (first))
    {
        if (! open)
            return Outcome::stray;

        return append (data, size);
    }

    // A channel or system-common status byte: on the wire it would have ended the
    // open message unfinished.
    reset();
    return Outcome::notSysex;
}

void SysexAssembler::addPartial (const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size == 0 || data[0] != sysexStart)
        return;

    const auto* end = std::find (data, data + size, sysexEnd);
    if (end != data + size || size > maxMessageSize)
        return; // a partial never holds the end; such bytes are not what JUCE promises

    buffer.assign (data, data + size);
    open = true;
}

SysexAssembler::Outcome SysexAssembler::append (const std::uint8_t* data, std::size_t size)
{
    const auto* end = std::find (data, data + size, sysexEnd);
    const auto taken = (std::size_t) (end - data) + (end != data + size ? 1 : 0);

    if (buffer.size() + taken > maxMessageSize)
    {
        reset();
        return Outcome::stray;
    }

    buffer.insert (buffer.end(), data, data + taken);

    if (end == data + size)
        return Outcome::pending;

    finished.swap (buffer);
    buffer.clear();
    open = false;
    return Outcome::complete;
}

std::vector<std::uint8_t> SysexAssembler::takeMessage()
{
    std::vector<std::uint8_t> result;
    result.swap (finished);
    return result;
}

void SysexAssembler::reset()
{
    buffer.clear();
    open = false;
}

} // namespace zd8sim
