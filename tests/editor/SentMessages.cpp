#include "SentMessages.h"

namespace zd8test
{

std::vector<juce::String> SentMessages::mixerValue (int channel, int a5, int value)
{
    const auto status = juce::String::toHexString (0xB0 + channel).toUpperCase();
    auto cc = [&] (int controller, int v)
    {
        return status + " " + juce::String::toHexString (controller).toUpperCase().paddedLeft ('0', 2) + " "
             + juce::String::toHexString (v).toUpperCase().paddedLeft ('0', 2);
    };
    // The value travels offset by 8192 in two 7-bit halves; A3 is 1 for the mixer
    // values from A5 20 on, 5 below.
    const int offset = value + 8192;
    const int a3 = a5 >= 20 ? 1 : 5;
    return { cc (110, 1), cc (111, 0), cc (112, a3), cc (113, 0), cc (114, a5), cc (118, offset / 128), cc (119, offset % 128) };
}

juce::String SentMessages::programSelect (int channel, int program)
{
    return juce::String::formatted ("F0 07 46 01 00 20 %02X %02X %02X F7", channel, program / 128, program % 128);
}

juce::String SentMessages::multiSelect (int multi)
{
    return juce::String::formatted ("F0 07 46 01 00 11 %02X %02X F7", (multi >> 7) & 0x7F, multi & 0x7F);
}

} // namespace zd8test
