#pragma once

#include "editor/kit/ObjectDisplay.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/ParameterControl.h"
#include "editor/kit/ParameterControlListener.h"
#include "editor/kit/SlotAttachment.h"
#include "editor/kit/KitLabel.h"
#include "editor/pages/ProgramPageListener.h"
#include "editor/pages/ProgramChooser.h"
#include "editor/pages/ProgramPageButtons.h"
#include "editor/kit/KitButtonListener.h"
#include "link/OneShotTimer.h"
#include "plugin/EditorConnection.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace zd8
{

class EditorConnection;

/** The program page: the program a channel plays, its mix controls and the controls of
    the MIDI controllers its FX parameter lists name, with the program chooser over it
    while that is open. Programs of the organ mode (TW7) get drawbars and the organ
    switches instead of the generic grid.

    The page never talks to the ports: a program choice goes to the ProgramPageListeners
    (the main window) as an EditEvent, each control follows its slot
    through its SlotAttachment, which sends the user's changes with setSlotFromEditor.
    "WRITE" under the program display asks the main window for the write dialog of the
    shown program (EditEvent code 20, object type 138 in the slot field, the program as
    value). A click on an effect chain field (insert, Aux 1 FX, Aux 2 FX) asks for the
    FX chain selector of that field (code 12, the FX chain's object type 156 as
    sub-kind, the program row 0, 3 or 6 in the slot field, the chain as value); the
    column of ProgramPageButtons asks for the channel's parameter table (code 16) and
    for the object selectors (code 12 with the selector's object type as sub-kind).
    Message thread only. */
class ProgramPage : public juce::Component,
                    public ParameterControlListener,
                    private juce::ChangeListener,
                    private KitButtonListener,
                    private EditorConnection::SlotListener
{
public:
    static constexpr char pageCode = 'z';
    static constexpr int maxControls = 50;
    static constexpr int organLayoutCode = 99;
    static constexpr int refreshDelayMs = 50;
    static constexpr int programParameter = ProgramChooser::programParameter;

    // Styles of the controller style table.
    static constexpr int switchStyle = ParameterControl::twoStateButton;
    static constexpr int knobStyle = ParameterControl::knob;

    explicit ProgramPage (EditorConnection& connection);
    ~ProgramPage() override;

    /** Shows the page for a channel in the given page area and makes it the current
        page; an open chooser is opened again at the page's size. */
    void open (int channel, int x, int y, int width, int height);
    /** Moves the page out of sight (the main window's other pages take over). */
    void hidePage();

    /** Rebuilds the page for the channel's program; nothing unless channel is the
        current channel. */
    void showProgram (int channel, int program);
    /** Shows a slot's new value in every control bound to it; the current channel's
        program slot schedules a rebuild 50 ms later (another channel's does not). */
    void showValue (int slot, int value);
    /** Stores (channel, program) as the pending rebuild and restarts the 50 ms timer. */
    void restartRefresh (int channel, int program);
    /** What the 50 ms timer does: stops it and rebuilds for the pending program. */
    void refreshNow();

    ObjectList& getProgramList() noexcept { return chooser->getList(); }
    ProgramChooser& getChooser() noexcept { return *chooser; }
    ObjectDisplay& getDisplay() noexcept { return *display; }
    KitLabel& getStatusLine() noexcept { return *statusLine; }
    KitButton& getWriteButton() noexcept { return *writeButton; }
    ProgramPageButtons& getPageButtons() noexcept { return *pageButtons; }

    void addListener (ProgramPageListener* listener);
    void removeListener (ProgramPageListener* listener);

    int getChannel() const noexcept { return channel; }
    int getProgram() const noexcept { return program; }
    bool isChooserOpen() const noexcept { return chooserOpen; }
    void openChooser();
    void closeChooser();

    int getControlCount() const noexcept { return controlCount; }
    /** Control i of those in use, or nullptr. */
    ParameterControl* getControl (int i) const noexcept;
    /** The control in use bound to slot, or nullptr. */
    ParameterControl* findControl (int slot) const noexcept;
    /** 99 for the organ layout, otherwise the program's main category. */
    int getLayoutCode() const noexcept { return layoutCode; }
    /** The layout code the background picture was last drawn for (-1: never). */
    int getBackgroundLayoutCode() const noexcept { return backgroundLayoutCode; }
    /** Times the background picture has been drawn. */
    int getBackgroundDrawCount() const noexcept { return backgroundDraws; }
    bool isRefreshPending() const;

    /** The status line's text for a control's slot: the label of a program row, or
        "Ch <n>  CC <controller>  <label>" for a controller. */
    juce::String describeSlot (int slot) const;

    // ParameterControlListener: events of the parameter controls.
    void controlEvent (ParameterControl* control, juce::uint64 event) override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    struct Place
    {
        int x, y, width, height;
    };

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void buttonPressed (KitButton* button, int identifier) override;
    void post (juce::uint64 event);
    void forwardListEvents();
    void displayPressed();

    // SlotListener: a program row changed.
    void slotChanged (int slot, int value) override;

    /** Hides every control and unbinds its attachment. */
    void clearControls();
    void buildStandardLayout();
    void buildOrganLayout();
    /** Binds the next free control; false when all 50 are in use. */
    bool addControl (const juce::String& name, int slot, Place place, int minimum, int maximum, int style);
    void addHeaderControls (const Place (&places)[7]);
    void addControllers (const std::vector<Place>& grid, bool organ);
    juce::String controllerName (int slot) const;
    /** The attachment of one of the controls in use, or nullptr. */
    SlotAttachment* findAttachment (const ParameterControl* control) const noexcept;
    void updateBackground();

    EditorConnection& connection;
    std::unique_ptr<ProgramChooser> chooser;
    std::unique_ptr<ObjectDisplay> display;
    std::unique_ptr<KitLabel> statusLine;
    std::unique_ptr<KitButton> writeButton;
    std::unique_ptr<ProgramPageButtons> pageButtons;
    std::array<std::unique_ptr<ParameterControl>, maxControls> controls;
    // Control i's link to its slot; made after the controls, so gone before them.
    std::array<std::unique_ptr<SlotAttachment>, maxControls> attachments;
    std::array<int, maxControls> placeX {}, placeY {}, placeWidth {}, placeHeight {};
    std::array<juce::uint8, 128> controllerStyles {};

    int channel = 0;
    int program = 0;
    int controlCount = 0;
    int layoutCode = 0;
    int backgroundLayoutCode = -1;
    int backgroundDraws = 0;
    float backgroundScale = 1.0f;   // device pixels per page pixel where the page was last drawn
    juce::Image background;

    int pendingChannel = 0, pendingProgram = 0;
    std::unique_ptr<OneShotTimer> refreshTimer;
    bool chooserOpen = false;

    std::mutex listenerLock;
    juce::Array<ProgramPageListener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgramPage)
};

} // namespace zd8
