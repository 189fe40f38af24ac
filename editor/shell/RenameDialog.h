#pragma once

#include "editor/kit/KitButton.h"
#include "editor/kit/KitButtonListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** Name entry: a text field of at most 16 printable ASCII characters (the instrument's
    names are 7-bit) with "OK" and "Cancel". Return presses OK, Escape Cancel. The owner
    shows it with edit(), hears the result through onOk / onCancel and hides it.
    Message thread only. */
class RenameDialog : public juce::Component,
                  private KitButtonListener
{
public:
    static constexpr int maxLength = 16;
    static constexpr int viewWidth = 300;
    static constexpr int viewHeight = 110;
    static constexpr int okIdentifier = 1;
    static constexpr int cancelIdentifier = 2;

    RenameDialog();
    ~RenameDialog() override;

    /** Shows the name (trailing blanks left off) ready for editing. */
    void edit (const juce::String& name);

    void pressOk();
    void pressCancel();

    std::function<void (const juce::String&)> onOk;
    std::function<void()> onCancel;

    juce::TextEditor& getField() noexcept { return field; }
    KitButton& getOkButton() noexcept { return okButton; }
    KitButton& getCancelButton() noexcept { return cancelButton; }

    void paint (juce::Graphics&) override;

private:
    void buttonPressed (KitButton* button, int identifier) override;

    juce::TextEditor field;
    KitButton okButton, cancelButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenameDialog)
};

} // namespace zd8
