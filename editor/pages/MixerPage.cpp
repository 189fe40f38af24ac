#include "editor/pages/MixerPage.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "model/Categories.h"
#include "model/InstrumentImage.h"
#include "model/ObjectStore.h"
#include "model/ParameterTable.h"
#include "model/ProgramEditBuffers.h"
#include "plugin/EditorConnection.h"
#include "plugin/EditorSession.h"

namespace zd8
{

namespace
{
    constexpr char pageCode = 'q';
    // Byte of a program record holding its main category.
    constexpr int categoryByte = 30;
    constexpr int programDigits = 4;

    // Strip picture: section boxes (top and bottom in strip coordinates).
    struct Section
    {
        int top, bottom;
    };
    constexpr Section sections[] = { { 0, 56 }, { 78, 186 }, { 185, 293 }, { 292, 375 } };

    const juce::Colour pageColour (Palette::pageFill);
    const juce::Colour stripColour (Palette::mixerPageStrip);
    const juce::Colour sectionColour (Palette::mixerPageSection);
    const juce::Colour sectionLight (Palette::mixerPageSectionLight);
    const juce::Colour sectionDark (Palette::mixerPageSectionDark);
    const juce::Colour captionColour (Palette::mixerPageCaption);
    const juce::Colour wellColour (Palette::mixerPageWell);
    const juce::Colour tickColour (Palette::mixerPageTick);
    constexpr float captionFontSize = 11.0f;

    // The fader's scale: dB marks along the groove of the style-4 track (x 18 + 3,
    // groove from 13 to 150 px below the control's top at 384).
    constexpr int faderTop = 384, faderGrooveTop = faderTop + 13, faderSpread = 137;
    constexpr int levelMinimum = -96, levelMaximum = 24;

    int faderY (int decibels)
    {
        return faderGrooveTop + juce::roundToInt ((double) (levelMaximum - decibels) * faderSpread / (levelMaximum - levelMinimum));
    }

    /** Sixteen strip panels, one every 61 px, drawn once per page and pixel density. */
    juce::Image drawBackground (float pixelScale)
    {
        // Opaque, with the page colour between the strips: copied, never blended. As many
        // pixels as it covers on the device, so that a scaled window shows it sharp.
        const auto image = PictureDraw::makeCache (juce::Image::RGB, MixerPage::backgroundWidth,
                                                   MixerPage::backgroundHeight, pixelScale);
        juce::Graphics g (image);
        g.addTransform (PictureDraw::cacheTransform (image, MixerPage::backgroundWidth, MixerPage::backgroundHeight));
        g.fillAll (pageColour);
        g.setFont (juce::Font ("Arial", captionFontSize, juce::Font::plain));

        for (int c = 0; c < MixerPage::numChannels; ++c)
        {
            const int x = MixerPage::stripPitch * c;
            const int w = MixerPage::stripWidth;
            g.setColour (stripColour);
            g.fillRect (x, 0, w, MixerPage::stripHeight);

            for (const auto& s : sections)
            {
                const juce::Rectangle<int> box (x + 1, s.top + 1, w - 2, s.bottom - s.top - 1);
                g.setColour (sectionColour);
                g.fillRect (box);
                g.setColour (sectionLight);
                g.fillRect (box.getX(), box.getY(), box.getWidth(), 1);
                g.fillRect (box.getX(), box.getY(), 1, box.getHeight());
                g.setColour (sectionDark);
                g.fillRect (box.getX(), box.getBottom() - 1, box.getWidth(), 1);
                g.fillRect (box.getRight() - 1, box.getY(), 1, box.getHeight());
            }

            // The level well: meter and fader sit in a darker recess.
            g.setColour (wellColour);
            g.fillRoundedRectangle (juce::Rectangle<float> ((float) x + 3.0f, 381.0f, (float) w - 6.0f, 180.0f), 3.0f);

            g.setColour (captionColour);
            g.drawText ("Output", x + 12, 27, 34, 12, juce::Justification::centred, false);
            g.drawText ("Alloc.", x + 2, 61, 32, 13, juce::Justification::centredLeft, false);

            // dB marks right of the meter, left of the fader track.
            g.setColour (tickColour);
            for (int db : { 24, 12, 0, -12, -24, -48, -72, -96 })
                g.fillRect (x + 15, faderY (db), db == 0 ? 6 : 4, 1);
        }
        return image;
    }
}

MixerPage::MixerPage (EditorConnection& c) : connection (c)
{
    setOpaque (true);
    background = drawBackground (1.0f);

    header = std::make_unique<MixerHeader>();
    addAndMakeVisible (*header);
    for (int c = 0; c < numChannels; ++c)
        header->getSlot (c).addChangeListener (this);

    for (int c = 0; c < numChannels; ++c)
    {
        auto& strip = strips[(size_t) c];
        strip = std::make_unique<MixerStrip> (connection, c);
        for (int n = 0; n < strip->getNumControls(); ++n)
            strip->getControl (n).addListener (this);
        strip->getNameSlot().addChangeListener (this);
        addAndMakeVisible (*strip);
    }
    controlsPerStrip = strips[0]->getNumControls();
    for (int c = 0; c < numChannels; ++c)
        connection.addSlotListener (ParameterTable::programSlot (c, ParameterTable::programRow), this);

    refresh();
}

MixerPage::~MixerPage()
{
    for (int c = 0; c < numChannels; ++c)
        connection.removeSlotListener (ParameterTable::programSlot (c, ParameterTable::programRow), this);
    for (int c = 0; c < numChannels; ++c)
    {
        header->getSlot (c).removeChangeListener (this);
        strips[(size_t) c]->getNameSlot().removeChangeListener (this);
        for (int n = 0; n < controlsPerStrip; ++n)
            strips[(size_t) c]->getControl (n).removeListener (this);
    }
}

//==============================================================================
int MixerPage::getContentX() const noexcept
{
    return juce::jmax (0, (getWidth() - contentWidth) / 2);
}

void MixerPage::resized()
{
    const int x = getContentX();
    header->setBounds (x, 0, getWidth(), headerHeight);
    for (int c = 0; c < numChannels; ++c)
        strips[(size_t) c]->setBounds (x + stripPitch * c, headerHeight, stripWidth, stripHeight);
}

void MixerPage::paint (juce::Graphics& g)
{
    g.fillAll (pageColour);
    const float pixelScale = PictureDraw::pixelScale (g);
    if (! PictureDraw::cacheFits (background, backgroundWidth, backgroundHeight, pixelScale))
        background = drawBackground (pixelScale);
    PictureDraw::drawCache (g, background, { getContentX(), headerHeight, backgroundWidth, backgroundHeight });
}

void MixerPage::show()
{
    shown = true;
    setVisible (true);
    connection.getEditorSession().enterPage (pageCode);
}

void MixerPage::setHidden()
{
    shown = false;
}

//==============================================================================
void MixerPage::refresh()
{
    for (auto& strip : strips)
        for (int n = 0; n < controlsPerStrip; ++n)
            strip->getAttachment (n).showStoredValue();
    showAllPrograms();
}

void MixerPage::showAllPrograms()
{
    const auto& table = connection.getParameters();
    for (int c = 0; c < numChannels; ++c)
    {
        const int slot = ParameterTable::programSlot (c, ParameterTable::programRow);
        showValue (slot, table.value (slot));
    }
}

void MixerPage::showValue (int slot, int value)
{
    const auto& table = connection.getParameters();
    if (! ParameterTable::isValid (slot) || table.displayKind (slot) != ParameterTable::displayProgramRow)
        return;
    const int channel = table.channel (slot);
    const int row = table.subIndex (slot);
    if (! juce::isPositiveAndBelow (channel, numChannels))
        return;

    if (row == ParameterTable::programRow)
        showProgram (channel, value);
    else if (juce::isPositiveAndBelow (row, controlsPerStrip))
        showControl (channel, row, value);
}

void MixerPage::showControl (int channel, int order, int value)
{
    strips[(size_t) channel]->getAttachment (order).showValue (value);
}

void MixerPage::showProgram (int channel, int program)
{
    const auto number = juce::String (program).paddedLeft ('0', programDigits);
    juce::String name, category;
    if (auto* edit = connection.getEditBuffer (channel); edit != nullptr && edit->hasProgram())
    {
        name = edit->name();
        category = Categories::mainCategoryName (edit->byteAt (categoryByte));
    }

    for (auto* slot : { &header->getSlot (channel), &strips[(size_t) channel]->getNameSlot() })
    {
        slot->setLabel (number);
        slot->setProgramName (name);
        slot->setCategoryText (category);
        slot->repaint();
    }

    // A new program brings its own effects, sends, pan and level.
    for (int n = 0; n < controlsPerStrip; ++n)
        strips[(size_t) channel]->getAttachment (n).showStoredValue();
}

juce::String MixerPage::getProgramNumberText (int channel) const
{
    return header->getSlot (channel).getLabel();
}

juce::String MixerPage::getProgramName (int channel) const
{
    const auto& slot = header->getSlot (channel);
    return (slot.getNameLine1() + " " + slot.getNameLine2()).trim();
}

//==============================================================================
bool MixerPage::applyEvent (juce::uint64 event, bool send)
{
    const int code = EditEvent::code (event);
    if (code != EditEvent::valueDragged && code != EditEvent::chosen)
        return false;
    if (! send)
        return false;

    const int slot = ParameterTable::programSlot (EditEvent::channel (event), EditEvent::slot (event));
    const int value = EditEvent::value (event);
    showValue (slot, value);
    connection.setSlotFromEditor (slot, value);
    return true;
}

void MixerPage::controlEvent (ParameterControl* control, juce::uint64 event)
{
    const int channel = EditEvent::channel (event);
    const int order = strips[(size_t) channel]->findControl (control);
    if (order < 0)
        return;

    if (! MixerStrip::isEffectField (order))
        return;

    const int code = EditEvent::code (event);
    // A click on an effect field asks for the FX chain selector of that field: the
    // chain's object type as sub-kind, the field's program row in the slot field.
    if (code == EditEvent::menuRequest)
        queue (EditEvent::make (EditEvent::channelEvent, order, ObjectStore::typeFxChain, channel, EditEvent::value (event)));
    // A wheel step (its attachment has applied the new chain) picks the channel alone.
    else if (code == EditEvent::chosen || code == EditEvent::valueDragged)
        queue (EditEvent::make (EditEvent::channelEvent, 0, order, channel, 0));
}

void MixerPage::slotChanged (int slot, int value)
{
    showValue (slot, value);
}

void MixerPage::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // Collect every slot's clicks in order of channel: a coalesced message may stand
    // for clicks on several slots.
    bool any = false;
    juce::uint64 word = 0;
    for (int c = 0; c < numChannels; ++c)
        for (auto* slot : { &header->getSlot (c), &strips[(size_t) c]->getNameSlot() })
            while (slot->popEvent (word))
            {
                events.push_back (word);
                any = true;
            }
    if (any)
        sendChangeMessage();
}

void MixerPage::queue (juce::uint64 event)
{
    events.push_back (event);
    sendChangeMessage();
}

std::vector<juce::uint64> MixerPage::takeEvents()
{
    std::vector<juce::uint64> taken;
    taken.swap (events);
    return taken;
}

//==============================================================================
void MixerPage::notePeak (int channel, int velocity)
{
    if (! juce::isPositiveAndBelow (channel, numChannels))
        return;
    auto& meter = strips[(size_t) channel]->getMeter();
    if (velocity >= meter.getPeak())
        meter.setPeak (velocity);   // also restarts the meter's fall
}

int MixerPage::getPeak (int channel) const noexcept
{
    return juce::isPositiveAndBelow (channel, numChannels) ? strips[(size_t) channel]->getMeter().getPeak() : 0;
}

} // namespace zd8
