#include "model/EffectCategories.h"

#include <cstring>

namespace zd8
{

namespace
{
    // Category indices of the chooser's effect table.
    enum : int
    {
        reverb = 1, chorus, flanger, phaser, tremolo, panner, organ, delay, echo,
        distortion, compressor, enhancer, filter, drums, pitcher, guitar, eq
    };

    constexpr std::uint32_t bit (int c) { return 1u << c; }

    struct CodeCategories
    {
        const char* code; // without trailing blanks
        std::uint32_t mask;
    };

    constexpr CodeCategories table[] = {
        { "Rvrb", bit (reverb) }, { "GRvb", bit (reverb) }, { "Lvrb", bit (reverb) }, { "RMod", bit (reverb) },
        { "RvCm", bit (reverb) | bit (compressor) },
        { "DlyR", bit (reverb) | bit (delay) },
        { "Dly", bit (delay) }, { "FDly", bit (delay) },
        { "Chor", bit (chorus) },
        { "CDly", bit (chorus) | bit (delay) },
        { "CDRv", bit (chorus) | bit (reverb) }, { "CRvb", bit (chorus) | bit (reverb) },
        { "Flng", bit (flanger) }, { "FShp", bit (flanger) }, { "PchF", bit (flanger) },
        { "FDRv", bit (flanger) | bit (reverb) }, { "FRvb", bit (flanger) | bit (reverb) },
        { "Phsr", bit (phaser) }, { "PLFO", bit (phaser) },
        { "Trem", bit (tremolo) },
        { "Pan", bit (panner) }, { "Ster", bit (panner) },
        { "TW7", bit (organ) }, { "TW7a", bit (organ) }, { "TW7b", bit (organ) },
        { "Dist", bit (distortion) }, { "Kaos", bit (distortion) },
        { "DstC", bit (distortion) | bit (chorus) },
        { "Cmpr", bit (compressor) }, { "CmpX", bit (compressor) },
        { "Enhc", bit (enhancer) },
        { "Filt", bit (filter) },
        { "Freq", bit (pitcher) },
        { "Pchr", bit (pitcher) | bit (chorus) }, { "PchC", bit (pitcher) | bit (chorus) },
        { "Guit", bit (guitar) }, { "GLvb", bit (guitar) },
        { "EQ", bit (eq) },
    };

    static_assert (echo == 9 && drums == 14 && eq == 17, "category indices follow the chooser's table");
}

std::uint32_t EffectCategories::categoryMask (const std::array<char, 4>& shortCode) noexcept
{
    size_t length = shortCode.size();
    while (length > 0 && shortCode[length - 1] == ' ')
        --length;
    if (length == 0)
        return 0;

    for (const auto& entry : table)
        if (std::strlen (entry.code) == length && std::memcmp (entry.code, shortCode.data(), length) == 0)
            return entry.mask;
    return 0;
}

} // namespace zd8
