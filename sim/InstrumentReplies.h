#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zd8sim
{

/** Builds the messages the instrument sends back on its own: pure, bytes out. */
class InstrumentReplies
{
public:
    // Universal identity reply: F0 7E 7F 06 02, manufacturer, four model bytes
    // (offsets 6..9: family LSB, family MSB, member LSB, member MSB), four version
    // bytes, F7.
    static constexpr std::size_t identityReplySize = 15;
    static constexpr std::uint8_t identityManufacturer = 0x07;

    /** The ZD8's own model bytes: family 0x46, member 1. */
    static constexpr std::array<std::uint8_t, 4> zd8Model { 0x46, 0x00, 0x01, 0x00 };
    static constexpr std::array<std::uint8_t, 4> defaultVersion { 0x01, 0x00, 0x00, 0x00 };

    /** Bytes of 0x80 and above are cut to seven bits, so the reply is always valid. */
    static std::vector<std::uint8_t> identityReply (const std::array<std::uint8_t, 4>& model,
                                                    const std::array<std::uint8_t, 4>& version = defaultVersion);
};

} // namespace zd8sim
