#include "editor/pages/ControlsPage.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "editor/kit/PictureDraw.h"
#include "editor/kit/Pictures.h"
#include "editor/pages/PanelLabels.h"
#include "model/ParameterTable.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    using Row = PanelControllers::Row;

    const juce::Colour pageBack (Palette::pageFill);
    const juce::Colour labelColour (Palette::textLight);
    const juce::Colour channelsColour (Palette::controlsPageChannels);
    const juce::Colour sectionColour (Palette::controlsPageSection);
    const juce::Colour organColour (Palette::controlsPageOrgan);
    const juce::Colour statusColour (Palette::controlsPageStatus);

    // Content coordinates (from the content origin), unscaled. Column i starts at
    // columnX + columnStep * i.
    constexpr int columnX = 56, columnStep = 66;
    constexpr int knobY = 46, knobWidth = 66, knobHeight = 60;
    constexpr int sliderDx = 14, sliderY = 126, sliderWidth = 40, sliderHeight = 178;
    constexpr int buttonDx = 12, buttonY = 330, buttonWidth = 40, buttonHeight = 30;
    constexpr int footSwitchX[PanelControllers::footSwitches] = { -1050, -1150, -1250 };
    constexpr int footSwitchY = 50, footSwitchWidth = 48, footSwitchHeight = 20;
    constexpr int controllerMaximum = 127;
    // The program's four FX parameter lists (its own, insert, Aux 1, Aux 2).
    constexpr int fxParameterLists = 4;

    // Printed labels: 66 x 12 each; the organ names and the drawbar footages carry the
    // "TW7" badge in the margin.
    constexpr int labelWidth = 66, labelHeight = 12;
    constexpr int organCaptionY = 3, bracketY = 19;
    constexpr int organLabelY = 27, standardLabelY = 108, footageLabelY = 308;
    constexpr int badgeX = 14;
    constexpr int sectionCaptionX = 28, sectionCaptionY = 4;
    constexpr int channelsCaptionX = 700, channelsCaptionY = 40, channelsCaptionWidth = 90, channelsCaptionHeight = 14;

    constexpr int channelBlockX = 700, channelBlockY = 60;
    constexpr int channelButtonWidth = 50, channelButtonHeight = 36;
    constexpr int channelColumnStep = 56, channelRowStep = 36;

    constexpr int monitorColumnStep = 239;
    constexpr int monitorRowY[4] = { 430, 526, 622, 714 };
    constexpr int monitorHeight = 80;

    // The status line sits on the page itself, not on the panel.
    constexpr int statusX = 754, statusY = 220, statusWidth = 160, statusHeight = 24;
    constexpr float statusFontSize = 12.0f;

    // Slider entries of a monitor beyond the nine sliders: the first two foot switches
    // are kept there; entry 11 is the pitch wheel's.
    constexpr int lastMonitoredSlider = ChannelMonitor::pitchEntry - 1;

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

ControlsPage::ControlsPage (EditorConnection& c) : connection (c)
{
    setOpaque (true);
    labelPlate = Pictures::get ("controls_label_plate");
    organBadge = Pictures::get ("controls_tw7_badge");

    content.setInterceptsMouseClicks (false, true);
    addAndMakeVisible (content);

    auto makeControl = [this] (std::unique_ptr<ParameterControl>& c)
    {
        c = std::make_unique<ParameterControl>();
        c->setHoverReporting (true);
        c->addListener (this);
        content.addAndMakeVisible (*c);
        // The panel's controls move by hand only: the wheel changes nothing.
        attachments.push_back (std::make_unique<SlotAttachment> (connection, *c, SlotAttachment::dragsAndToggles));
    };
    for (auto& c : sliders)
        makeControl (c);
    for (auto& c : knobs)
        makeControl (c);
    for (auto& c : buttons)
        makeControl (c);

    for (int n = 0; n < channels; ++n)
    {
        auto& b = channelButtons[(size_t) n];
        b = std::make_unique<KitButton> (juce::String (n + 1), channelButtonBase + n);
        b->addListener (this);
        b->setBounds (channelBlockX + channelColumnStep * (n % 4), channelBlockY + channelRowStep * (n / 4),
                      channelButtonWidth, channelButtonHeight);
        content.addAndMakeVisible (*b);

        auto& m = monitors[(size_t) n];
        m = std::make_unique<ChannelMonitor> (n);
        m->setPageScale (scale);
        m->setTopLeftPosition (monitorColumnStep * (n % 4), monitorRowY[n / 4]);
        m->addChangeListener (this);
        content.addAndMakeVisible (*m);
    }
    content.setSize (panelWidth, monitorRowY[3] + monitorHeight);

    // Over the channel block's lowest row by a few pixels: it must not take its presses.
    statusLine = std::make_unique<KitLabel> (juce::String(), statusFontSize, statusColour, juce::Justification::centredLeft);
    statusLine->setInterceptsMouseClicks (false, false);
    addAndMakeVisible (*statusLine);

    // Every channel's monitored sliders (the first two foot switches among them).
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i <= lastMonitoredSlider; ++i)
            monitoredSlots.push_back (i < columns ? PanelControllers::slot (Row::slider, i, ch)
                                                  : PanelControllers::slot (Row::footSwitch, i - columns, ch));
    for (int slot : monitoredSlots)
        connection.addSlotListener (slot, this);

    drawPanel();
    selectChannel (0);
    showAllValues();
    for (auto& a : attachments)
        a->setFollowing (isVisible());
}

ControlsPage::~ControlsPage()
{
    for (int slot : monitoredSlots)
        connection.removeSlotListener (slot, this);
    for (auto& m : monitors)
        m->removeChangeListener (this);
    for (auto& b : channelButtons)
        b->removeListener (this);
    for (auto& c : sliders)
        c->removeListener (this);
    for (auto& c : knobs)
        c->removeListener (this);
    for (auto& c : buttons)
        c->removeListener (this);
}

//==============================================================================
void ControlsPage::drawPanel()
{
    // As many pixels as the panel covers on the device (a scaled window, a high-density
    // display), so that its picture and captions stay sharp there.
    panel = PictureDraw::makeCache (juce::Image::ARGB, panelWidth, panelHeight, panelScale);
    juce::Graphics g (panel);
    g.addTransform (PictureDraw::cacheTransform (panel, panelWidth, panelHeight));
    PictureDraw::drawAt (g, Pictures::get ("controls_panel"), 0, 0);

    g.setColour (sectionColour);
    g.setFont (arial (11.0f * scale, true).withExtraKerningFactor (0.25f));
    g.drawText (PanelLabels::sectionCaption, sectionCaptionX, sectionCaptionY, 120, labelHeight, juce::Justification::centredLeft);

    g.setColour (channelsColour);
    g.setFont (arial (12.0f * scale, true));
    g.drawText (PanelLabels::channelsCaption, channelsCaptionX, channelsCaptionY, channelsCaptionWidth, channelsCaptionHeight,
                juce::Justification::centredLeft);

    // The organ captions over their knob groups, each with a bracket under it.
    auto bracket = [&g] (int first, int last, const juce::String& caption)
    {
        const int left = columnX + columnStep * first + 6;
        const int right = columnX + columnStep * (last + 1) - 6;
        g.setColour (organColour);
        g.setFont (arial (11.0f, true));
        g.drawText (caption, left, organCaptionY, right - left, labelHeight, juce::Justification::centred);
        g.setColour (organColour.withAlpha (0.6f));
        g.fillRect (left, bracketY, right - left, 1);
        g.fillRect (left, bracketY, 1, 4);
        g.fillRect (right - 1, bracketY, 1, 4);
    };
    bracket (PanelLabels::chorusFirst, PanelLabels::chorusLast, PanelLabels::chorusCaption);
    bracket (PanelLabels::percussionFirst, PanelLabels::percussionLast, PanelLabels::percussionCaption);

    auto label = [this, &g] (int column, int y, const juce::String& text)
    {
        const int x = columnX + columnStep * column;
        g.setOpacity (1.0f);
        PictureDraw::drawAt (g, labelPlate, x, y - 1);
        g.setColour (labelColour);
        g.setFont (arial (12.0f * scale));
        g.drawFittedText (text, x + 2, y, labelWidth - 4, labelHeight, juce::Justification::centred, 1, 0.8f);
    };
    for (int i = 0; i < columns; ++i)
    {
        label (i, organLabelY, PanelLabels::organKnob (i));
        label (i, standardLabelY, PanelLabels::standardKnob (i));
        label (i, footageLabelY, PanelLabels::slider (i));
    }
    g.setOpacity (1.0f);
    PictureDraw::drawAt (g, organBadge, badgeX, organLabelY - 1);
    PictureDraw::drawAt (g, organBadge, badgeX, footageLabelY - 1);
}

//==============================================================================
void ControlsPage::selectChannel (int ch)
{
    if (! juce::isPositiveAndBelow (ch, channels))
        return;

    channelButtons[(size_t) highlighted]->setOn (false);
    channelButtons[(size_t) ch]->setOn (true);
    highlighted = ch;
    channel = ch;

    const auto& table = connection.getParameters();
    auto setUp = [&] (ParameterControl& c, const juce::String& name, int slot, juce::Rectangle<int> r, int maximum, int style)
    {
        c.setup (name, slot, r.getWidth(), r.getHeight(), r.getX(), r.getY(), 0, maximum, style);
        c.setSubKind (table.displayKind (slot));
        c.setChannel (ch);
        c.setScale (scale);
        if (auto* a = findAttachment (&c))
            a->bind (slot);
    };

    for (int i = 0; i < columns; ++i)
    {
        const int x = columnX + columnStep * i;
        setUp (*knobs[(size_t) i], {}, PanelControllers::slot (Row::knob, i, ch), { x, knobY, knobWidth, knobHeight },
               controllerMaximum, ParameterControl::knob);
        setUp (*sliders[(size_t) i], {}, PanelControllers::slot (Row::slider, i, ch),
               { x + sliderDx, sliderY, sliderWidth, sliderHeight }, controllerMaximum, ParameterControl::fader);
        setUp (*buttons[(size_t) i], juce::String (i + 1), PanelControllers::slot (Row::button, i, ch),
               { x + buttonDx, buttonY, buttonWidth, buttonHeight }, controllerMaximum, ParameterControl::twoStateButton);
    }
    for (int f = 0; f < footSwitches; ++f)
        setUp (*sliders[(size_t) (columns + f)], "FT " + juce::String (f + 1) + ".", PanelControllers::slot (Row::footSwitch, f, ch),
               { footSwitchX[f], footSwitchY, footSwitchWidth, footSwitchHeight }, 1, ParameterControl::twoStateButton);
}

SlotAttachment* ControlsPage::findAttachment (const ParameterControl* control) const
{
    for (auto& a : attachments)
        if (&a->getControl() == control)
            return a.get();
    return nullptr;
}

void ControlsPage::showValue (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;
    showOnMonitor (slot, value);
    if (connection.getParameters().channel (slot) != channel)
        return;
    for (auto& a : attachments)
        if (a->getSlot() == slot)
            a->showValue (value);
}

void ControlsPage::showOnMonitor (int slot, int value)
{
    if (! ParameterTable::isValid (slot))
        return;
    const auto& table = connection.getParameters();
    const int ch = table.channel (slot);
    auto& monitor = *monitors[(size_t) ch];

    if (ch != channel)
    {
        const int i = PanelControllers::sliderIndexOfSlot (slot);
        if (i >= 0 && table.displayKind (slot) == ParameterTable::displayController)
            monitor.setEntry (i, value);
        return;
    }
    for (int i = 0; i <= lastMonitoredSlider; ++i)
        if (sliders[(size_t) i]->getSlot() == slot)
            monitor.setEntry (i, value);
}

void ControlsPage::slotChanged (int slot, int value)
{
    if (isVisible())
        showOnMonitor (slot, value);
}

void ControlsPage::visibilityChanged()
{
    const bool shown = isVisible();
    for (auto& a : attachments)
        a->setFollowing (shown);
    if (shown)
        showAllValues();
}

void ControlsPage::showAllValues()
{
    const auto& table = connection.getParameters();
    const auto slots = PanelControllers::channelZeroSlots();
    for (int ch = 0; ch < channels; ++ch)
        for (int s : slots)
        {
            const int slot = s + ch * ParameterTable::controllersPerChannel;
            showValue (slot, table.value (slot));
        }
}

void ControlsPage::showPitchWheel (int ch, int value)
{
    if (juce::isPositiveAndBelow (ch, channels))
        monitors[(size_t) ch]->setEntry (ChannelMonitor::pitchEntry, value);
}

void ControlsPage::showModWheel (int ch, int value)
{
    if (juce::isPositiveAndBelow (ch, channels))
        monitors[(size_t) ch]->setEntry (ChannelMonitor::modulationEntry, value);
}

//==============================================================================
juce::String ControlsPage::describeSlot (int slot) const
{
    // A controller row keeps the name the last program that used it gave it; when the
    // channel's program now leaves the controller free, moving it changes no parameter
    // of that program, so the line names only the controller.
    const auto& table = connection.getParameters();
    const int controller = table.controller (slot);
    const auto name = table.labelCode (slot).trim();
    if (name.isNotEmpty())
        for (int list = 0; list < fxParameterLists; ++list)
            for (int used : connection.getFxParameterList (table.channel (slot), list))
                if (used == controller)
                    return name;
    return "MIDI " + juce::String (controller);
}

void ControlsPage::controlEvent (ParameterControl* control, juce::uint64 event)
{
    const int slot = EditEvent::slot (event);
    const int value = EditEvent::value (event);
    switch (EditEvent::code (event))
    {
        case EditEvent::pointerEntered:
            statusLine->setText (describeSlot (slot));
            break;

        case EditEvent::pointerLeft:
            statusLine->setText ({});
            break;

        case EditEvent::valueDragged:
        case EditEvent::toggled:
        {
            if (EditEvent::channel (event) == channel)
                showValue (slot, value);
            // The control's attachment sends a change of the slot it is bound to; an
            // event posted under an earlier binding still sets the slot it names.
            const auto* a = findAttachment (control);
            if (a == nullptr || a->getSlot() != slot)
                connection.setSlotFromEditor (slot, value);
            break;
        }

        default:
            // The wheel (code 7) among them: the panel's controls move by hand only.
            break;
    }
}

void ControlsPage::buttonPressed (KitButton*, int identifier)
{
    const int ch = identifier - channelButtonBase;
    if (juce::isPositiveAndBelow (ch, channels))
        selectChannel (ch);
}

void ControlsPage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    for (auto& m : monitors)
        if (m.get() == source)
            selectChannel (m->getChannel());
}

//==============================================================================
void ControlsPage::paint (juce::Graphics& g)
{
    g.fillAll (pageBack);
    const float pixelScale = PictureDraw::pixelScale (g) * scale;
    if (! PictureDraw::cacheFits (panel, panelWidth, panelHeight, pixelScale))
    {
        panelScale = pixelScale;
        drawPanel();
    }
    g.drawImage (panel, juce::Rectangle<int> (x0, y0, panelWidth, panelHeight).toFloat() * scale);
}

void ControlsPage::resized()
{
    x0 = (getWidth() - juce::roundToInt (panelWidth * scale)) / 2;
    y0 = juce::roundToInt (contentTop * scale);
    content.setTopLeftPosition (x0, y0);
    placeMonitors();
    statusLine->setBounds (juce::Rectangle<int> (statusX, statusY, statusWidth, statusHeight) * scale);
}

void ControlsPage::placeMonitors()
{
    // Four rows of full-size monitors need a tall window. When the page is shorter, the
    // rows close up and the monitors shrink until all sixteen are in view.
    const int top = monitorRowY[0];
    const int fullSpan = monitorRowY[3] + monitorHeight - top;
    const int available = getHeight() - y0 - juce::roundToInt ((float) top * scale);
    float pageScale = scale;
    int rowStep = 0;   // 0: the full-size rows in their own places
    if (available > 0 && available < juce::roundToInt ((float) fullSpan * scale))
    {
        constexpr int gap = 4;
        const float monitorHeightAt1 = (float) monitorHeight;   // at page scale 1.0
        pageScale = juce::jlimit (0.2f, scale, ((float) available / 4.0f - gap) / monitorHeightAt1);
        rowStep = juce::roundToInt (monitorHeightAt1 * pageScale) + gap;
    }
    for (int n = 0; n < channels; ++n)
    {
        auto& m = *monitors[(size_t) n];
        m.setPageScale (pageScale);
        m.setTopLeftPosition (monitorColumnStep * (n % 4), rowStep > 0 ? top + rowStep * (n / 4) : monitorRowY[n / 4]);
    }
}

} // namespace zd8
