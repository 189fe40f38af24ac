#pragma once

#include <array>
#include <cstdint>

namespace zd8
{

/** Which effect categories (1 "Reverb" .. 17 "EQ", the indices of Categories) an
    algorithm's short code puts an FX chain into. No code leads to "Echo" (9) or
    "Drums" (14). Pure function, safe from any thread. */
class EffectCategories
{
public:
    /** Bit c set for every category c the code names; 0 for codes that name none.
        The code is compared without its trailing blanks ("Dly " is "Dly"). */
    static std::uint32_t categoryMask (const std::array<char, 4>& shortCode) noexcept;
};

} // namespace zd8
