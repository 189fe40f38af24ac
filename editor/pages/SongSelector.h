#pragma once

#include "editor/pages/ObjectSelector.h"

namespace zd8
{

/** The song selector (page "|"). The main window never parks it: hiding
    only clears its shown flag. Everything else is the keymap
    selector's (ObjectSelector). Message thread only. */
class SongSelector : public ObjectSelector
{
public:
    static const Kind kindOf;

    explicit SongSelector (VantorAudioProcessor& processor);
};

} // namespace zd8
