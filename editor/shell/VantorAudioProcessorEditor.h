#pragma once

#include "editor/kit/KitTooltipWindow.h"
#include "editor/shell/RepaintFlush.h"
#include "editor/shell/WindowSizeConstrainer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace zd8
{

class EditorConnection;
class MainPanel;
class VantorAudioProcessor;

/** The plug-in window the host asks for: one MainPanel, a 16x16 resizer corner and
    tooltips. The MainPanel is always laid out at its design size (1028x730) and drawn
    scaled to the window, so the whole window, pictures and texts grow and shrink
    together; the window keeps the design aspect between 75 % and 200 % of it. The
    engine remembers the size for the next opening and in the host's project. Only this
    class knows the processor: everything inside reaches the engine through the
    processor's EditorConnection. */
class VantorAudioProcessorEditor : public juce::AudioProcessorEditor, public juce::ChangeListener
{
public:
    static constexpr int designWidth = WindowSizeConstrainer::designWidth;
    static constexpr int designHeight = WindowSizeConstrainer::designHeight;
    static constexpr int resizerSize = 16;
    static constexpr int tooltipDelayMs = 200;

    explicit VantorAudioProcessorEditor (VantorAudioProcessor& processor);
    ~VantorAudioProcessorEditor() override;

    /** Makes every processor's createEditor build this window (the plug-in's entry
        point calls it once; so do the programs that open windows themselves). */
    static void registerWithProcessor();

    MainPanel& getMainPanel() noexcept { return *mainPanel; }
    juce::ComponentBoundsConstrainer& getSizeLimits() noexcept { return constrainer; }

    /** The size the window takes for a stored size: the design aspect, scaled as far as
        the stored size allows, within 75 % .. 200 % (a size stored by an older version,
        or by a host that sized the window freely, still opens whole and undistorted). */
    static juce::Rectangle<int> conformedSize (int storedWidth, int storedHeight);

    /** The scale the main panel is drawn at, horizontally (the vertical one differs by
        less than a pixel's worth when the window has the design aspect). */
    float getScale() const noexcept { return scale; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    EditorConnection& connection;
    WindowSizeConstrainer constrainer;
    float scale = 1.0f;
    std::unique_ptr<MainPanel> mainPanel;
    juce::ResizableCornerComponent resizer { this, &constrainer };
    KitTooltipWindow tooltips { this, tooltipDelayMs };
    RepaintFlush repaintFlush { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorAudioProcessorEditor)
};

} // namespace zd8
