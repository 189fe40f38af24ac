#include "editor/shell/ReceiveDialog.h"

#include "editor/kit/Palette.h"
#include "model/ObjectStore.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    const juce::Colour backdrop (Palette::pageFill);
    const juce::Colour panelFill (Palette::dialogPanelFill);
    const juce::Colour panelOutline (Palette::dialogPanelOutline);
    const juce::Colour textColour (Palette::textLabel);
    const juce::Colour hintColour (Palette::dialogDimText);

    constexpr float panelCornerRadius = 10.0f;
    constexpr float panelOutlineWidth = 3.0f;
    constexpr float titleSize = 16.0f;
    constexpr float textSize = 13.0f;
    constexpr float buttonTextSize = 12.0f;

    // Type buttons 140 x 20 at x 100, one every 40 px from y 30; CLOSE beside the last.
    constexpr int typeButtonX = 100, typeButtonWidth = 140, buttonHeight = 20;
    constexpr int firstTypeButtonY = 30, typeButtonStep = 40;
    const juce::Rectangle<int> closeArea (400, 110, 100, 20);
    const juce::Rectangle<int> titleArea (260, 26, 290, 20);
    const juce::Rectangle<int> hintArea (260, 48, 290, 40);
    const juce::Point<int> progressAt (100, 150);
    const juce::Rectangle<int> statusArea (100, 300, 440, 18);

    const juce::String chooseText ("Choose what to receive from the instrument.");
    const juce::String rangeText ("Enter the ID range and press START.");

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

ReceiveDialog::ReceiveDialog (EditorConnection& c)
    : connection (c),
      programsButton ("Programs", ObjectStore::typeProgram, 0, buttonTextSize),
      multiButton ("Multi", ObjectStore::typeMulti, 0, buttonTextSize),
      fxChainsButton ("FX Chains", ObjectStore::typeFxChain, 0, buttonTextSize),
      closeButton ("CLOSE", closeIdentifier, 0, buttonTextSize)
{
    int y = firstTypeButtonY;
    for (auto* b : { &programsButton, &multiButton, &fxChainsButton })
    {
        b->setBounds (typeButtonX, y, typeButtonWidth, buttonHeight);
        y += typeButtonStep;
    }
    closeButton.setBounds (closeArea);

    for (auto* b : { &programsButton, &multiButton, &fxChainsButton, &closeButton })
    {
        b->addListener (this);
        addAndMakeVisible (*b);
    }
    status = chooseText;
}

ReceiveDialog::~ReceiveDialog()
{
    cancelPendingUpdate();
    for (auto* b : { &programsButton, &multiButton, &fxChainsButton, &closeButton })
        b->removeListener (this);
    progressView.reset();
    if (progress != nullptr)
        progress->removeChangeListener (this);
}

KitButton* ReceiveDialog::getTypeButton (int typeCode) noexcept
{
    switch (typeCode)
    {
        case ObjectStore::typeProgram: return &programsButton;
        case ObjectStore::typeMulti: return &multiButton;
        case ObjectStore::typeFxChain: return &fxChainsButton;
        default: return nullptr;
    }
}

//==============================================================================
void ReceiveDialog::buttonPressed (KitButton*, int identifier)
{
    if (identifier == closeIdentifier)
        close();
    else
        chooseType (identifier);
}

void ReceiveDialog::chooseType (int typeCode)
{
    if (getTypeButton (typeCode) == nullptr || state == closeState)
        return;

    // A dismissed model cannot be opened again: a new one takes its place. (One whose
    // CANCEL is still under way is simply opened again, which stops the dismissal.)
    if (dismissed)
        handleAsyncUpdate();

    if (progress == nullptr)
    {
        progress = std::make_unique<ReceiveTransfer> (connection.getTransfers());
        progress->addChangeListener (this);
        progress->onDismissed = [this] {
            dismissed = true;
            triggerAsyncUpdate();
        };
        dismissed = false;
    }

    if (! progress->open (typeCode))
        return;

    if (progressView == nullptr)
    {
        progressView = std::make_unique<ReceiveProgress> (*progress);
        progressView->setTopLeftPosition (progressAt);
        progressView->onStart = [this] {
            started = true;
            followProgress();
        };
        addAndMakeVisible (*progressView);
    }
    progressView->refresh();

    for (auto* b : { &programsButton, &multiButton, &fxChainsButton })
        b->setOn (b->getIdentifier() == typeCode);
    started = false;
    setStatus (rangeText);
}

void ReceiveDialog::close()
{
    if (state == closeState)
        return;
    // Deleting the model stops the receive and clears the transfer flags; what arrived
    // stays in the stores.
    progressView.reset();
    if (progress != nullptr)
        progress->removeChangeListener (this);
    progress.reset();

    state = closeState;
    sendChangeMessage();
}

void ReceiveDialog::handleAsyncUpdate()
{
    if (! dismissed)
        return;
    cancelPendingUpdate();
    dismissed = false;
    progressView.reset();
    if (progress != nullptr)
        progress->removeChangeListener (this);
    progress.reset();
    for (auto* b : { &programsButton, &multiButton, &fxChainsButton })
        b->setOn (false);
    repaint();
}

//==============================================================================
void ReceiveDialog::changeListenerCallback (juce::ChangeBroadcaster*)
{
    followProgress();
}

void ReceiveDialog::followProgress()
{
    if (progress == nullptr)
        return;

    const auto what = ReceiveTransfer::labelFor (progress->getTypeCode());
    switch (progress->getState())
    {
        case ReceiveTransfer::State::running:
            setStatus ("Receiving " + what + " from ID# " + juce::String (progress->getFrom()) + " to "
                       + juce::String (progress->getTo()) + "...");
            break;
        case ReceiveTransfer::State::open:
            if (started)
                setStatus ("Done: " + what + " ID# " + juce::String (progress->getFrom()) + " to "
                           + juce::String (progress->getTo()) + " received.");
            break;
        case ReceiveTransfer::State::noAnswer:
            setStatus (progress->getProgressLine());
            break;
        case ReceiveTransfer::State::cancelling:
        case ReceiveTransfer::State::dismissed:
            setStatus ("Cancelled: what arrived before stays in the plug-in.");
            break;
        case ReceiveTransfer::State::closed:
            break;
    }
}

void ReceiveDialog::setStatus (const juce::String& text)
{
    if (text == status)
        return;
    status = text;
    repaint (statusArea);
}

//==============================================================================
void ReceiveDialog::paint (juce::Graphics& g)
{
    g.fillAll (backdrop);

    const auto panel = juce::Rectangle<int> (panelX, panelY, panelWidth, panelHeight).toFloat();
    g.setColour (panelFill);
    g.fillRoundedRectangle (panel, panelCornerRadius);
    g.setColour (panelOutline);
    g.drawRoundedRectangle (panel.reduced (panelOutlineWidth * 0.5f), panelCornerRadius, panelOutlineWidth);

    g.setColour (textColour);
    g.setFont (arial (titleSize, true));
    g.drawText ("Receive from the instrument", titleArea, juce::Justification::centredLeft, true);
    g.setColour (hintColour);
    g.setFont (arial (textSize));
    g.drawFittedText ("Objects arrive one by one and replace the plug-in's copies.", hintArea,
                      juce::Justification::topLeft, 2);

    g.setColour (textColour);
    g.drawText (status, statusArea, juce::Justification::centredLeft, true);
}

} // namespace zd8
