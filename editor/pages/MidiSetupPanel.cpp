#include "editor/pages/MidiSetupPanel.h"

#include "editor/kit/Palette.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    const juce::Colour veil (Palette::midiSetupPanelVeil);
    const juce::Colour panelFill (Palette::midiSetupPanelPanelFill);
    const juce::Colour panelOutline (Palette::midiSetupPanelPanelOutline);
    const juce::Colour textColour (Palette::textLabel);
    const juce::Colour boxFill (Palette::midiSetupPanelBoxFill);
    const juce::Colour boxOutline (Palette::midiSetupPanelBoxOutline);
    const juce::Colour lampDark (Palette::midiSetupPanelLampDark);
    // The kit's two accent colours: the blue of lit things and the amber of "on".
    const juce::Colour accent (Palette::midiSetupPanelAccent);
    const juce::Colour secondAccent (Palette::midiSetupPanelSecondAccent);

    constexpr float panelCornerRadius = 10.0f;
    constexpr float panelOutlineWidth = 3.0f;
    constexpr float textSize = 14.0f;
    constexpr float optionTextSize = 13.0f;
    constexpr float buttonTextSize = 12.0f;

    // Positions inside the panel (panel coordinates); texts are placed by baseline.
    constexpr int portBoxX = 20, portBoxWidth = 290, portBoxHeight = 24;
    constexpr int inputBoxY = 60, outputBoxY = 110;
    constexpr int portTitleAbove = 6;    // "MIDI In Port" baseline 54 over a box at 60
    constexpr int portNameX = 24, portNameBelowTop = 16;
    constexpr int lampX = 290, lampBelowTop = 8, lampWidth = 10, lampHeight = 8;
    constexpr float lampFrame = 2.0f;

    const juce::Rectangle<int> statusArea (0, 6, 400, 14);
    const juce::Rectangle<int> programChangeArea (354, 40, 300, 18);
    const juce::Rectangle<int> thruInToHostArea (354, 70, 300, 18);
    const juce::Rectangle<int> thruHostToOutArea (354, 100, 300, 18);
    const juce::Rectangle<int> clockArea (20, 150, 300, 18);
    const juce::Rectangle<int> latencyArea (0, 170, 310, 80);
    const juce::Rectangle<int> okArea (646, 230, 50, 18);
    const juce::Rectangle<int> receiveArea (400, 230, 120, 18);

    juce::Rectangle<int> inPanel (juce::Rectangle<int> r)
    {
        return r.translated (MidiSetupPanel::panelX, MidiSetupPanel::panelY);
    }

    juce::Rectangle<int> portBox (bool output)
    {
        return { portBoxX, output ? outputBoxY : inputBoxY, portBoxWidth, portBoxHeight };
    }

    juce::Font arial (float size)
    {
        return juce::Font ("Arial", size, juce::Font::plain);
    }
}

MidiSetupPanel::MidiSetupPanel (EditorConnection& c)
    : connection (c),
      status ("------", optionTextSize, textColour),
      latency (c),
      okButton ("OK", requestOk, 0, buttonTextSize),
      receiveButton ("RECEIVE DATA", requestReceiveData, 0, buttonTextSize),
      clockBox ("Clock ON/OFF", optionTextSize),
      programChangeBox ("Control Program Change with Automation", optionTextSize),
      thruHostToOutBox ("THRU: Host -> MIDI Out Port", optionTextSize),
      thruInToHostBox ("THRU: MIDI In Port -> Host", optionTextSize)
{
    status.setBounds (inPanel (statusArea));
    addAndMakeVisible (status);

    takeDeviceLists();
    refreshPorts();

    const std::pair<CheckButton*, juce::Rectangle<int>> boxes[] = {
        { &programChangeBox, programChangeArea },
        { &thruInToHostBox, thruInToHostArea },
        { &thruHostToOutBox, thruHostToOutArea },
        { &clockBox, clockArea },
    };
    for (auto& [box, area] : boxes)
    {
        box->setBounds (inPanel (area));
        box->addChangeListener (this);
        addAndMakeVisible (box);
    }
    clockBox.setChecked (connection.isClockOn());
    programChangeBox.setChecked (connection.isProgramChangeByAutomation());
    thruHostToOutBox.setChecked (connection.isThruHostToOut());
    thruInToHostBox.setChecked (connection.isThruInToHost());

    latency.show (connection.getDelays(), connection.getRateIndex());
    latency.setBounds (inPanel (latencyArea)); // the section's upper left 310 x 80 is shown
    addAndMakeVisible (latency);

    okButton.setBounds (inPanel (okArea));
    receiveButton.setBounds (inPanel (receiveArea));
    okButton.addListener (this);
    receiveButton.addListener (this);
    addAndMakeVisible (okButton);
    addAndMakeVisible (receiveButton);

    connection.requestIdentity();
}

MidiSetupPanel::~MidiSetupPanel()
{
    okButton.removeListener (this);
    receiveButton.removeListener (this);
    for (auto* box : { &clockBox, &programChangeBox, &thruHostToOutBox, &thruInToHostBox })
        box->removeChangeListener (this);
}

//==============================================================================
void MidiSetupPanel::addListener (MidiSetupPanelListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void MidiSetupPanel::removeListener (MidiSetupPanelListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

void MidiSetupPanel::send (int code, int value)
{
    juce::Array<MidiSetupPanelListener*> copy;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        copy = listeners;
    }
    // A listener may close and delete the panel while handling the request.
    const juce::Component::SafePointer<MidiSetupPanel> alive (this);
    for (int i = copy.size(); --i >= 0;)
    {
        copy.getUnchecked (i)->setupRequest (code, value);
        if (alive == nullptr)
            return;
    }
}

//==============================================================================
void MidiSetupPanel::takeDeviceLists()
{
    inputNames = juce::StringArray ("NONE");
    inputNames.addArray (connection.getInputNames());
    outputNames = juce::StringArray ("NONE");
    outputNames.addArray (connection.getOutputNames());
}

void MidiSetupPanel::refreshPorts()
{
    // The port owner's index points into the device list of the moment the port
    // opened; the name chosen then says which device it is, wherever it stands in the
    // lists taken at the opening. Closed, or a device unplugged before the opening:
    // entry 0, "NONE".
    const auto chosen = connection.getPortNames();
    const auto entryOf = [] (bool open, const juce::String& name, int index, const juce::StringArray& names) {
        if (! open)
            return 0;
        if (index >= 0 && names[index + 1] == name)
            return index + 1; // the list as it was: also the right one of two equal names
        return juce::jmax (0, names.indexOf (name, false, 1)); // entry 0 is "NONE"
    };
    shownInput = entryOf (connection.isInputOpen(), chosen[0], connection.getInputIndex(), inputNames);
    shownOutput = entryOf (connection.isOutputOpen(), chosen[1], connection.getOutputIndex(), outputNames);
    refreshLamps();
}

void MidiSetupPanel::refreshLamps()
{
    inputOpen = connection.isInputOpen();
    outputOpen = connection.isOutputOpen();
    repaint();
}

void MidiSetupPanel::setStatus (const juce::String& text)
{
    status.setText (text);
}

void MidiSetupPanel::close()
{
    connection.savePortFile();
}

//==============================================================================
void MidiSetupPanel::chooseInput (int k)
{
    choose (k, false);
}

void MidiSetupPanel::chooseOutput (int k)
{
    choose (k, true);
}

void MidiSetupPanel::choose (int k, bool output)
{
    const auto& names = output ? outputNames : inputNames;
    if (! juce::isPositiveAndBelow (k, names.size()))
        return;

    // Entry k names a device of the lists taken at the opening; the port owner opens by
    // its place in the list of now.
    int port = 0;
    if (k > 0)
    {
        const auto now = output ? connection.getOutputNames() : connection.getInputNames();
        port = now[k - 1] == names[k] ? k : now.indexOf (names[k]) + 1;
        if (port == 0)
            return; // unplugged since the opening: the open port stays
    }

    (output ? shownOutput : shownInput) = k;
    repaint();

    const juce::Component::SafePointer<MidiSetupPanel> alive (this);
    send (output ? requestOutputPort : requestInputPort, port);
    if (alive != nullptr)
        refreshPorts(); // a device that would not open leaves the box at "NONE"
}

juce::PopupMenu MidiSetupPanel::makeListMenu (bool output)
{
    const auto& names = output ? outputNames : inputNames;
    const int shown = output ? shownOutput : shownInput;

    juce::PopupMenu menu;
    if (names.size() < 2)
        return menu;

    menu.setLookAndFeel (&look.get());
    for (int k = 0; k < names.size(); ++k)
        menu.addItem (k + 1, names[k], true, k == shown);
    return menu;
}

bool MidiSetupPanel::openList (bool output)
{
    auto menu = makeListMenu (output);
    if (menu.getNumItems() == 0)
        return false;

    const juce::Component::SafePointer<MidiSetupPanel> panel (this);
    const auto area = localAreaToGlobal (inPanel (portBox (output)));
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetScreenArea (area).withMinimumWidth (area.getWidth()),
                        [panel, output] (int result) {
                            if (panel == nullptr || result <= 0)
                                return; // dismissed, or the panel went away meanwhile
                            if (output)
                                panel->chooseOutput (result - 1);
                            else
                                panel->chooseInput (result - 1);
                        });
    return true;
}

bool MidiSetupPanel::hitTest (int x, int y)
{
    return y >= topBarHeight && Component::hitTest (x, y);
}

void MidiSetupPanel::mouseDown (const juce::MouseEvent& e)
{
    const auto p = e.getPosition() - juce::Point<int> (panelX, panelY);
    if (portBox (false).contains (p))
        openList (false);
    else if (portBox (true).contains (p))
        openList (true);
}

//==============================================================================
void MidiSetupPanel::buttonPressed (KitButton*, int identifier)
{
    if (identifier == requestOk || identifier == requestReceiveData)
        send (identifier, 0);
}

void MidiSetupPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    const std::pair<CheckButton*, int> boxes[] = {
        { &thruHostToOutBox, requestThruHostToOut },
        { &clockBox, requestClock },
        { &thruInToHostBox, requestThruInToHost },
        { &programChangeBox, requestProgramChangeByAutomation },
    };
    for (auto& [box, code] : boxes)
        if (source == box)
        {
            send (code, box->isChecked() ? 1 : 0);
            return;
        }
}

//==============================================================================
void MidiSetupPanel::paint (juce::Graphics& g)
{
    g.fillAll (veil);

    const auto panel = juce::Rectangle<int> (panelX, panelY, panelWidth, panelHeight).toFloat();
    g.setColour (panelFill);
    g.fillRoundedRectangle (panel, panelCornerRadius);
    g.setColour (panelOutline);
    g.drawRoundedRectangle (panel.reduced (panelOutlineWidth * 0.5f), panelCornerRadius, panelOutlineWidth);

    paintPortBox (g, inputBoxY, inputNames[shownInput], inputOpen);
    paintPortBox (g, outputBoxY, outputNames[shownOutput], outputOpen);

    g.setColour (textColour);
    g.setFont (arial (textSize));
    g.drawSingleLineText ("MIDI In Port", panelX + portBoxX, panelY + inputBoxY - portTitleAbove);
    g.drawSingleLineText ("MIDI Out Port", panelX + portBoxX, panelY + outputBoxY - portTitleAbove);
}

void MidiSetupPanel::paintPortBox (juce::Graphics& g, int y, const juce::String& name, bool open) const
{
    const auto box = inPanel ({ portBoxX, y, portBoxWidth, portBoxHeight });
    g.setColour (boxFill);
    g.fillRect (box);
    g.setColour (boxOutline);
    g.drawRect (box, 1);

    {
        // A long device name stops short of the lamp.
        const juce::Graphics::ScopedSaveState keep (g);
        g.reduceClipRegion (box.withLeft (panelX + portNameX).withRight (panelX + lampX - 4));
        g.setColour (textColour);
        g.setFont (arial (textSize));
        g.drawSingleLineText (name, panelX + portNameX, panelY + y + portNameBelowTop);
    }

    const auto lamp = inPanel ({ lampX, y + lampBelowTop, lampWidth, lampHeight }).toFloat();
    g.setColour (open ? accent : lampDark);
    g.fillRect (lamp);
    g.setColour (open ? lampDark : secondAccent);
    g.drawRect (lamp, lampFrame);
}

} // namespace zd8
