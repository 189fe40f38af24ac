#include "editor/library/BankPanel.h"

#include "arrangements/ArrangementFiles.h"
#include "arrangements/ArrangementBank.h"
#include "model/ParameterTable.h"
#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int buttonWidth = 100, buttonHeight = 34, buttonsFromRight = 120;
    constexpr int listX = 20, listY = 10, previewGap = 10;
    const char* const emptySlotMark = "---";
}

BankPanel::BankPanel (EditorConnection& e, FileDialogs::Chooser c)
    : connection (e),
      chooser (std::move (c)),
      list ([this] (int slot) { return shownName (slot); }),
      preview (e, previewWidth)
{
    const std::pair<int, const char*> labels[] = {
        { loadBankButton, "LOAD BANK" }, { saveBankButton, "SAVE BANK" },
        { loadPresetButton, "LOAD PRESET" }, { savePresetButton, "SAVE PRESET" },
        { setCurrentButton, "SET CURRENT" }, { renameButton, "RENAME" }, { applyButton, "APPLY" },
    };
    for (const auto& [id, label] : labels)
    {
        auto b = std::make_unique<LibraryButton> (label, id);
        b->addListener (this);
        addChildComponent (*b);
        buttons[id] = std::move (b);
    }

    list.onSelect = [this] { rowSelected(); };
    list.reset (ArrangementBank::numSlots);
    addAndMakeVisible (list);
    addChildComponent (preview);

    setSize (500, 600);
    refreshButtons();
}

BankPanel::~BankPanel() = default;

juce::String BankPanel::shownName (int slot) const
{
    return connection.getArrangements().getName (slot).trimEnd();
}

void BankPanel::refreshButtons()
{
    const bool hasRows = list.getCount() > 0;
    const bool hasSelection = list.getSelectedEntry() >= 0;
    buttons[loadBankButton]->setVisible (true);
    buttons[saveBankButton]->setVisible (hasRows);
    for (int id : { applyButton, renameButton, setCurrentButton, loadPresetButton, savePresetButton })
        buttons[id]->setVisible (hasSelection);
    preview.clear();
}

void BankPanel::resized()
{
    const int x = getWidth() - buttonsFromRight;
    const int h = getHeight();
    const std::pair<int, int> places[] = {
        { loadBankButton, 10 }, { saveBankButton, 50 }, { loadPresetButton, 90 }, { savePresetButton, 130 },
        { setCurrentButton, h - 180 }, { renameButton, h - 140 }, { applyButton, h - 80 },
    };
    for (const auto& [id, y] : places)
        buttons[id]->setBounds (x, y, buttonWidth, buttonHeight);

    const int listHeight = (h - 20) / NameList::rowHeight * NameList::rowHeight;
    list.setBounds (listX, listY, NameList::listWidth, juce::jmax (NameList::rowHeight, listHeight));
    preview.setBounds (list.getRight() + previewGap, listY, previewWidth, juce::jmin (ArrangementPreview::height, h - listY));
    if (overlay != nullptr && overlay->isVisible())
        overlay->setBounds (getLocalBounds());
}

void BankPanel::rowSelected()
{
    refreshButtons();
    showPreview();
}

void BankPanel::showPreview()
{
    const int slot = list.getSelectedEntry();
    if (slot < 0)
        return;
    preview.showRecord (list.getShownName (list.getSelectedRow()), connection.getArrangements().getRecord (slot));
}

TextEntryOverlay& BankPanel::ask (int question, const juce::String& title, const juce::String& text)
{
    if (overlay == nullptr)
    {
        overlay = std::make_unique<TextEntryOverlay>();
        overlay->addListener (this);
        addChildComponent (*overlay);
    }
    overlay->ask (question, title, true, text, "OK", "CANCEL");
    return *overlay;
}

void BankPanel::chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action)
{
    fileDialogs = std::make_unique<FileDialogs> (chooser);
    auto* man = fileDialogs.get();
    man->choose (mode, kind, suggested, [man, action = std::move (action)] (bool chosen)
    {
        if (chosen)
            action (man->getFile());
    });
}

void BankPanel::libButtonPressed (LibraryButton*, int identifier)
{
    auto& bank = connection.getArrangements();
    const int slot = list.getSelectedEntry();
    juce::Component::SafePointer<BankPanel> self (this);

    switch (identifier)
    {
        case loadBankButton:
            chooseFile (FileDialogs::openMode, FileDialogs::loadArrangementBank, {}, [self, &bank] (const juce::File& f)
            {
                if (self == nullptr)
                    return;
                ArrangementFiles::loadBankFile (f, bank);
                self->modified = false;
                self->list.repaint();
                self->refreshButtons();
            });
            break;

        case saveBankButton:
            chooseFile (FileDialogs::saveMode, FileDialogs::saveArrangementBank, untitled, [self, &bank] (const juce::File& f)
            {
                if (self == nullptr)
                    return;
                ArrangementFiles::saveBankFile (f, bank);
                self->modified = false;
                self->refreshButtons();
            });
            break;

        case applyButton:
            if (slot < 0)
                return;
            connection.recallArrangement (slot);
            refreshButtons();
            break;

        case renameButton:
            if (slot < 0)
                return;
            ask (renameButton, "Rename " + list.getShownName (list.getSelectedRow()) + ":", bank.getName (slot).trim());
            break;

        case setCurrentButton:
        {
            if (slot < 0)
                return;
            const auto name = bank.getName (slot);
            const bool empty = name.startsWith (emptySlotMark) || name.isEmpty();
            ask (setCurrentButton, "Arrangement name: ", empty ? juce::String (untitled) : name);
            break;
        }

        case loadPresetButton:
            if (slot < 0)
                return;
            chooseFile (FileDialogs::openMode, FileDialogs::loadVstProgram, {}, [self, &bank, slot] (const juce::File& f)
            {
                if (self == nullptr)
                    return;
                ArrangementFiles::loadPresetFile (f, bank, slot);
                self->list.repaint();
                self->refreshButtons();
                self->showPreview();
            });
            break;

        case savePresetButton:
            if (slot < 0)
                return;
            chooseFile (FileDialogs::saveMode, FileDialogs::saveVstProgram, bank.getName (slot).trim(), [self, &bank, slot] (const juce::File& f)
            {
                if (self == nullptr)
                    return;
                ArrangementFiles::savePresetFile (f, bank, slot);
                self->refreshButtons();
            });
            break;

        default: break;
    }
}

void BankPanel::textAnswer (int question, int button)
{
    overlay->hideOverlay();
    if (button != TextEntryOverlay::okButton)
        return;

    auto& bank = connection.getArrangements();
    const int slot = list.getSelectedEntry();
    if (slot < 0)
        return;
    const auto text = overlay->getText();

    if (question == renameButton)
    {
        if (text.isNotEmpty())
            bank.setName (slot, text);
    }
    else if (question == setCurrentButton)
    {
        const auto name = text.isEmpty() ? juce::String (untitled) : text;
        const auto record = bank.captureRecord (connection.getParameters(), name, slot);
        bank.putRecord (slot, record.getData(), record.getSize());
    }
    else
    {
        return;
    }
    list.repaint();
    refreshButtons();
    showPreview();
}

} // namespace zd8
