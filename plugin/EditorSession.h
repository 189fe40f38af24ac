#pragma once

#include <atomic>

namespace zd8
{

/** What the editor remembers across window openings within one plug-in instance:
    the page codes (current and previous page), whether the keyboard panel is shown,
    whether the About panel has been shown, the keyboard's octave and velocity. The
    window reads and writes these on the message thread; they are atomics only because
    the host may destroy a window while another thread reads a flag. */
class EditorSession
{
public:
    char getCurrentPage() const noexcept { return currentPage.load(); }
    char getPreviousPage() const noexcept { return previousPage.load(); }

    /** Makes code the current page: the old current code becomes the previous one. */
    void enterPage (char code) noexcept
    {
        previousPage = currentPage.load();
        currentPage = code;
    }

    std::atomic<bool> keyboardShown { false };
    std::atomic<bool> aboutShown { false };
    std::atomic<int> keyboardOctave { 3 };
    std::atomic<int> keyboardVelocity { 100 };

private:
    std::atomic<char> currentPage { 'q' };
    std::atomic<char> previousPage { 'q' };
};

} // namespace zd8
