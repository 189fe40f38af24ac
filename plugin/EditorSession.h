#pragma once

#include <atomic>

namespace zd8
{

/** What the editor remembers across window openings within one plug-in instance:
    the current and previous page (the window's Page values; 'q', the mixer, at
    first), whether the keyboard panel is shown, whether the About panel has been
    shown, the keyboard's octave and velocity. The window reads and writes these on
    the message thread; they are atomics only because the host may destroy a window
    while another thread reads a flag. */
class EditorSession
{
public:
    static constexpr int firstPage = 'q';

    int getCurrentPage() const noexcept { return currentPage.load(); }
    int getPreviousPage() const noexcept { return previousPage.load(); }

    /** Makes page the current one: the old current page becomes the previous one. */
    void enterPage (int page) noexcept
    {
        previousPage = currentPage.load();
        currentPage = page;
    }

    std::atomic<bool> keyboardShown { false };
    std::atomic<bool> aboutShown { false };
    std::atomic<int> keyboardOctave { 3 };
    std::atomic<int> keyboardVelocity { 100 };

private:
    std::atomic<int> currentPage { firstPage };
    std::atomic<int> previousPage { firstPage };
};

} // namespace zd8
