#include "editor/pages/ChMixerComp.h"

#include "editor/EditEvent.h"
#include "model/ObjectStore.h"
#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

namespace
{
    // Sub-kind of a channel event that asks for the channel's program page.
    constexpr int programSubKind = ParameterTable::programRow;

    // Strip layout, in strip coordinates (each strip is 58 x 582).
    struct Section
    {
        int top, bottom;
    };
    constexpr Section insertSection { 0, 56 };
    constexpr Section aux1Section { 78, 186 };
    constexpr Section aux2Section { 185, 293 };
    constexpr Section panSection { 292, 375 };
    const juce::Rectangle<int> meterBox (8, 406, 5, 109);
    const juce::Rectangle<int> faderGroove (33, 394, 4, 136);
    const juce::Rectangle<int> nameBox (0, 546, 58, 36);
    constexpr int levelMin = -96, levelMax = 24;

    const juce::Colour pageBack (0xff191919);
    const juce::Colour stripBack (0xff5b5b5b);
    const juce::Colour sectionBack (0xff666666);
    const juce::Colour sectionEdge (0xff717171);
    const juce::Colour captionColour (0xffbbbbbb);
    const juce::Colour headerLabel (0xffcccccc);
    const juce::Colour valueColour (0xffdddddd);
    const juce::Colour effectColour (0xaacacaca);
    const juce::Colour slotBack (0xff3c3c3e);
    const juce::Colour slotEdge (0xff2a2a2c);
    const juce::Colour grooveColour (0xff2b2b2b);
    const juce::Colour thumbColour (0xffd0d0d0);

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

ChMixerComp::ChMixerComp (VantorAudioProcessor& p) : processor (p)
{
    setOpaque (true);
    for (auto& meter : meters)
    {
        meter.setInterceptsMouseClicks (false, false);
        addAndMakeVisible (meter);
    }
    refresh();
}

ChMixerComp::~ChMixerComp() = default;

void ChMixerComp::resized()
{
    for (int c = 0; c < numChannels; ++c)
        meters[(size_t) c].setBounds (meterArea (c));
}

void ChMixerComp::show()
{
    shown = true;
    setVisible (true);
    processor.getHub().getEditorSession().enterPage ('q');
}

void ChMixerComp::setHidden()
{
    shown = false;
}

//==============================================================================
void ChMixerComp::refresh()
{
    for (int c = 0; c < numChannels; ++c)
        updateStrip (c);
    repaint();
}

void ChMixerComp::showValue (int slot, int)
{
    const auto& table = processor.getHub().getParameters();
    if (table.displayKind (slot) != ParameterTable::displayProgramRow)
        return;
    const int channel = table.channel (slot);
    if (! juce::isPositiveAndBelow (channel, numChannels))
        return;
    // The texts come from the table, which already holds the value, so that a strip
    // always shows one consistent state of its channel.
    updateStrip (channel);
    repaintStrip (channel);
}

void ChMixerComp::updateStrip (int channel)
{
    auto& hub = processor.getHub();
    auto row = [channel] (int k) { return ParameterTable::programSlot (channel, k); };
    auto& s = strips[(size_t) channel];
    s.number = getProgramNumberText (channel);
    s.name = getProgramName (channel);
    s.insert = hub.slotValueText (row (ParameterTable::insertChainRow));
    s.aux1 = hub.slotValueText (row (ParameterTable::aux1ChainRow));
    s.aux1Send = hub.slotValueText (row (4));
    s.aux2 = hub.slotValueText (row (ParameterTable::aux2ChainRow));
    s.aux2Send = hub.slotValueText (row (7));
    s.pan = hub.slotValueText (row (ParameterTable::panRow));
    s.level = hub.slotValueText (row (ParameterTable::levelRow));
    s.levelValue = hub.getParameters().value (row (ParameterTable::levelRow));
}

juce::String ChMixerComp::getProgramNumberText (int channel) const
{
    const int program = processor.getHub().getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow));
    return juce::String (program).paddedLeft ('0', 4);
}

juce::String ChMixerComp::getProgramName (int channel) const
{
    const int program = processor.getHub().getParameters().value (ParameterTable::programSlot (channel, ParameterTable::programRow));
    return processor.getHub().getImage().objectName (ObjectStore::typeProgram, program).trim();
}

//==============================================================================
void ChMixerComp::notePeak (int channel, int velocity)
{
    if (! juce::isPositiveAndBelow (channel, numChannels))
        return;
    auto& meter = meters[(size_t) channel];
    if (velocity >= meter.getPeak())
        meter.setPeak (velocity);   // also restarts the meter's fall
}

int ChMixerComp::getPeak (int channel) const noexcept
{
    return juce::isPositiveAndBelow (channel, numChannels) ? meters[(size_t) channel].getPeak() : 0;
}

//==============================================================================
std::vector<juce::uint64> ChMixerComp::takeEvents()
{
    std::vector<juce::uint64> taken;
    taken.swap (events);
    return taken;
}

void ChMixerComp::mouseDown (const juce::MouseEvent& e)
{
    const auto p = e.getPosition();
    for (int c = 0; c < numChannels; ++c)
    {
        if (headerSlot (c).contains (p) || stripNameArea (c).contains (p))
        {
            events.push_back (EditEvent::make (EditEvent::channelEvent, 0, programSubKind, c, 0));
            sendChangeMessage();
            return;
        }
    }
}

//==============================================================================
int ChMixerComp::getContentX() const noexcept
{
    return juce::jmax (0, (getWidth() - contentWidth) / 2);
}

juce::Rectangle<int> ChMixerComp::headerSlot (int channel) const
{
    return { getContentX() + stripPitch * channel, 18, stripWidth, 44 };
}

juce::Rectangle<int> ChMixerComp::stripBounds (int channel) const
{
    return { getContentX() + stripPitch * channel, headerHeight, stripWidth, stripHeight };
}

juce::Rectangle<int> ChMixerComp::stripNameArea (int channel) const
{
    return nameBox + stripBounds (channel).getPosition();
}

juce::Rectangle<int> ChMixerComp::meterArea (int channel) const
{
    return meterBox + stripBounds (channel).getPosition();
}

void ChMixerComp::repaintStrip (int channel)
{
    repaint (headerSlot (channel));
    repaint (stripBounds (channel));
}

//==============================================================================
void ChMixerComp::paint (juce::Graphics& g)
{
    g.fillAll (pageBack);
    paintHeader (g);
    for (int c = 0; c < numChannels; ++c)
        if (g.clipRegionIntersects (stripBounds (c)))
            paintStrip (g, c);
}

void ChMixerComp::paintHeader (juce::Graphics& g) const
{
    const int x0 = getContentX();
    const juce::Rectangle<int> bar (x0, 0, stripPitch * numChannels - 3, headerHeight);
    g.setColour (stripBack);
    g.fillRect (bar);

    for (int c = 0; c < numChannels; ++c)
    {
        const int x = x0 + stripPitch * c;
        if (c > 0)
        {
            g.setColour (pageBack);
            g.fillRect (x - 3, 0, 3, headerHeight);
        }
        g.setColour (headerLabel);
        g.setFont (arial (11.0f));
        g.drawText ("Chn. " + juce::String (c + 1), x, 2, stripWidth, 14, juce::Justification::centred);

        const auto slot = headerSlot (c).reduced (2, 0).withTrimmedBottom (3);
        g.setColour (slotBack);
        g.fillRoundedRectangle (slot.toFloat(), 3.0f);
        g.setColour (slotEdge);
        g.drawRoundedRectangle (slot.toFloat().reduced (0.5f), 3.0f, 1.0f);

        const auto& s = strips[(size_t) c];
        g.setColour (valueColour);
        g.setFont (arial (10.0f, true));
        g.drawText (s.number, slot.withHeight (15), juce::Justification::centred);
        g.setFont (arial (9.0f));
        g.drawFittedText (s.name, slot.withTrimmedTop (14).reduced (2, 0), juce::Justification::centred, 2, 0.8f);
    }
}

void ChMixerComp::paintStrip (juce::Graphics& g, int channel) const
{
    const auto strip = stripBounds (channel);
    const auto& s = strips[(size_t) channel];
    const int x = strip.getX(), y = strip.getY(), w = strip.getWidth();

    g.setColour (stripBack);
    g.fillRect (strip);

    auto section = [&] (Section sec, const juce::String& caption, const juce::String& chain, const char* secondCaption,
                        const juce::String& second)
    {
        const juce::Rectangle<int> box (x + 2, y + sec.top + 2, w - 4, sec.bottom - sec.top - 4);
        g.setColour (sectionBack);
        g.fillRect (box);
        g.setColour (sectionEdge);
        g.drawRect (box);

        g.setColour (captionColour);
        g.setFont (arial (11.0f));
        g.drawText (caption, box.getX(), box.getY() + 2, box.getWidth(), 14, juce::Justification::centred);

        g.setColour (effectColour);
        g.setFont (arial (9.5f));
        g.drawFittedText (chain, box.getX() + 2, box.getY() + 17, box.getWidth() - 4, 26, juce::Justification::centredTop, 2, 0.8f);

        if (second.isNotEmpty())
        {
            if (secondCaption != nullptr)
            {
                g.setColour (captionColour);
                g.setFont (arial (10.0f));
                g.drawText (secondCaption, box.getX(), box.getBottom() - 34, box.getWidth(), 13, juce::Justification::centred);
            }
            g.setColour (valueColour);
            g.setFont (arial (11.0f, true));
            g.drawFittedText (second, box.getX() + 1, box.getBottom() - 21, box.getWidth() - 2, 16,
                              juce::Justification::centred, 1, 0.7f);
        }
    };

    section (insertSection, "Insert", s.insert, nullptr, {});
    section (aux1Section, "Aux 1", s.aux1, "Send", s.aux1Send);
    section (aux2Section, "Aux 2", s.aux2, "Send", s.aux2Send);
    section (panSection, "Pan", {}, nullptr, s.pan);

    // Level: the meter (a child) on the left, the level's position on a groove, its text below.
    const auto groove = faderGroove + strip.getPosition();
    g.setColour (grooveColour);
    g.fillRoundedRectangle (groove.toFloat(), 2.0f);
    const float position = (float) (levelMax - juce::jlimit (levelMin, levelMax, s.levelValue)) / (float) (levelMax - levelMin);
    const int thumbY = groove.getY() + juce::roundToInt (position * (float) groove.getHeight()) - 5;
    const juce::Rectangle<float> thumb ((float) groove.getCentreX() - 10.0f, (float) thumbY, 20.0f, 10.0f);
    g.setColour (thumbColour);
    g.fillRoundedRectangle (thumb, 2.0f);
    g.setColour (grooveColour);
    g.fillRect (thumb.getX() + 3.0f, thumb.getCentreY() - 0.5f, thumb.getWidth() - 6.0f, 1.0f);

    g.setColour (captionColour);
    g.setFont (arial (10.0f));
    g.drawText ("Level", x, y + 378, w, 14, juce::Justification::centred);
    g.setColour (valueColour);
    g.setFont (arial (10.0f, true));
    g.drawText (s.level, x, y + nameBox.getY() - 15, w, 13, juce::Justification::centred);

    // Program: number and name; a click here opens the channel's program page.
    const auto name = stripNameArea (channel).reduced (2, 1);
    g.setColour (slotBack);
    g.fillRoundedRectangle (name.toFloat(), 3.0f);
    g.setColour (valueColour);
    g.setFont (arial (10.0f, true));
    g.drawText (s.number, name.withHeight (15), juce::Justification::centred);
    g.setFont (arial (9.0f));
    g.drawFittedText (s.name, name.withTrimmedTop (14).reduced (2, 0), juce::Justification::centred, 1, 0.75f);
}

} // namespace zd8
