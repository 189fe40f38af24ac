#pragma once

#include "editor/StsBut.h"
#include "editor/pages/ProgBarView.h"
#include "editor/stsbutListener.h"
#include "link/ProgBar.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zd8
{

class MidiCntrState;

/** The receive dialog: "Programs", "Multi" and "FX Chains" open the progress widget
    for that type (one ProgBar at a time, opened again for another type), "CLOSE"
    tells the owner to close the dialog (change message with getState() == 1111). A
    status line under the progress widget says how the last transfer went.

    The progress widget goes away when its CANCEL has run its course (the model's
    onDismissed); it is deleted in the next asynchronous update, after the model's own
    call has returned. Message thread only. */
class RecTrn : public juce::Component,
               public juce::ChangeBroadcaster,
               public juce::AsyncUpdater,
               private stsbutListener,
               private juce::ChangeListener
{
public:
    static constexpr int closeState = 1111;
    static constexpr int closeIdentifier = 1111;

    // The panel the dialog draws its controls on (dialog coordinates).
    static constexpr int panelX = 70, panelY = 10, panelWidth = 500, panelHeight = 350;

    explicit RecTrn (MidiCntrState& hub);
    ~RecTrn() override;

    /** 0 while open, 1111 once CLOSE was pressed. */
    int getState() const noexcept { return state; }

    /** What a type button does: opens (or re-opens) the progress widget for 138
        programs, 155 multis or 156 FX chains. */
    void chooseType (int typeCode);
    /** CLOSE: stops a running receive, keeps what arrived, and asks the owner to close. */
    void close();

    ProgBar* getProgress() noexcept { return progress.get(); }
    ProgBarView* getProgressView() noexcept { return progressView.get(); }
    StsBut* getTypeButton (int typeCode) noexcept;
    StsBut& getCloseButton() noexcept { return closeButton; }
    const juce::String& getStatus() const noexcept { return status; }

    void paint (juce::Graphics&) override;
    /** Deletes a progress widget whose CANCEL is done. */
    void handleAsyncUpdate() override;

private:
    void buttonPressed (StsBut* button, int identifier) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void followProgress();
    void setStatus (const juce::String& text);

    MidiCntrState& hub;
    StsBut programsButton, multiButton, fxChainsButton, closeButton;
    std::unique_ptr<ProgBar> progress;
    std::unique_ptr<ProgBarView> progressView;
    bool started = false;
    bool dismissed = false;
    int state = 0;
    juce::String status;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RecTrn)
};

} // namespace zd8
