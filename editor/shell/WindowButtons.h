#pragma once

#include "editor/shell/WindowButtonsListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <mutex>

namespace zd8
{

/** Window buttons: minimise (120), maximise (121) and close (122) side by side, 18x15
    each, from a sheet whose lower row is the highlighted look; or, in the close-only
    form, a single 17x15 close button. The pointer over a button highlights it; a
    release over the button that was pressed reports its code to the winToolListeners
    (last registered first). With the application-quit flag set, close quits the
    application instead of reporting. Message thread only. */
class WindowButtons : public juce::Component
{
public:
    static constexpr int minimiseCode = 120;
    static constexpr int maximiseCode = 121;
    static constexpr int closeCode = 122;

    explicit WindowButtons (bool closeOnly = false);
    ~WindowButtons() override;

    void addListener (WindowButtonsListener* listener);
    void removeListener (WindowButtonsListener* listener);

    void setApplicationQuit (bool on) noexcept { quitsApplication = on; }
    bool isApplicationQuit() const noexcept { return quitsApplication; }
    /** What a close does with the quit flag set; asks the application to quit unless
        replaced. */
    void setQuitAction (std::function<void()> action) { quitAction = std::move (action); }

    bool isCloseOnly() const noexcept { return closeOnly; }
    /** The code of the button at a point (0 outside every button). */
    int codeAt (juce::Point<int> position) const noexcept;
    int getHighlighted() const noexcept { return highlighted; }

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

private:
    void setHighlighted (int code);
    void report (int code);

    bool closeOnly;
    bool quitsApplication = false;
    int highlighted = 0, pressed = 0;
    juce::Image sheet, closePicture;
    std::function<void()> quitAction;
    std::mutex listenerLock;
    juce::Array<WindowButtonsListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowButtons)
};

} // namespace zd8
