#include "editor/shell/ReceiveProgress.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    const juce::Colour frameFill (Palette::dialogDeepFill);
    const juce::Colour frameOutline (Palette::dialogPanelOutline);
    const juce::Colour textColour (Palette::textLabel);
    const juce::Colour dimText (Palette::dialogDimText);
    const juce::Colour fieldFill (Palette::midiSetupPanelBoxFill);
    const juce::Colour fieldOutline (Palette::midiSetupPanelBoxOutline);
    const juce::Colour troughFill (Palette::receiveProgressTroughFill);
    const juce::Colour troughOutline (Palette::receiveProgressTroughOutline);
    // The kit's accent blue, a little darker at the bottom of the bar.
    const juce::Colour barTop (Palette::dialogAccent);
    const juce::Colour barBottom (Palette::receiveProgressBarBottom);

    constexpr float cornerRadius = 6.0f;
    constexpr float titleSize = 15.0f;
    constexpr float textSize = 13.0f;
    constexpr float buttonTextSize = 12.0f;

    const juce::Rectangle<int> titleArea (16, 10, 408, 18);
    const juce::Rectangle<int> fromLabelArea (16, 40, 64, 22);
    const juce::Rectangle<int> fromFieldArea (80, 40, 70, 22);
    const juce::Rectangle<int> toLabelArea (166, 40, 50, 22);
    const juce::Rectangle<int> toFieldArea (216, 40, 70, 22);
    const juce::Rectangle<int> startArea (300, 40, 60, 22);
    const juce::Rectangle<int> cancelArea (366, 40, 60, 22);
    const juce::Rectangle<int> progressArea (28, 74, 384, 16);
    constexpr int barX = 28, barY = 98;

    constexpr int idDigits = 5;

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }

    void styleField (juce::TextEditor& field)
    {
        field.setFont (arial (textSize));
        field.setJustification (juce::Justification::centredTop);
        field.setInputRestrictions (idDigits, "0123456789");
        field.setColour (juce::TextEditor::backgroundColourId, fieldFill);
        field.setColour (juce::TextEditor::textColourId, textColour);
        field.setColour (juce::TextEditor::outlineColourId, fieldOutline);
        field.setColour (juce::TextEditor::focusedOutlineColourId, barTop);
        field.setIndents (4, 3);
    }
}

ReceiveProgress::ReceiveProgress (ReceiveTransfer& m)
    : model (m),
      startButton ("START", startIdentifier, 0, buttonTextSize),
      cancelButton ("CANCEL", cancelIdentifier, 0, buttonTextSize)
{
    setSize (viewWidth, viewHeight);

    for (auto* field : { &fromField, &toField })
    {
        styleField (*field);
        addAndMakeVisible (*field);
    }
    fromField.setBounds (fromFieldArea);
    toField.setBounds (toFieldArea);

    startButton.setBounds (startArea);
    cancelButton.setBounds (cancelArea);
    startButton.addListener (this);
    cancelButton.addListener (this);
    addAndMakeVisible (startButton);
    addAndMakeVisible (cancelButton);

    model.addChangeListener (this);
    refresh();
}

ReceiveProgress::~ReceiveProgress()
{
    model.removeChangeListener (this);
    startButton.removeListener (this);
    cancelButton.removeListener (this);
}

//==============================================================================
void ReceiveProgress::pressStart()
{
    if (! model.isStartVisible())
        return;
    model.setFromText (fromField.getText());
    model.setToText (toField.getText());
    model.start();
    refresh();
    if (onStart)
        onStart();
}

void ReceiveProgress::pressCancel()
{
    // A read-back's CANCEL dismisses at once and its owner may delete this view
    // afterwards; nothing here is touched after the call.
    model.cancel();
}

void ReceiveProgress::buttonPressed (KitButton*, int identifier)
{
    if (identifier == startIdentifier)
        pressStart();
    else if (identifier == cancelIdentifier)
        pressCancel();
}

void ReceiveProgress::changeListenerCallback (juce::ChangeBroadcaster*)
{
    refresh();
}

void ReceiveProgress::refresh()
{
    const bool editable = model.areRangeFieldsEnabled() && ! model.isRunning();
    // A field being typed into keeps what the user typed until START.
    if (! fromField.hasKeyboardFocus (true) || ! editable)
        fromField.setText (model.getFromText(), false);
    if (! toField.hasKeyboardFocus (true) || ! editable)
        toField.setText (model.getToText(), false);
    fromField.setReadOnly (! editable);
    toField.setReadOnly (! editable);
    fromField.setEnabled (model.areRangeFieldsEnabled());
    toField.setEnabled (model.areRangeFieldsEnabled());
    startButton.setVisible (model.isStartVisible());
    repaint();
}

//==============================================================================
juce::Rectangle<int> ReceiveProgress::barArea() noexcept
{
    return { barX, barY, ReceiveTransfer::barWidth, ReceiveTransfer::barHeight };
}

int ReceiveProgress::getFilledWidth() const noexcept
{
    return juce::jlimit (0, ReceiveTransfer::barWidth, juce::roundToInt (model.getBarWidth()));
}

void ReceiveProgress::paint (juce::Graphics& g)
{
    const auto frame = getLocalBounds().toFloat().reduced (0.5f);
    g.setColour (frameFill);
    g.fillRoundedRectangle (frame, cornerRadius);
    g.setColour (frameOutline);
    g.drawRoundedRectangle (frame, cornerRadius, 1.0f);

    g.setColour (textColour);
    g.setFont (arial (titleSize, true));
    g.drawText (model.getTitle(), titleArea, juce::Justification::centredLeft, true);

    g.setFont (arial (textSize));
    g.setColour (model.areRangeFieldsEnabled() ? textColour : dimText);
    g.drawText ("From ID#", fromLabelArea, juce::Justification::centredLeft, false);
    g.drawText ("To ID#", toLabelArea, juce::Justification::centredLeft, false);

    g.setColour (textColour);
    g.drawText (model.getProgressLine(), progressArea, juce::Justification::centredLeft, true);

    const auto trough = barArea();
    g.setColour (troughFill);
    g.fillRect (trough);
    const int filled = getFilledWidth();
    if (filled > 0)
    {
        g.setGradientFill (juce::ColourGradient (barTop, 0.0f, (float) trough.getY(), barBottom, 0.0f,
                                                 (float) trough.getBottom(), false));
        g.fillRect (trough.withWidth (filled));
    }
    g.setColour (troughOutline);
    g.drawRect (trough.expanded (1), 1);
}

} // namespace zd8
