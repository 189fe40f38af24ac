#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zd8sim
{

/** Puts long system-exclusive messages back together from the pieces a MIDI input
    delivers them in. A piece that starts with F0 begins a message (and throws away one
    that was still open); later pieces are appended until an F7 arrives. The first F7
    ends the message: bytes after it in the same piece are not part of it.

    Any status byte other than F7 and the real-time bytes F8..FF ends an open message
    unfinished, as it would on a real MIDI line; real-time bytes pass through without
    touching it. Not thread-safe: one input thread feeds it. */
class SysexAssembler
{
public:
    /** An open message that grows past this is abandoned (a sender that never ends
        its message must not eat the memory). */
    static constexpr std::size_t maxMessageSize = 1u << 20;

    enum class Outcome
    {
        notSysex,  // not system-exclusive material: decode it as an ordinary message
        pending,   // taken into the open message, which needs more pieces
        complete,  // a whole message is ready: takeMessage()
        stray      // a continuation with no message open, or an abandoned one: dropped
    };

    /** One delivered piece (or a whole message). */
    Outcome add (const std::uint8_t* data, std::size_t size);

    /** JUCE's partial-sysex notification: everything received so far of the message
        that is arriving, from its F0 on (each call repeats the earlier bytes). It
        replaces the open message; the finished message still arrives through add(). */
    void addPartial (const std::uint8_t* data, std::size_t size);

    /** The message completed by the last add(); empties it. */
    std::vector<std::uint8_t> takeMessage();

    bool isOpen() const noexcept { return open; }
    void reset();

private:
    Outcome append (const std::uint8_t* data, std::size_t size);

    std::vector<std::uint8_t> buffer;
    std::vector<std::uint8_t> finished;
    bool open = false;
};

} // namespace zd8sim
