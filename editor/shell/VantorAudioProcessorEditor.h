#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace zd8
{

class EditorConnection;
class MainPanel;
class VantorAudioProcessor;

/** The plug-in window the host asks for: one MainPanel over the whole area, a 16x16
    resizer corner and tooltips. The window can be sized between 452x150 and
    1233x1092; the engine remembers the size for the next opening. Only this class
    knows the processor: everything inside reaches the engine through the processor's
    EditorConnection. */
class VantorAudioProcessorEditor : public juce::AudioProcessorEditor, public juce::ChangeListener
{
public:
    static constexpr int minWidth = 452, minHeight = 150;
    static constexpr int maxWidth = 1233, maxHeight = 1092;
    static constexpr int resizerSize = 16;
    static constexpr int tooltipDelayMs = 200;

    explicit VantorAudioProcessorEditor (VantorAudioProcessor& processor);
    ~VantorAudioProcessorEditor() override;

    /** Makes every processor's createEditor build this window (the plug-in's entry
        point calls it once; so do the programs that open windows themselves). */
    static void registerWithProcessor();

    MainPanel& getMainPanel() noexcept { return *mainPanel; }
    juce::ComponentBoundsConstrainer& getSizeLimits() noexcept { return constrainer; }

    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    EditorConnection& connection;
    juce::ComponentBoundsConstrainer constrainer;
    std::unique_ptr<MainPanel> mainPanel;
    juce::ResizableCornerComponent resizer { this, &constrainer };
    juce::TooltipWindow tooltips { this, tooltipDelayMs };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorAudioProcessorEditor)
};

} // namespace zd8
