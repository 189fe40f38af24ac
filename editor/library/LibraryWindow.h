#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class LibraryContent;
class EditorConnection;

/** The library window: a document window without title bar or buttons (its content
    draws its own heading and close button), black, holding one LibraryContent,
    900x620 and centred. Not on the desktop until its owner shows it. Message thread
    only. */
class LibraryWindow : public juce::DocumentWindow
{
public:
    static constexpr int width = 900;
    static constexpr int height = 620;

    explicit LibraryWindow (EditorConnection& connection);
    ~LibraryWindow() override;

    LibraryContent& getContent() noexcept { return *content; }

    /** Puts the window on the desktop (once), shows it and brings it to the front. */
    void present();

    void closeButtonPressed() override;

private:
    LibraryContent* content = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibraryWindow)
};

} // namespace zd8
