#pragma once

#include "editor/library/LibraryButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <mutex>

namespace zd8
{

/** Picture button of the library window, drawn from two pictures at its vertical
    centre, 24 pixels high: a body stretched from the left edge to the cap and a 5-pixel
    right cap at the right edge, both drawn at half their pictures' size; a second pair
    while the pointer is over it. Its label is centred (Arial, 0xFFF7F7F7). Created
    60x40; its owner places it, usually at 100x34. Reports (button, identifier) to its
    LibraryButtonListeners, last registered first, when the mouse goes down on it.
    Message thread only. */
class LibraryButton : public juce::Component
{
public:
    LibraryButton (const juce::String& label, int identifier, float fontSize = 12.0f);
    ~LibraryButton() override;

    void addListener (LibraryButtonListener* listener);
    void removeListener (LibraryButtonListener* listener);

    void setLabel (const juce::String& text);
    const juce::String& getLabel() const noexcept { return label; }
    int getIdentifier() const noexcept { return identifier; }
    bool isHighlighted() const noexcept { return over; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    juce::String label;
    int identifier;
    float fontSize;
    bool over = false;
    juce::Image body, cap, litBody, litCap;
    std::mutex listenerLock;
    juce::Array<LibraryButtonListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibraryButton)
};

} // namespace zd8
