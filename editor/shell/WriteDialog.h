#pragma once

#include "editor/kit/ZD8LookAndFeel.h"
#include "editor/kit/KitButton.h"
#include "editor/kit/CheckButton.h"
#include "editor/shell/ReceiveProgress.h"
#include "editor/shell/RenameDialog.h"
#include "editor/kit/KitButtonListener.h"
#include "transfer/WriteTransfer.h"
#include "model/ObjectStore.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace zd8
{

class EditorConnection;

/** The write dialog: stores the edited program (or multi) on the instrument under a
    destination ID and reads it back. It shows where the object comes from, the
    destination (first empty user slot to begin with) and what that slot holds now,
    the 16-character name with "RENAME" (through RenameDialog), the category menus of a
    program ("Main  Category", "Sub  Category", sent at once), "WRITE" and "CANCEL",
    beside them the check box "Name only" while the program differs from what the
    destination holds only by its name (checked, WRITE sends the name message alone),
    the read-back's progress widget once it starts, and a status line.

    The dialog reports to its owner through onEvent with EditEvent words: code 13
    when it closes without having written, code 26 when it closes after a write (the
    owner then shows the mode of what was written). After a write has run its course
    "CANCEL" reads "CLOSE". Message thread only. */
class WriteDialog : public juce::Component,
                     public juce::AsyncUpdater,
                     private juce::ChangeListener,
                     private KitButtonListener
{
public:
    // Object type that the parameter table uses for a multi; 155 is taken as a multi too.
    static constexpr int multiObjectType = 114;

    static constexpr int writeIdentifier = 1;
    static constexpr int cancelIdentifier = 2;
    static constexpr int renameIdentifier = 3;
    static constexpr int mainCategoryIdentifier = 4;
    static constexpr int subCategoryIdentifier = 5;

    // The panel the dialog draws its controls on, centred across the dialog and a
    // little above the middle.
    static constexpr int panelWidth = 480, panelHeight = 436;

    /** objectType: 114 or 155 for a multi, anything else a program; channel the
        edited program's channel slot 0..15; sourceId the store entry written. */
    WriteDialog (EditorConnection& connection, int objectType, int channel, int sourceId);
    ~WriteDialog() override;

    WriteTransfer& getModel() noexcept { return model; }
    bool isWritingMulti() const noexcept { return model.getTypeCode() == ObjectStore::typeMulti; }
    int getObjectType() const noexcept { return objectType; }
    /** true once WRITE has sent something. */
    bool hasWritten() const noexcept { return written; }

    std::function<void (juce::uint64)> onEvent;

    //==============================================================================
    // What the controls do.
    void pressWrite();
    void pressCancel();
    /** RENAME: shows the name entry over the dialog. */
    void pressRename();
    /** A destination typed into the ID field (the field calls this on every change). */
    void setDestination (int id);
    /** Menu choices (0-based); the menus call these. */
    void chooseMainCategory (int choice);
    void chooseSubCategory (int choice);
    /** The pop-up menus' contents: one item per category (item ID choice + 1), the
        current choice ticked. */
    juce::PopupMenu makeMainCategoryMenu();
    juce::PopupMenu makeSubCategoryMenu();

    //==============================================================================
    RenameDialog& getRenameEditor() noexcept { return renameEditor; }
    bool isRenaming() const noexcept { return renameEditor.isVisible(); }
    ReceiveProgress* getReadBackView() noexcept { return readBackView.get(); }
    juce::TextEditor& getDestinationField() noexcept { return destinationField; }
    KitButton& getWriteButton() noexcept { return writeButton; }
    KitButton& getCancelButton() noexcept { return cancelButton; }
    KitButton& getRenameButton() noexcept { return renameButton; }
    KitButton& getMainCategoryButton() noexcept { return mainCategoryButton; }
    KitButton& getSubCategoryButton() noexcept { return subCategoryButton; }
    /** Shown only while a name-only write is possible; starts unchecked. */
    CheckButton& getNameOnlyBox() noexcept { return nameOnlyBox; }
    const juce::String& getStatus() const noexcept { return status; }
    const juce::String& getMainCategoryText() const noexcept { return mainCategoryText; }
    const juce::String& getSubCategoryText() const noexcept { return subCategoryText; }
    /** What the destination slot holds now: "empty user slot" or "replaces <name>". */
    const juce::String& getDestinationInfo() const noexcept { return destinationInfo; }

    juce::Rectangle<int> getPanelBounds() const noexcept;

    void paint (juce::Graphics&) override;
    void resized() override;
    /** Deletes a read-back widget whose CANCEL is done. */
    void handleAsyncUpdate() override;

private:
    void buttonPressed (KitButton* button, int identifier) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void attachReadBack();
    void followReadBack();
    void finishRename (const juce::String& newName);
    void closeRename();
    void showMenu (juce::PopupMenu menu, KitButton& button, bool main);
    void updateDestinationInfo();
    void updateNameOnlyOffer();
    void setStatus (const juce::String& text);
    void post (int code);
    /** A rectangle given in panel coordinates, in the dialog's. */
    juce::Rectangle<int> inPanel (juce::Rectangle<int> r) const noexcept;

    EditorConnection& connection;
    const int objectType;
    WriteTransfer model;
    juce::String sourceText, mainCategoryText, subCategoryText, destinationInfo, status;
    bool written = false, readBackAttached = false, readBackDismissed = false;

    juce::TextEditor destinationField;
    KitButton writeButton, cancelButton, renameButton, mainCategoryButton, subCategoryButton;
    CheckButton nameOnlyBox;
    std::unique_ptr<ReceiveProgress> readBackView;
    RenameDialog renameEditor;

    juce::SharedResourcePointer<ZD8LookAndFeel> look;   // the black pop-up menus

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WriteDialog)
};

} // namespace zd8
