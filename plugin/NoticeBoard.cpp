#include "plugin/NoticeBoard.h"

namespace zd8
{

void NoticeBoard::post (const Notice& notice)
{
    if (notice.isSlotNotice())
    {
        slotNotices.push (notice.toSlotWord());
        listeners.call (0);
        return;
    }
    postWord (notice.toWord());
}

void NoticeBoard::postWord (juce::uint32 word)
{
    notices.push (word);
    listeners.call ((int) word);
}

} // namespace zd8
