#pragma once

#include "editor/StsBut.h"
#include "editor/stsbutListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** Name entry: a text field of at most 16 printable ASCII characters (the instrument's
    names are 7-bit) with "OK" and "Cancel". Return presses OK, Escape Cancel. The owner
    shows it with edit(), hears the result through onOk / onCancel and hides it.
    Message thread only. */
class RenameCnt : public juce::Component,
                  private stsbutListener
{
public:
    static constexpr int maxLength = 16;
    static constexpr int viewWidth = 300;
    static constexpr int viewHeight = 110;
    static constexpr int okIdentifier = 1;
    static constexpr int cancelIdentifier = 2;

    RenameCnt();
    ~RenameCnt() override;

    /** Shows the name (trailing blanks left off) ready for editing. */
    void edit (const juce::String& name);

    void pressOk();
    void pressCancel();

    std::function<void (const juce::String&)> onOk;
    std::function<void()> onCancel;

    juce::TextEditor& getField() noexcept { return field; }
    StsBut& getOkButton() noexcept { return okButton; }
    StsBut& getCancelButton() noexcept { return cancelButton; }

    void paint (juce::Graphics&) override;

private:
    void buttonPressed (StsBut* button, int identifier) override;

    juce::TextEditor field;
    StsBut okButton, cancelButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenameCnt)
};

} // namespace zd8
