#include "editor/shell/VantorAudioProcessorEditor.h"

#include "editor/shell/MainPanel.h"
#include "plugin/VantorAudioProcessor.h"

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
    addAndMakeVisible (*mainPanel);
    mainPanel->addChangeListener (this);
    connection.addArrangementListener (this);

    addAndMakeVisible (resizer);
    constrainer.setSizeLimits (minWidth, minHeight, maxWidth, maxHeight);
    // The host may resize too; the corner is ours (JUCE's own would be 18 pixels).
    setResizable (true, false);
    setConstrainer (&constrainer);

    setSize (connection.getEditorWidth(), connection.getEditorHeight());
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
    mainPanel->setBounds (getLocalBounds());
    resizer.setBounds (getWidth() - resizerSize, getHeight() - resizerSize, resizerSize, resizerSize);
    resizer.toFront (false);
    connection.setEditorSize (getWidth(), getHeight());
}

void VantorAudioProcessorEditor::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // The processor's broadcast is for its own listeners: the host-bound changes are
    // reported by the processor itself, so the window has nothing to take here. The
    // main component's broadcast carries nothing for the window either.
}

} // namespace zd8
