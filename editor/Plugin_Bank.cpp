#include "editor/Plugin_Bank.h"

#include "arrangements/ArrangementFiles.h"
#include "plugin/VantorAudioProcessor.h"

namespace zd8
{

namespace
{
    constexpr int buttonWidth = 100, buttonHeight = 34, buttonsFromRight = 120;
    constexpr int listX = 20, listY = 10, previewGap = 10;
    const char* const emptySlotMark = "---";
}

Plugin_Bank::Plugin_Bank (VantorAudioProcessor& p, FileMan::Chooser c)
    : processor (p),
      chooser (std::move (c)),
      list ([this] (int slot) { return shownName (slot); }),
      preview (p, previewWidth)
{
    const std::pair<int, const char*> labels[] = {
        { loadBankButton, "LOAD BANK" }, { saveBankButton, "SAVE BANK" },
        { loadPresetButton, "LOAD PRESET" }, { savePresetButton, "SAVE PRESET" },
        { setCurrentButton, "SET CURRENT" }, { renameButton, "RENAME" }, { applyButton, "APPLY" },
    };
    for (const auto& [id, label] : labels)
    {
        auto b = std::make_unique<LibBut> (label, id);
        b->addListener (this);
        addChildComponent (*b);
        buttons[id] = std::move (b);
    }

    list.onSelect = [this] { rowSelected(); };
    list.reset (PlugBank::numSlots);
    addAndMakeVisible (list);
    addChildComponent (preview);

    setSize (500, 600);
    refreshButtons();
}

Plugin_Bank::~Plugin_Bank() = default;

juce::String Plugin_Bank::shownName (int slot) const
{
    return processor.getHub().getBank().getName (slot).trimEnd();
}

void Plugin_Bank::refreshButtons()
{
    const bool hasRows = list.getCount() > 0;
    const bool hasSelection = list.getSelectedEntry() >= 0;
    buttons[loadBankButton]->setVisible (true);
    buttons[saveBankButton]->setVisible (hasRows);
    for (int id : { applyButton, renameButton, setCurrentButton, loadPresetButton, savePresetButton })
        buttons[id]->setVisible (hasSelection);
    preview.clear();
}

void Plugin_Bank::resized()
{
    const int x = getWidth() - buttonsFromRight;
    const int h = getHeight();
    const std::pair<int, int> places[] = {
        { loadBankButton, 10 }, { saveBankButton, 50 }, { loadPresetButton, 90 }, { savePresetButton, 130 },
        { setCurrentButton, h - 180 }, { renameButton, h - 140 }, { applyButton, h - 80 },
    };
    for (const auto& [id, y] : places)
        buttons[id]->setBounds (x, y, buttonWidth, buttonHeight);

    const int listHeight = (h - 20) / StsFile::rowHeight * StsFile::rowHeight;
    list.setBounds (listX, listY, StsFile::listWidth, juce::jmax (StsFile::rowHeight, listHeight));
    preview.setBounds (list.getRight() + previewGap, listY, previewWidth, juce::jmin (LibPreview::height, h - listY));
    if (overlay != nullptr && overlay->isVisible())
        overlay->setBounds (getLocalBounds());
}

void Plugin_Bank::rowSelected()
{
    refreshButtons();
    showPreview();
}

void Plugin_Bank::showPreview()
{
    const int slot = list.getSelectedEntry();
    if (slot < 0)
        return;
    preview.showRecord (list.getShownName (list.getSelectedRow()), processor.getHub().getBank().getRecord (slot));
}

TextInputCont& Plugin_Bank::ask (int question, const juce::String& title, const juce::String& text)
{
    if (overlay == nullptr)
    {
        overlay = std::make_unique<TextInputCont>();
        overlay->addListener (this);
        addChildComponent (*overlay);
    }
    overlay->ask (question, title, true, text, "OK", "CANCEL");
    return *overlay;
}

void Plugin_Bank::chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action)
{
    fileMan = std::make_unique<FileMan> (chooser);
    auto* man = fileMan.get();
    man->choose (mode, kind, suggested, [man, action = std::move (action)] (bool chosen)
    {
        if (chosen)
            action (man->getFile());
    });
}

void Plugin_Bank::libButtonPressed (LibBut*, int identifier)
{
    auto& bank = processor.getHub().getBank();
    const int slot = list.getSelectedEntry();
    juce::Component::SafePointer<Plugin_Bank> self (this);

    switch (identifier)
    {
        case loadBankButton:
            chooseFile (FileMan::openMode, FileMan::loadArrangementBank, {}, [self, &bank] (const juce::File& f)
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
            chooseFile (FileMan::saveMode, FileMan::saveArrangementBank, untitled, [self, &bank] (const juce::File& f)
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
            processor.recallArrangement (slot);
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
            chooseFile (FileMan::openMode, FileMan::loadVstProgram, {}, [self, &bank, slot] (const juce::File& f)
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
            chooseFile (FileMan::saveMode, FileMan::saveVstProgram, bank.getName (slot).trim(), [self, &bank, slot] (const juce::File& f)
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

void Plugin_Bank::textAnswer (int question, int button)
{
    overlay->hideOverlay();
    if (button != TextInputCont::okButton)
        return;

    auto& bank = processor.getHub().getBank();
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
        const auto record = bank.captureRecord (processor.getHub().getParameters(), name, slot);
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
