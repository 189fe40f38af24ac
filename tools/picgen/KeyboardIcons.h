#pragma once

#include "tools/picgen/CategoryIcons.h"
#include "tools/picgen/IconPen.h"

namespace zd8gen
{

/** The keyboard instruments among the category icons: pianos, electric pianos, clavs
    and organs. */
class KeyboardIcons
{
public:
    /** Draws the icon with the pen; false when it is not a keyboard icon. */
    static bool draw (const IconPen&, CategoryIcons::Icon);
};

} // namespace zd8gen
