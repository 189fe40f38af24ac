#include "sim/InstrumentReplies.h"

namespace zd8sim
{

namespace
{
constexpr std::uint8_t sysexStart = 0xF0;
constexpr std::uint8_t sysexEnd = 0xF7;
constexpr std::uint8_t universalNonRealtime = 0x7E;
constexpr std::uint8_t allDevices = 0x7F;
constexpr std::uint8_t generalInformation = 0x06;
constexpr std::uint8_t identityReplySubId = 0x02;
} // namespace

std::vector<std::uint8_t> InstrumentReplies::identityReply (const std::array<std::uint8_t, 4>& model,
                                                            const std::array<std::uint8_t, 4>& version)
{
    std::vector<std::uint8_t> reply { sysexStart, universalNonRealtime, allDevices, generalInformation,
                                      identityReplySubId, identityManufacturer };
    reply.reserve (identityReplySize);

    for (auto b : model)
        reply.push_back (b & 0x7F);

    for (auto b : version)
        reply.push_back (b & 0x7F);

    reply.push_back (sysexEnd);
    return reply;
}

} // namespace zd8sim
