#pragma once

#include "editor/kit/KitButton.h"
#include "editor/kit/KitButtonListener.h"
#include "transfer/ReceiveTransfer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zd8
{

/** The progress widget of a transfer: the title, the "From ID#" and "To ID#" fields,
    "START" and "CANCEL", the progress line and the bar, all drawn from the ReceiveTransfer
    model it shows. The model runs the transfer; this only reads it and hands it the
    user's presses. A read-back shows no START and disabled range fields.

    The owner keeps the model alive longer than the widget and deletes both when the
    model's onDismissed says so. Message thread only. */
class ReceiveProgress : public juce::Component,
                    private juce::ChangeListener,
                    private KitButtonListener
{
public:
    static constexpr int viewWidth = 440;
    static constexpr int viewHeight = 140;
    static constexpr int startIdentifier = 1;
    static constexpr int cancelIdentifier = 2;

    explicit ReceiveProgress (ReceiveTransfer& model);
    ~ReceiveProgress() override;

    ReceiveTransfer& getModel() noexcept { return model; }

    /** START: hands the fields to the model and starts; the clamped range comes back
        into the fields. */
    void pressStart();
    /** CANCEL. */
    void pressCancel();
    /** Told after START was pressed (the receive dialog's status line). */
    std::function<void()> onStart;

    /** Takes the title, fields, START's visibility and the bar from the model again. */
    void refresh();

    KitButton& getStartButton() noexcept { return startButton; }
    KitButton& getCancelButton() noexcept { return cancelButton; }
    juce::TextEditor& getFromField() noexcept { return fromField; }
    juce::TextEditor& getToField() noexcept { return toField; }

    /** The bar's full area (384 x 24) and the pixels of it drawn filled. */
    static juce::Rectangle<int> barArea() noexcept;
    int getFilledWidth() const noexcept;

    void paint (juce::Graphics&) override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void buttonPressed (KitButton* button, int identifier) override;

    ReceiveTransfer& model;
    KitButton startButton, cancelButton;
    juce::TextEditor fromField, toField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ReceiveProgress)
};

} // namespace zd8
