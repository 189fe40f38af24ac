#include "editor/shell/RenameDialog.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    const juce::Colour fill (Palette::dialogDeepFill);
    const juce::Colour outline (Palette::dialogAccent);
    const juce::Colour textColour (Palette::textLabel);
    const juce::Colour fieldFill (Palette::midiSetupPanelBoxFill);
    const juce::Colour fieldOutline (Palette::midiSetupPanelBoxOutline);

    constexpr float cornerRadius = 8.0f;
    constexpr float textSize = 14.0f;
    constexpr float buttonTextSize = 12.0f;

    const juce::Rectangle<int> captionArea (16, 10, 268, 18);
    const juce::Rectangle<int> fieldArea (16, 34, 268, 26);
    const juce::Rectangle<int> cancelArea (124, 74, 76, 22);
    const juce::Rectangle<int> okArea (208, 74, 76, 22);

    juce::String printableAscii()
    {
        juce::String chars;
        for (juce::juce_wchar c = 0x20; c < 0x7f; ++c)
            chars += juce::String::charToString (c);
        return chars;
    }

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }
}

RenameDialog::RenameDialog()
    : okButton ("OK", okIdentifier, 0, buttonTextSize),
      cancelButton ("Cancel", cancelIdentifier, 0, buttonTextSize)
{
    setSize (viewWidth, viewHeight);

    field.setFont (arial (textSize));
    field.setInputRestrictions (maxLength, printableAscii());
    field.setColour (juce::TextEditor::backgroundColourId, fieldFill);
    field.setColour (juce::TextEditor::textColourId, textColour);
    field.setColour (juce::TextEditor::outlineColourId, fieldOutline);
    field.setColour (juce::TextEditor::focusedOutlineColourId, outline);
    field.setIndents (6, 5);
    field.setBounds (fieldArea);
    field.onReturnKey = [this] { pressOk(); };
    field.onEscapeKey = [this] { pressCancel(); };
    addAndMakeVisible (field);

    okButton.setBounds (okArea);
    cancelButton.setBounds (cancelArea);
    okButton.addListener (this);
    cancelButton.addListener (this);
    addAndMakeVisible (okButton);
    addAndMakeVisible (cancelButton);
}

RenameDialog::~RenameDialog()
{
    okButton.removeListener (this);
    cancelButton.removeListener (this);
}

void RenameDialog::edit (const juce::String& name)
{
    field.setText (name.trimEnd(), false);
    field.selectAll();
    if (isShowing())
        field.grabKeyboardFocus();
}

void RenameDialog::pressOk()
{
    if (onOk)
        onOk (field.getText());
}

void RenameDialog::pressCancel()
{
    if (onCancel)
        onCancel();
}

void RenameDialog::buttonPressed (KitButton*, int identifier)
{
    if (identifier == okIdentifier)
        pressOk();
    else if (identifier == cancelIdentifier)
        pressCancel();
}

void RenameDialog::paint (juce::Graphics& g)
{
    const auto r = getLocalBounds().toFloat().reduced (1.0f);
    g.setColour (fill);
    g.fillRoundedRectangle (r, cornerRadius);
    g.setColour (outline);
    g.drawRoundedRectangle (r, cornerRadius, 2.0f);

    g.setColour (textColour);
    g.setFont (arial (textSize, true));
    g.drawText ("New name (at most 16 characters)", captionArea, juce::Justification::centredLeft, true);
}

} // namespace zd8
