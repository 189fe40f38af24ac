#include "editor/shell/WriteDialog.h"

#include "editor/kit/EditEvent.h"
#include "editor/kit/Palette.h"
#include "model/Categories.h"
#include "model/InstrumentImage.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    const juce::Colour backdrop (Palette::pageFill);
    const juce::Colour panelFill (Palette::dialogPanelFill);
    const juce::Colour panelOutline (Palette::dialogPanelOutline);
    const juce::Colour textColour (Palette::textLabel);
    const juce::Colour dimText (Palette::dialogDimText);
    const juce::Colour valueText (Palette::programPageStatus);
    const juce::Colour fieldFill (Palette::midiSetupPanelBoxFill);
    const juce::Colour fieldOutline (Palette::midiSetupPanelBoxOutline);
    const juce::Colour focusOutline (Palette::dialogAccent);

    constexpr float panelCornerRadius = 10.0f;
    constexpr float panelOutlineWidth = 3.0f;
    constexpr float titleSize = 16.0f;
    constexpr float textSize = 13.0f;
    constexpr float buttonTextSize = 12.0f;

    // Panel coordinates.
    const juce::Rectangle<int> titleArea (20, 14, 440, 22);
    const juce::Rectangle<int> sourceArea (20, 38, 440, 16);
    const juce::Rectangle<int> destinationLabelArea (20, 70, 90, 22);
    const juce::Rectangle<int> destinationFieldArea (120, 70, 70, 22);
    const juce::Rectangle<int> destinationInfoArea (200, 70, 260, 22);
    const juce::Rectangle<int> nameLabelArea (20, 104, 90, 22);
    const juce::Rectangle<int> nameBoxArea (120, 104, 170, 22);
    const juce::Rectangle<int> renameArea (300, 104, 80, 22);
    const juce::Rectangle<int> mainCategoryArea (20, 140, 120, 22);
    const juce::Rectangle<int> mainCategoryTextArea (150, 140, 300, 22);
    const juce::Rectangle<int> subCategoryArea (20, 170, 120, 22);
    const juce::Rectangle<int> subCategoryTextArea (150, 170, 300, 22);
    const juce::Point<int> readBackAt (20, 210);
    const juce::Rectangle<int> statusArea (20, 358, 440, 18);
    const juce::Rectangle<int> cancelArea (292, 394, 80, 24);
    const juce::Rectangle<int> writeArea (380, 394, 80, 24);
    const juce::Rectangle<int> nameOnlyArea (150, 398, 130, 16);
    const juce::Point<int> renameAt (90, 96);

    constexpr int idDigits = 5;
    constexpr int highestId = 16383;

    constexpr int panelMargin = 20;

    juce::Font arial (float size, bool bold = false)
    {
        return juce::Font ("Arial", size, bold ? juce::Font::bold : juce::Font::plain);
    }

    bool isMultiType (int objectType) noexcept
    {
        return objectType == WriteDialog::multiObjectType || objectType == ObjectStore::typeMulti;
    }

    const juce::String cancelText ("CANCEL");
    const juce::String closeText ("CLOSE");
}

WriteDialog::WriteDialog (EditorConnection& c, int type, int channel, int sourceId)
    : connection (c),
      objectType (type),
      model (c.getTransfers(), isMultiType (type) ? ObjectStore::typeMulti : ObjectStore::typeProgram, channel, sourceId),
      writeButton ("WRITE", writeIdentifier, 0, buttonTextSize),
      cancelButton (cancelText, cancelIdentifier, 0, buttonTextSize),
      renameButton ("RENAME", renameIdentifier, 0, buttonTextSize),
      mainCategoryButton ("Main  Category", mainCategoryIdentifier, 0, buttonTextSize),
      subCategoryButton ("Sub  Category", subCategoryIdentifier, 0, buttonTextSize),
      nameOnlyBox ("Name only", buttonTextSize)
{
    const bool multi = isWritingMulti();

    {
        const auto& image = connection.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        const auto* store = image.storeFor (model.getTypeCode());
        const auto sourceName = store != nullptr ? store->recordName (sourceId).trimEnd() : juce::String();
        sourceText = "From: ID# " + juce::String (sourceId) + "  " + sourceName;
        if (! multi)
        {
            sourceText << "  (channel " << (model.getChannel() + 1) << ")";
            if (store != nullptr && store->isPresent (sourceId))
                subCategoryText = Categories::subCategoryName (model.getMainCategory(),
                                                               store->byteAt (sourceId, store->getSubCategoryOffset()));
        }
    }
    mainCategoryText = WriteTransfer::mainCategoryMenu()[model.getMainCategory()];

    destinationField.setFont (arial (textSize));
    destinationField.setJustification (juce::Justification::centredTop);
    destinationField.setInputRestrictions (idDigits, "0123456789");
    destinationField.setColour (juce::TextEditor::backgroundColourId, fieldFill);
    destinationField.setColour (juce::TextEditor::textColourId, textColour);
    destinationField.setColour (juce::TextEditor::outlineColourId, fieldOutline);
    destinationField.setColour (juce::TextEditor::focusedOutlineColourId, focusOutline);
    destinationField.setIndents (4, 3);
    destinationField.setText (juce::String (model.getDestination()), false);
    destinationField.onTextChange = [this] { setDestination (destinationField.getText().getIntValue()); };
    addAndMakeVisible (destinationField);
    addChildComponent (nameOnlyBox);
    updateDestinationInfo();

    // Placed by resized().
    for (auto* b : { &writeButton, &cancelButton, &renameButton, &mainCategoryButton, &subCategoryButton })
    {
        b->addListener (this);
        addAndMakeVisible (*b);
    }
    // Categories belong to programs.
    mainCategoryButton.setVisible (! multi);
    subCategoryButton.setVisible (! multi);

    renameEditor.onOk = [this] (const juce::String& text) { finishRename (text); };
    renameEditor.onCancel = [this] { closeRename(); };
    addChildComponent (renameEditor);

    model.addChangeListener (this);
    status = "Choose the destination ID and press WRITE.";
}

WriteDialog::~WriteDialog()
{
    cancelPendingUpdate();
    model.removeChangeListener (this);
    if (auto* readBack = model.getReadBack())
    {
        readBack->removeChangeListener (this);
        readBack->onDismissed = nullptr;
    }
    for (auto* b : { &writeButton, &cancelButton, &renameButton, &mainCategoryButton, &subCategoryButton })
        b->removeListener (this);
}

//==============================================================================
void WriteDialog::buttonPressed (KitButton* button, int identifier)
{
    switch (identifier)
    {
        case writeIdentifier: pressWrite(); break;
        case cancelIdentifier: pressCancel(); break;
        case renameIdentifier: pressRename(); break;
        case mainCategoryIdentifier: showMenu (makeMainCategoryMenu(), *button, true); break;
        case subCategoryIdentifier: showMenu (makeSubCategoryMenu(), *button, false); break;
        default: break;
    }
}

void WriteDialog::pressWrite()
{
    if (isRenaming())
        return;
    // One write at a time: the read-back of the last one must have ended.
    if (written && cancelButton.getText() != closeText)
        return;

    const int id = destinationField.getText().getIntValue();
    if (id < 1 || id > highestId)
    {
        setStatus ("Choose a destination ID from 1 to " + juce::String (highestId) + ".");
        return;
    }
    model.setDestination (id);
    // Read at the press: the box is only shown while the destination holds this
    // program's data under another name.
    updateNameOnlyOffer();
    model.setNameChangeOnly (nameOnlyBox.isVisible() && nameOnlyBox.isChecked());
    model.write();
    written = true;
    cancelButton.setText (cancelText);
    setStatus ("Writing " + model.getName().trimEnd() + " to ID# " + juce::String (id) + "...");
}

void WriteDialog::pressCancel()
{
    closeRename();
    // The model stops a pending read-back and calls back onClose; closing is the
    // owner's work, after this call has returned.
    model.onClose = [this] { post (written ? EditEvent::writeDone : EditEvent::closePage); };
    model.cancel();
}

void WriteDialog::post (int code)
{
    if (onEvent)
        onEvent (EditEvent::make (code, objectType, 0, model.getChannel(), model.getDestination()));
}

//==============================================================================
void WriteDialog::pressRename()
{
    renameEditor.setVisible (true);
    renameEditor.toFront (false);
    renameEditor.edit (model.getName());
}

void WriteDialog::finishRename (const juce::String& newName)
{
    model.rename (newName);
    closeRename();
    repaint();
}

void WriteDialog::closeRename()
{
    renameEditor.setVisible (false);
}

//==============================================================================
void WriteDialog::setDestination (int id)
{
    model.setDestination (id);
    updateDestinationInfo();
}

void WriteDialog::updateDestinationInfo()
{
    const int id = model.getDestination();
    juce::String info;
    {
        const auto& image = connection.getImage();
        const juce::ScopedReadLock sl (image.getStoreLock());
        if (const auto* store = image.storeFor (model.getTypeCode()))
        {
            if (store->isPresent (id))
                info = "replaces  " + store->recordName (id).trimEnd();
            else if (id >= WriteTransfer::firstUserId && id <= WriteTransfer::lastUserId)
                info = "empty user slot";
            else
                info = "empty slot";
        }
    }
    if (id < 1)
        info = {};
    if (info != destinationInfo)
    {
        destinationInfo = info;
        repaint();
    }
    updateNameOnlyOffer();
}

void WriteDialog::updateNameOnlyOffer()
{
    const bool offered = model.differsOnlyByName();
    if (! offered)
        nameOnlyBox.setChecked (false);   // a later offer starts unchecked again
    nameOnlyBox.setVisible (offered);
}

//==============================================================================
juce::PopupMenu WriteDialog::makeMainCategoryMenu()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&look.get());
    const auto items = WriteTransfer::mainCategoryMenu();
    for (int i = 0; i < items.size(); ++i)
        menu.addItem (i + 1, items[i], true, i == model.getMainCategory());
    return menu;
}

juce::PopupMenu WriteDialog::makeSubCategoryMenu()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&look.get());
    const auto items = model.subCategoryMenu();
    for (int i = 0; i < items.size(); ++i)
        menu.addItem (i + 1, items[i].isNotEmpty() ? items[i] : juce::String (i), true, items[i] == subCategoryText);
    return menu;
}

void WriteDialog::showMenu (juce::PopupMenu menu, KitButton& button, bool main)
{
    const juce::Component::SafePointer<WriteDialog> view (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&button),
                        [view, main] (int result) {
                            if (view == nullptr || result <= 0)
                                return;   // dismissed, or the dialog went away meanwhile
                            if (main)
                                view->chooseMainCategory (result - 1);
                            else
                                view->chooseSubCategory (result - 1);
                        });
}

void WriteDialog::chooseMainCategory (int choice)
{
    if (isWritingMulti() || ! juce::isPositiveAndBelow (choice, WriteTransfer::menuSize))
        return;
    model.chooseMainCategory (choice);
    mainCategoryText = WriteTransfer::mainCategoryMenu()[choice];
    // The sub-category list belongs to the main category: the old choice means nothing now.
    subCategoryText = {};
    repaint();
}

void WriteDialog::chooseSubCategory (int choice)
{
    if (isWritingMulti() || ! juce::isPositiveAndBelow (choice, WriteTransfer::menuSize))
        return;
    model.chooseSubCategory (choice);
    subCategoryText = model.subCategoryMenu()[choice];
    if (subCategoryText.isEmpty())
        subCategoryText = juce::String (choice);
    repaint();
}

//==============================================================================
void WriteDialog::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &model)
    {
        attachReadBack();
        repaint();
    }
    else
    {
        followReadBack();
    }
}

void WriteDialog::attachReadBack()
{
    auto* readBack = model.getReadBack();
    if (readBack == nullptr)
        return;

    if (! readBackAttached)
    {
        readBackAttached = true;
        readBack->addChangeListener (this);
        readBack->onDismissed = [this] {
            readBackDismissed = true;
            triggerAsyncUpdate();
        };
    }
    if (readBackView == nullptr && readBack->getState() != ReceiveTransfer::State::dismissed)
    {
        readBackView = std::make_unique<ReceiveProgress> (*readBack);
        readBackView->setTopLeftPosition (inPanel ({ readBackAt.x, readBackAt.y, 0, 0 }).getPosition());
        // The dialog's own CANCEL stops the read-back too; one CANCEL is enough.
        readBackView->getCancelButton().setVisible (false);
        addAndMakeVisible (*readBackView);
        if (isRenaming())
            renameEditor.toFront (false);
    }
    followReadBack();
}

void WriteDialog::followReadBack()
{
    auto* readBack = model.getReadBack();
    if (readBack == nullptr)
        return;

    const auto id = juce::String (model.getDestination());
    switch (readBack->getState())
    {
        case ReceiveTransfer::State::running:
            setStatus ("Reading ID# " + id + " back...");
            break;
        case ReceiveTransfer::State::open:
            setStatus ("Written to ID# " + id + " and read back.");
            cancelButton.setText (closeText);
            updateDestinationInfo();
            break;
        case ReceiveTransfer::State::noAnswer:
            setStatus (readBack->getProgressLine());
            cancelButton.setText (closeText);
            break;
        case ReceiveTransfer::State::cancelling:
        case ReceiveTransfer::State::dismissed:
            setStatus ("Read-back cancelled; ID# " + id + " was written.");
            cancelButton.setText (closeText);
            break;
        case ReceiveTransfer::State::closed:
            break;
    }
}

void WriteDialog::handleAsyncUpdate()
{
    if (! readBackDismissed)
        return;
    readBackDismissed = false;
    readBackView.reset();
    followReadBack();
    repaint();
}

void WriteDialog::setStatus (const juce::String& text)
{
    if (text == status)
        return;
    status = text;
    repaint();
}

//==============================================================================
juce::Rectangle<int> WriteDialog::getPanelBounds() const noexcept
{
    const int x = juce::jmax (panelMargin, (getWidth() - panelWidth) / 2);
    const int y = juce::jmax (panelMargin, (getHeight() - panelHeight) / 3);
    return { x, y, panelWidth, panelHeight };
}

juce::Rectangle<int> WriteDialog::inPanel (juce::Rectangle<int> r) const noexcept
{
    return r + getPanelBounds().getPosition();
}

void WriteDialog::resized()
{
    destinationField.setBounds (inPanel (destinationFieldArea));
    nameOnlyBox.setBounds (inPanel (nameOnlyArea));
    const std::pair<KitButton*, juce::Rectangle<int>> buttons[] = {
        { &writeButton, writeArea },
        { &cancelButton, cancelArea },
        { &renameButton, renameArea },
        { &mainCategoryButton, mainCategoryArea },
        { &subCategoryButton, subCategoryArea },
    };
    for (auto& [button, area] : buttons)
        button->setBounds (inPanel (area));
    renameEditor.setTopLeftPosition (inPanel ({ renameAt.x, renameAt.y, 0, 0 }).getPosition());
    if (readBackView != nullptr)
        readBackView->setTopLeftPosition (inPanel ({ readBackAt.x, readBackAt.y, 0, 0 }).getPosition());
}

void WriteDialog::paint (juce::Graphics& g)
{
    g.fillAll (backdrop);

    const auto panel = getPanelBounds().toFloat();
    g.setColour (panelFill);
    g.fillRoundedRectangle (panel, panelCornerRadius);
    g.setColour (panelOutline);
    g.drawRoundedRectangle (panel.reduced (panelOutlineWidth * 0.5f), panelCornerRadius, panelOutlineWidth);

    g.setColour (textColour);
    g.setFont (arial (titleSize, true));
    g.drawText (isWritingMulti() ? "Write Multi" : "Write Program", inPanel (titleArea), juce::Justification::centredLeft, true);

    g.setFont (arial (textSize));
    g.setColour (dimText);
    g.drawText (sourceText, inPanel (sourceArea), juce::Justification::centredLeft, true);
    g.drawText (destinationInfo, inPanel (destinationInfoArea), juce::Justification::centredLeft, true);

    g.setColour (textColour);
    g.drawText ("Destination:", inPanel (destinationLabelArea), juce::Justification::centredLeft, false);
    g.drawText ("Name:", inPanel (nameLabelArea), juce::Justification::centredLeft, false);

    const auto nameBox = inPanel (nameBoxArea);
    g.setColour (fieldFill);
    g.fillRect (nameBox);
    g.setColour (fieldOutline);
    g.drawRect (nameBox, 1);
    g.setColour (textColour);
    g.drawText (model.getName().trimEnd(), nameBox.reduced (6, 0), juce::Justification::centredLeft, true);

    if (! isWritingMulti())
    {
        g.setColour (valueText);
        g.drawText (mainCategoryText, inPanel (mainCategoryTextArea), juce::Justification::centredLeft, true);
        g.drawText (subCategoryText, inPanel (subCategoryTextArea), juce::Justification::centredLeft, true);
    }

    g.setColour (textColour);
    g.drawText (status, inPanel (statusArea), juce::Justification::centredLeft, true);
}

} // namespace zd8
