#pragma once

#include "editor/kit/KitButton.h"
#include "editor/shell/ReceiveProgress.h"
#include "editor/kit/KitButtonListener.h"
#include "transfer/ReceiveTransfer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zd8
{

class EditorConnection;

/** The receive dialog: "Programs", "Multi" and "FX Chains" open the progress widget
    for that type (one ReceiveTransfer at a time, opened again for another type), "CLOSE"
    tells the owner to close the dialog (change message with getState() == 1111). A
    status line under the progress widget says how the last transfer went.

    The progress widget goes away when its CANCEL has run its course (the model's
    onDismissed); it is deleted in the next asynchronous update, after the model's own
    call has returned. Message thread only. */
class ReceiveDialog : public juce::Component,
               public juce::ChangeBroadcaster,
               public juce::AsyncUpdater,
               private KitButtonListener,
               private juce::ChangeListener
{
public:
    static constexpr int closeState = 1111;
    static constexpr int closeIdentifier = 1111;

    // The panel the dialog draws its controls on (dialog coordinates).
    static constexpr int panelX = 70, panelY = 10, panelWidth = 500, panelHeight = 350;

    explicit ReceiveDialog (EditorConnection& connection);
    ~ReceiveDialog() override;

    /** 0 while open, 1111 once CLOSE was pressed. */
    int getState() const noexcept { return state; }

    /** What a type button does: opens (or re-opens) the progress widget for 138
        programs, 155 multis or 156 FX chains. */
    void chooseType (int typeCode);
    /** CLOSE: stops a running receive, keeps what arrived, and asks the owner to close. */
    void close();

    ReceiveTransfer* getProgress() noexcept { return progress.get(); }
    ReceiveProgress* getProgressView() noexcept { return progressView.get(); }
    KitButton* getTypeButton (int typeCode) noexcept;
    KitButton& getCloseButton() noexcept { return closeButton; }
    const juce::String& getStatus() const noexcept { return status; }

    void paint (juce::Graphics&) override;
    /** Deletes a progress widget whose CANCEL is done. */
    void handleAsyncUpdate() override;

private:
    void buttonPressed (KitButton* button, int identifier) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void followProgress();
    void setStatus (const juce::String& text);

    EditorConnection& connection;
    KitButton programsButton, multiButton, fxChainsButton, closeButton;
    std::unique_ptr<ReceiveTransfer> progress;
    std::unique_ptr<ReceiveProgress> progressView;
    bool started = false;
    bool dismissed = false;
    int state = 0;
    juce::String status;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ReceiveDialog)
};

} // namespace zd8
