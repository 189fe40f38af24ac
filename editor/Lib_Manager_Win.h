#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zd8
{

class Lib_Manager_Comp;
class VantorAudioProcessor;

/** The library window: a document window without title bar or buttons (its content
    draws its own heading and close button), black, holding one Lib_Manager_Comp,
    900x620 and centred. Not on the desktop until its owner shows it. Message thread
    only. */
class Lib_Manager_Win : public juce::DocumentWindow
{
public:
    static constexpr int width = 900;
    static constexpr int height = 620;

    explicit Lib_Manager_Win (VantorAudioProcessor& processor);
    ~Lib_Manager_Win() override;

    Lib_Manager_Comp& getContent() noexcept { return *content; }

    /** Puts the window on the desktop (once), shows it and brings it to the front. */
    void present();

    void closeButtonPressed() override;

private:
    Lib_Manager_Comp* content = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Win)
};

} // namespace zd8
