#include "editor/VantorAudioProcessorEditor.h"

#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

namespace
{
    constexpr int maxRecentLines = 24;
    const juce::Colour background (0xff15171c);
    const juce::Colour panel (0xff20242c);
    const juce::Colour text (0xffe8e8e8);
    const juce::Colour accent (0xff3fb4e8);
    const juce::Colour online (0xff46d17a);
    const juce::Colour offline (0xffe05a4f);

    juce::String describeNotice (juce::uint32 code)
    {
        switch (code)
        {
            case MidiCntrState::identityRequestNotice: return "Identity request sent";
            case MidiCntrState::identityReplyNotice: return "Identity reply";
            case MidiCntrState::arrangementRecalledNotice: return "Arrangement recalled";
            default: break;
        }
        const int status = (int) (code >> 24);
        const int channel = (int) ((code >> 16) & 0xFF);
        const int d1 = (int) ((code >> 8) & 0xFF), d2 = (int) (code & 0xFF);
        switch (status)
        {
            case 0x90: return "Note on " + juce::MidiMessage::getMidiNoteName (d1, true, true, 3) + " vel " + juce::String (d2) + " ch " + juce::String (channel + 1);
            case 0x80: return "Note off " + juce::MidiMessage::getMidiNoteName (d1, true, true, 3) + " ch " + juce::String (channel + 1);
            case 0xB0: return "Controller " + juce::String (d1) + " = " + juce::String (d2);
            case 0xC0: return "Program change " + juce::String (d2);
            case 0xE0: return "Pitch bend " + juce::String ((int) (code & 0xFFFF));
            default: return "Notice " + juce::String::toHexString ((int) code);
        }
    }
}

VantorAudioProcessorEditor::VantorAudioProcessorEditor (VantorAudioProcessor& p)
    : juce::AudioProcessorEditor (p), processor (p)
{
    noticeScratch.reserve (1024);
    slotScratch.reserve (1024);
    setSize (processor.editorWidth, processor.editorHeight);
    processor.getHub().addStateListener (this);
    processor.getHub().setTransferFlag (false);
    processor.getHub().requestIdentity();
}

VantorAudioProcessorEditor::~VantorAudioProcessorEditor()
{
    processor.getHub().removeStateListener (this);
    cancelPendingUpdate();
}

void VantorAudioProcessorEditor::stateChanged (int)
{
    // Any thread: only note that there is work; it is done on the message thread.
    triggerAsyncUpdate();
}

void VantorAudioProcessorEditor::handleAsyncUpdate() { drainNotices(); }

void VantorAudioProcessorEditor::drainNotices()
{
    auto& hub = processor.getHub();
    noticeScratch.clear();
    slotScratch.clear();
    hub.drainNotices (noticeScratch);
    hub.drainSlotNotices (slotScratch);

    for (auto code : noticeScratch)
    {
        if (code == MidiCntrState::identityRequestNotice)
            onlineText = "OFF-LINE";
        else if (code == MidiCntrState::identityReplyNotice)
            onlineText = hub.getDeviceName() + ": ON-LINE";
        recent.add (describeNotice (code));
    }
    for (auto s : slotScratch)
    {
        const int slot = (int) ((s >> 32) & 0xFFFF);
        recent.add (hub.slotLabel (slot) + " = " + hub.slotValueText (slot));
    }
    if (recent.size() > maxRecentLines)
        recent.removeRange (0, recent.size() - maxRecentLines);

    if (! noticeScratch.empty() || ! slotScratch.empty())
        repaint();
}

void VantorAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (background);
    auto area = getLocalBounds().reduced (16);

    auto top = area.removeFromTop (48);
    g.setColour (text);
    g.setFont (juce::Font ("Arial", 26.0f, juce::Font::bold));
    g.drawText ("ZD8", top.removeFromLeft (80), juce::Justification::centredLeft);
    g.setColour (accent);
    g.setFont (juce::Font ("Arial", 16.0f, juce::Font::plain));
    g.drawText (VantorAudioProcessor::pluginName, top.removeFromLeft (200), juce::Justification::centredLeft);

    const bool isOnline = onlineText.endsWith ("ON-LINE") && onlineText != "OFF-LINE";
    g.setColour (isOnline ? online : offline);
    g.setFont (juce::Font ("Arial", 16.0f, juce::Font::bold));
    g.drawText (onlineText, top, juce::Justification::centredRight);

    area.removeFromTop (8);
    g.setColour (panel);
    g.fillRoundedRectangle (area.toFloat(), 6.0f);

    auto list = area.reduced (14);
    g.setColour (text.withAlpha (0.6f));
    g.setFont (juce::Font ("Arial", 13.0f, juce::Font::bold));
    g.drawText ("INSTRUMENT ACTIVITY", list.removeFromTop (22), juce::Justification::centredLeft);
    g.setFont (juce::Font ("Arial", 14.0f, juce::Font::plain));
    g.setColour (text);
    for (int i = recent.size(); --i >= 0 && list.getHeight() >= 20;)
        g.drawText (recent[i], list.removeFromTop (20), juce::Justification::centredLeft);
}

void VantorAudioProcessorEditor::resized()
{
    processor.editorWidth = getWidth();
    processor.editorHeight = getHeight();
}

} // namespace zd8
