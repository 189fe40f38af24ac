#include "model/AlgorithmShortCodes.h"

#include <cstring>

namespace zd8
{

namespace
{
    // Assigned algorithm IDs as inclusive ranges; everything else is blank.
    struct Range
    {
        int first, last;
        const char code[AlgorithmShortCodes::codeLength + 1];
    };

    constexpr Range ranges[] = {
        { 1, 2, "Rvrb" }, { 3, 3, "GRvb" }, { 4, 15, "Rvrb" },
        { 50, 52, "RvCm" }, { 53, 55, "Vocl" }, { 56, 56, "RvCm" },
        { 100, 103, "Lvrb" }, { 104, 104, "GLvb" }, { 105, 106, "DlyR" },
        { 150, 156, "Dly " }, { 170, 174, "Dly " }, { 190, 192, "Dly " },
        { 200, 203, "Chor" }, { 225, 227, "Flng" },
        { 250, 251, "Phsr" }, { 253, 259, "Phsr" },
        { 270, 272, "Trem" }, { 275, 278, "Pan " }, { 280, 282, "Ster" },
        { 284, 284, "Filt" }, { 285, 285, "Guit" },
        { 290, 296, "TW7 " }, { 297, 297, "Roto" }, { 298, 298, "TW7a" }, { 299, 299, "TW7b" },
        { 300, 305, "Dist" }, { 306, 307, "Shpr" }, { 308, 308, "QntA" }, { 309, 309, "QntF" },
        { 310, 316, "Guit" }, { 317, 317, "DstC" }, { 318, 318, "DstF" }, { 319, 319, "DstC" },
        { 320, 320, "DstF" }, { 321, 321, "FShp" }, { 322, 322, "ShpR" }, { 323, 323, "Dist" },
        { 327, 327, "Guit" },
        { 330, 337, "Cmpr" }, { 340, 340, "Expd" }, { 341, 342, "CmpX" }, { 343, 344, "Gate" },
        { 345, 345, "Cmpr" }, { 347, 348, "Cmpr" },
        { 350, 354, "EQ  " }, { 360, 368, "Filt" }, { 370, 371, "Enhc" }, { 372, 373, "Stim" },
        { 374, 375, "Expd" }, { 380, 380, "RMod" }, { 381, 382, "Pchr" }, { 383, 383, "PchR" },
        { 384, 384, "FPch" }, { 385, 386, "Freq" }, { 387, 387, "PLFO" }, { 388, 389, "Mod " },
        { 390, 390, "Kaos" }, { 392, 396, "Snth" },
        { 400, 402, "CDly" }, { 403, 403, "CDRv" }, { 404, 404, "CRvb" }, { 405, 407, "CDly" },
        { 408, 408, "CDRv" }, { 409, 412, "PchC" },
        { 420, 422, "CDly" }, { 423, 423, "CDRv" }, { 425, 427, "CDly" }, { 428, 428, "CDRv" },
        { 429, 430, "PchC" },
        { 450, 452, "FDly" }, { 453, 453, "FDRv" }, { 454, 454, "FRvb" }, { 455, 457, "FDly" },
        { 458, 458, "FDRv" }, { 459, 461, "PchF" },
        { 470, 472, "FDly" }, { 473, 473, "FDRv" }, { 475, 477, "FDly" }, { 478, 478, "FDRv" },
        { 479, 480, "PchF" },
        { 498, 499, "Util" }, { 500, 502, "TDst" }, { 580, 580, "TW7a" }, { 600, 600, "Reso" },
    };

    AlgorithmShortCodes::Table buildTable()
    {
        AlgorithmShortCodes::Table t;
        t.fill (' ');
        for (const auto& r : ranges)
            for (int id = r.first; id <= r.last; ++id)
                std::memcpy (t.data() + id * AlgorithmShortCodes::codeLength, r.code, AlgorithmShortCodes::codeLength);
        return t;
    }
}

const AlgorithmShortCodes::Table& AlgorithmShortCodes::table() noexcept
{
    static const Table t = buildTable();
    return t;
}

std::array<char, AlgorithmShortCodes::codeLength> AlgorithmShortCodes::entry (const Table& t, int algorithmId) noexcept
{
    std::array<char, codeLength> code { ' ', ' ', ' ', ' ' };
    if (algorithmId >= 0 && algorithmId < entryCount)
        std::memcpy (code.data(), t.data() + algorithmId * codeLength, codeLength);
    return code;
}

juce::String AlgorithmShortCodes::shortCode (int algorithmId)
{
    if (algorithmId < 0 || algorithmId >= entryCount)
        return {};
    const auto code = entry (table(), algorithmId);
    return juce::String (code.data(), (size_t) codeLength);
}

} // namespace zd8
