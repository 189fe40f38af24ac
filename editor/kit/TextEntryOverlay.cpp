#include "editor/kit/TextEntryOverlay.h"

#include "editor/kit/Palette.h"

namespace zd8
{

namespace
{
    const juce::Colour background (Palette::pageFill);
    constexpr int buttonWidth = 100, buttonHeight = 34, buttonPitch = 120, buttonY = 116;
    constexpr int fieldWidth = 280, fieldHeight = 24, fieldY = 64;
}

TextEntryOverlay::TextEntryOverlay()
{
    titleLabel.setFont (juce::Font ("Arial", 27.0f, juce::Font::plain));
    titleLabel.setJustificationType (juce::Justification::centred);
    titleLabel.setColour (juce::Label::textColourId, juce::Colour (Palette::entryTitle));
    addAndMakeVisible (titleLabel);

    field.setFont (juce::Font ("Arial", 15.0f, juce::Font::plain));
    field.setColour (juce::TextEditor::backgroundColourId, juce::Colour (Palette::entryField));
    field.setColour (juce::TextEditor::textColourId, juce::Colour (Palette::textBright));
    field.setColour (juce::TextEditor::outlineColourId, juce::Colour (Palette::selection));
    field.setColour (juce::TextEditor::focusedOutlineColourId, juce::Colour (Palette::entryFocusedOutline));
    addAndMakeVisible (field);

    for (auto* b : { &ok, &cancel, &no })
    {
        b->addListener (this);
        addAndMakeVisible (b);
    }
    hideOverlay();
}

TextEntryOverlay::~TextEntryOverlay() = default;

void TextEntryOverlay::addListener (TextEntryListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void TextEntryOverlay::removeListener (TextEntryListener* listener)
{
    const std::lock_guard<std::mutex> g (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

LibraryButton& TextEntryOverlay::getButton (int identifier)
{
    return identifier == okButton ? ok : identifier == noButton ? no : cancel;
}

void TextEntryOverlay::ask (int q, const juce::String& title, bool withTextField, const juce::String& text,
                         const juce::String& okLabel, const juce::String& cancelLabel, const juce::String& noLabel)
{
    question = q;
    titleLabel.setText (title, juce::dontSendNotification);
    field.setText (text, false);
    field.setVisible (withTextField);
    ok.setLabel (okLabel);
    cancel.setLabel (cancelLabel);
    no.setLabel (noLabel);
    ok.setVisible (okLabel.isNotEmpty());
    cancel.setVisible (cancelLabel.isNotEmpty());
    no.setVisible (noLabel.isNotEmpty());

    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
    setVisible (true);
    toFront (false);
    resized();
    if (withTextField && isShowing())
    {
        field.grabKeyboardFocus();
        field.selectAll();
    }
}

void TextEntryOverlay::hideOverlay()
{
    setVisible (false);
    setBounds (-100, -100, 50, 50);
}

void TextEntryOverlay::paint (juce::Graphics& g)
{
    g.fillAll (background);
}

void TextEntryOverlay::resized()
{
    const int w = getWidth();
    titleLabel.setBounds (20, 24, w - 40, 30);
    field.setBounds ((w - fieldWidth) / 2, fieldY, fieldWidth, fieldHeight);

    // Left to right: cancel, no, ok; the shown ones centred, 120 pixels apart.
    juce::Array<LibraryButton*> shown;
    for (auto* b : { &cancel, &no, &ok })
        if (b->isVisible())
            shown.add (b);
    if (shown.isEmpty())
        return;
    const int span = (shown.size() - 1) * buttonPitch + buttonWidth;
    int x = (w - span) / 2;
    for (auto* b : shown)
    {
        b->setBounds (x, buttonY, buttonWidth, buttonHeight);
        x += buttonPitch;
    }
}

void TextEntryOverlay::libButtonPressed (LibraryButton*, int identifier)
{
    juce::Array<TextEntryListener*> toCall;
    {
        const std::lock_guard<std::mutex> g (listenerLock);
        toCall = listeners;
    }
    const int q = question;
    for (int i = toCall.size(); --i >= 0;)
        toCall.getUnchecked (i)->textAnswer (q, identifier);
}

} // namespace zd8
