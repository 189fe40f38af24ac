#include "editor/pages/ClockPanel.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

static_assert (ClockPanel::numDelays == EditorConnection::numDelays);
static_assert (ClockPanel::numRates == EditorConnection::numRateIndexes);

namespace
{
    constexpr int maxDelayMs = EditorConnection::maxDelayMs;
    const juce::Colour textColour (Palette::textLabel);

    constexpr const char* rateTexts[] = { "44100 Hz", "48000 Hz", "88200 Hz", "96000 Hz", "176400 Hz", "192000 Hz" };

    juce::Font arial (float size)
    {
        return juce::Font ("Arial", size, juce::Font::plain);
    }
}

ClockPanel::ClockPanel (EditorConnection& c)
    : connection (c),
      rateLabel (rateTexts[0], 12.0f, textColour),
      delayLabel ("Delay:", 12.0f, textColour)
{
    setSize (width, height);

    rateLabel.setBounds (76, 30, 60, 14);
    delayLabel.setBounds (26, 48, 150, 24);
    addAndMakeVisible (rateLabel);
    addAndMakeVisible (delayLabel);

    // The engine's whole range, so that any stored delay is shown as it is.
    slider.setRange (0, maxDelayMs);
    slider.setBounds (76, 50, 200, 18);
    slider.addChangeListener (this);
    addAndMakeVisible (slider);
}

ClockPanel::~ClockPanel()
{
    slider.removeChangeListener (this);
}

juce::String ClockPanel::rateText (int index)
{
    return rateTexts[juce::isPositiveAndBelow (index, numRates) ? index : 0];
}

void ClockPanel::show (const std::array<int, numDelays>& table, int index)
{
    delays = table;
    rateIndex = juce::isPositiveAndBelow (index, numRates) ? index : 0;
    rateLabel.setText (rateText (rateIndex));
    slider.setValue (delays[(size_t) rateIndex]); // clamped: a negative delay shows 0
    repaint();
}

int ClockPanel::getShownDelay() const
{
    return slider.getValue();
}

void ClockPanel::setDelayFromUser (int ms)
{
    slider.setValue (juce::jlimit (0, maxDelayMs, ms));
    sliderMoved();
}

void ClockPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &slider)
        sliderMoved();
}

void ClockPanel::sliderMoved()
{
    const int ms = getShownDelay();
    if (delays[(size_t) rateIndex] == ms)
        return;

    delays[(size_t) rateIndex] = ms;
    connection.setDelay (rateIndex, ms);
    sendChangeMessage();
}

void ClockPanel::paint (juce::Graphics& g)
{
    g.setColour (textColour);
    g.setFont (arial (12.0f));
    g.drawSingleLineText ("Latency settings:", 20, 14);
    g.drawSingleLineText ("S.Rate: ", 30, 41);
}

} // namespace zd8
