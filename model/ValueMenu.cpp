#include "model/ValueMenu.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zd8
{

std::vector<ValueMenu::Item> ValueMenu::items (const ValueFormatter& valueFormatter, int descriptionCode, int first, int last)
{
    std::vector<Item> result;
    // The highest value whose ID still fits in an int.
    const int64_t top = std::min<int64_t> ({ int64_t (last),
                                             int64_t (first) + maxItems - 1,
                                             int64_t (std::numeric_limits<int>::max()) - idOffset });
    if (top < first)
        return result;

    result.reserve (size_t (top - first + 1));
    for (int64_t v = first; v <= top; ++v)
        if (v != dismissed)
            result.push_back ({ int (v + idOffset), valueFormatter.formatValue (descriptionCode, int (v)) });
    return result;
}

int ValueMenu::valueForId (int chosenId) noexcept
{
    if (chosenId == 0 || int64_t (chosenId) - idOffset < std::numeric_limits<int>::min())
        return dismissed;
    return chosenId - idOffset;
}

} // namespace zd8
