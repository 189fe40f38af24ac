#pragma once

#include "editor/library/LibraryButton.h"
#include "editor/kit/TextEntryListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <mutex>

namespace zd8
{

/** The question overlay of the library panels: it covers the whole panel with a title,
    an optional one-line text field and up to three buttons, and reports
    (question, button) to its textmsgListeners, last registered first.
    Buttons: 1201 (right, "OK"), 1200 (middle, "NO"), 1202 (left, "Cancel"); a button
    whose label is empty for a question is hidden. Message thread only. */
class TextEntryOverlay : public juce::Component,
                      private LibraryButtonListener
{
public:
    static constexpr int okButton = 1201;
    static constexpr int cancelButton = 1202;
    static constexpr int noButton = 1200;

    TextEntryOverlay();
    ~TextEntryOverlay() override;

    void addListener (TextEntryListener* listener);
    void removeListener (TextEntryListener* listener);

    /** Shows the question over the whole parent. An empty label hides its button. */
    void ask (int question, const juce::String& title, bool withTextField, const juce::String& text,
              const juce::String& okLabel, const juce::String& cancelLabel, const juce::String& noLabel = {});
    /** Invisible, parked at (-100, -100) at 50x50. */
    void hideOverlay();

    int getQuestion() const noexcept { return question; }
    juce::String getTitle() const { return titleLabel.getText(); }
    juce::String getText() const { return field.getText(); }
    void setText (const juce::String& text) { field.setText (text, false); }
    bool isTextFieldShown() const noexcept { return field.isVisible(); }
    /** The button reporting that identifier. */
    LibraryButton& getButton (int identifier);

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    void libButtonPressed (LibraryButton* button, int identifier) override;

    int question = 0;
    juce::Label titleLabel;
    juce::TextEditor field;
    LibraryButton ok { "OK", okButton }, cancel { "Cancel", cancelButton }, no { "NO", noButton };
    std::mutex listenerLock;
    juce::Array<TextEntryListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextEntryOverlay)
};

} // namespace zd8
