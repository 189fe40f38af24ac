#include "editor/shell/VantorAudioProcessorEditor.h"

#include "editor/kit/Palette.h"
#include "editor/shell/MainPanel.h"
#include "plugin/SettingsList.h"
#include "plugin/VantorAudioProcessor.h"

#include <cmath>

namespace zd8
{

void VantorAudioProcessorEditor::registerWithProcessor()
{
    VantorAudioProcessor::setEditorFactory ([] (VantorAudioProcessor& p) -> juce::AudioProcessorEditor* {
        return new VantorAudioProcessorEditor (p);
    });
}

VantorAudioProcessorEditor::VantorAudioProcessorEditor (VantorAudioProcessor& p)
    : juce::AudioProcessorEditor (p), connection (p.getEditorConnection())
{
    mainPanel = std::make_unique<MainPanel> (connection);
    // Laid out once at its design size; resized() only changes the scale it is drawn at.
    mainPanel->setBounds (0, 0, designWidth, designHeight);
    addAndMakeVisible (*mainPanel);
    mainPanel->addChangeListener (this);
    connection.addArrangementListener (this);

    addAndMakeVisible (resizer);
    // The host may resize too; the corner is ours (JUCE's own would be 18 pixels).
    setResizable (true, false);
    setConstrainer (&constrainer);

    const auto size = conformedSize (connection.getEditorWidth(), connection.getEditorHeight());
    setSize (size.getWidth(), size.getHeight());
}

juce::Rectangle<int> VantorAudioProcessorEditor::conformedSize (int storedWidth, int storedHeight)
{
    const juce::Rectangle<int> stored (storedWidth, storedHeight);
    const double byWidth = (double) storedWidth / designWidth, byHeight = (double) storedHeight / designHeight;

    // A size the window took itself is one of the constrainer's sizes, whichever side
    // it is read by; any other is fitted inside the stored area.
    for (const double scale : { byWidth, byHeight })
        if (WindowSizeConstrainer::sizeAt (scale) == stored)
            return stored;
    return WindowSizeConstrainer::sizeAt (juce::jmin (byWidth, byHeight));
}

VantorAudioProcessorEditor::~VantorAudioProcessorEditor()
{
    connection.removeArrangementListener (this);
    mainPanel->removeChangeListener (this);
}

void VantorAudioProcessorEditor::resized()
{
    if (mainPanel == nullptr)
        return;
    const int w = getWidth(), h = getHeight();
    const float sx = (float) w / (float) designWidth, sy = (float) h / (float) designHeight;
    const float fit = juce::jmin (sx, sy);

    // At the design aspect (to a pixel, as the corner and the constrainer keep it) the
    // panel covers the window to its last pixel; a host that forces another aspect gets
    // the whole panel undistorted, centred on the window's background.
    if (std::abs ((float) w - designWidth * fit) <= 1.0f && std::abs ((float) h - designHeight * fit) <= 1.0f)
    {
        scale = sx;
        mainPanel->setTransform (juce::AffineTransform::scale (sx, sy));
    }
    else
    {
        scale = fit;
        mainPanel->setTransform (juce::AffineTransform::scale (fit).translated (((float) w - designWidth * fit) * 0.5f,
                                                                               ((float) h - designHeight * fit) * 0.5f));
    }

    resizer.setBounds (getWidth() - resizerSize, getHeight() - resizerSize, resizerSize, resizerSize);
    resizer.toFront (false);
    connection.setEditorSize (w, h);
    // The settings list keeps the window's size too (the panel itself stays at 1028x730).
    connection.getSettings().set (6, juce::String (w));
    connection.getSettings().set (7, juce::String (h));
}

void VantorAudioProcessorEditor::paint (juce::Graphics& g)
{
    // Only seen beside the panel when a host forces a size of another aspect.
    g.fillAll (juce::Colour (Palette::pageFill));
}

void VantorAudioProcessorEditor::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // The processor's broadcast is for its own listeners: the host-bound changes are
    // reported by the processor itself, so the window has nothing to take here. The
    // main component's broadcast carries nothing for the window either.
}

} // namespace zd8
