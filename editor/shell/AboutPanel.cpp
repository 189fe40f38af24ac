#include "editor/shell/AboutPanel.h"

#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"

namespace zd8
{

namespace
{
    const juce::Colour veil (Palette::aboutPanelVeil);
    const juce::Colour versionColour (Palette::aboutPanelVersion);
    const juce::Colour lineColour (Palette::textLight);
    constexpr int lineBaselines[] = { 596, 612, 628 };
    constexpr int lineIndent = 10;

    const char* const lines[] = {
        "Edits the programs, multis and effects of a ZD8 instrument from your host.",
        "Free software: GNU General Public License, version 3 or later.",
        "Click anywhere to close this panel.",
    };
}

AboutPanel::AboutPanel (int delayMs)
    : closingDelayMs (delayMs), picture (Pictures::get ("about"))
{
    versionLabel.setText (juce::String ("Version: ") + versionText, juce::dontSendNotification);
    versionLabel.setFont (juce::Font ("Arial", 15.0f, juce::Font::plain));
    versionLabel.setColour (juce::Label::textColourId, versionColour);
    versionLabel.setJustificationType (juce::Justification::centredLeft);
    versionLabel.setBorderSize ({});
    versionLabel.setInterceptsMouseClicks (false, false);
    versionLabel.setBounds (50, 32, 150, 24);
    addAndMakeVisible (versionLabel);

    setOpaque (false);
    if (closingDelayMs > 0)
        startTimer (closingDelayMs);
}

AboutPanel::~AboutPanel()
{
    stopTimer();
}

void AboutPanel::paint (juce::Graphics& g)
{
    g.fillAll (veil);

    const juce::Rectangle<int> area ((getWidth() - pictureWidth) / 2, pictureTop, pictureWidth, pictureHeight);
    PictureDraw::drawAt (g, picture, area.getX(), area.getY());

    g.setColour (lineColour);
    g.setFont (juce::Font ("Arial", 13.0f, juce::Font::plain));
    for (size_t i = 0; i < std::size (lines); ++i)
        g.drawSingleLineText (lines[i], area.getX() + lineIndent, lineBaselines[i]);
}

void AboutPanel::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

void AboutPanel::timerCallback()
{
    stopTimer();
    sendChangeMessage();
}

} // namespace zd8
