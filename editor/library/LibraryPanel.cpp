#include "editor/library/LibraryPanel.h"

#include "plugin/EditorConnection.h"

namespace zd8
{

namespace
{
    constexpr int buttonWidth = 100, buttonHeight = 34, buttonsFromRight = 120;
    constexpr int buttonGap = 6; // least space between stacked buttons on a short panel
    constexpr int listX = 20, listY = 10, previewGap = 10;
    const char* const untitled = ArrangementLibrary::defaultEntryName;
}

LibraryPanel::LibraryPanel (EditorConnection& e, const juce::File& file, FileDialogs::Chooser c)
    : connection (e),
      libraryFile (file),
      chooser (std::move (c)),
      list ([this] (int entry) { return library.getShownName (entry); }),
      preview (e, previewWidth)
{
    const std::pair<int, const char*> labels[] = {
        { loadButton, "LOAD" }, { saveButton, "SAVE" }, { clearAllButton, "CLEAR ALL" },
        { addCurrentButton, "ADD CURRENT" }, { deleteButton, "DELETE" }, { renameButton, "RENAME" },
        { applyButton, "APPLY" },
    };
    for (const auto& [id, label] : labels)
    {
        auto b = std::make_unique<LibraryButton> (label, id);
        b->addListener (this);
        addChildComponent (*b);
        buttons[id] = std::move (b);
    }

    if (! library.loadLibraryFile (libraryFile))
        library.fillDefaults();

    list.onSelect = [this] { rowSelected(); };
    addAndMakeVisible (list);
    addChildComponent (preview);

    setSize (500, 600);
    resetList();
}

LibraryPanel::~LibraryPanel()
{
    // An empty library writes nothing: the file keeps the entries it had.
    library.saveLibraryFile (libraryFile);
}

void LibraryPanel::refreshButtons()
{
    const bool hasEntries = ! library.isEmpty();
    const bool hasSelection = list.getSelectedEntry() >= 0;
    buttons[loadButton]->setVisible (true);
    buttons[addCurrentButton]->setVisible (true);
    buttons[saveButton]->setVisible (hasEntries);
    buttons[clearAllButton]->setVisible (hasEntries);
    for (int id : { renameButton, deleteButton, applyButton })
        buttons[id]->setVisible (hasSelection);
    preview.clear();
}

void LibraryPanel::resetList()
{
    list.reset (library.getNumEntries());
    refreshButtons();
}

void LibraryPanel::resized()
{
    const int x = getWidth() - buttonsFromRight;
    const int h = getHeight();
    const std::pair<int, int> places[] = {
        { loadButton, 10 }, { saveButton, 90 }, { clearAllButton, 170 },
        { addCurrentButton, h - 360 }, { deleteButton, h - 280 }, { renameButton, h - 200 }, { applyButton, h - 100 },
    };
    // The lower group keeps its places measured from the bottom, but on a short panel
    // it moves down just enough not to cover the button above it.
    int lowest = 0;
    for (const auto& [id, y] : places)
    {
        const int top = juce::jmax (y, lowest);
        buttons[id]->setBounds (x, top, buttonWidth, buttonHeight);
        lowest = top + buttonHeight + buttonGap;
    }

    const int listHeight = (h - 20) / NameList::rowHeight * NameList::rowHeight;
    list.setBounds (listX, listY, NameList::listWidth, juce::jmax (NameList::rowHeight, listHeight));
    preview.setBounds (list.getRight() + previewGap, listY, previewWidth, juce::jmin (ArrangementPreview::height, h - listY));
    if (overlay != nullptr && overlay->isVisible())
        overlay->setBounds (getLocalBounds());
}

void LibraryPanel::rowSelected()
{
    refreshButtons();
    const int entry = list.getSelectedEntry();
    if (entry >= 0)
        preview.showRecord (list.getShownName (list.getSelectedRow()), library.getRecord (entry));
}

TextEntryOverlay& LibraryPanel::ask (int question, const juce::String& title, bool withText, const juce::String& text,
                              const juce::String& noLabel, const juce::String& okLabel)
{
    if (overlay == nullptr)
    {
        overlay = std::make_unique<TextEntryOverlay>();
        overlay->addListener (this);
        addChildComponent (*overlay);
    }
    overlay->ask (question, title, withText, text, okLabel, "CANCEL", noLabel);
    return *overlay;
}

void LibraryPanel::chooseFile (int mode, int kind, const juce::String& suggested, std::function<void (const juce::File&)> action)
{
    fileDialogs = std::make_unique<FileDialogs> (chooser);
    auto* man = fileDialogs.get();
    man->choose (mode, kind, suggested, [man, action = std::move (action)] (bool chosen)
    {
        if (chosen)
            action (man->getFile());
    });
}

void LibraryPanel::saveThen (std::function<void()> next)
{
    juce::Component::SafePointer<LibraryPanel> self (this);
    chooseFile (FileDialogs::saveMode, FileDialogs::saveArrangements, untitled, [self, next = std::move (next)] (const juce::File& f)
    {
        if (self == nullptr)
            return;
        self->library.saveLibraryFile (f);
        self->refreshButtons();
        if (next)
            next();
    });
}

void LibraryPanel::chooseAndLoad()
{
    juce::Component::SafePointer<LibraryPanel> self (this);
    chooseFile (FileDialogs::openMode, FileDialogs::loadArrangements, {}, [self] (const juce::File& f)
    {
        if (self != nullptr && self->library.loadLibraryFile (f))
            self->resetList();
    });
}

void LibraryPanel::clearAll()
{
    library.clear();
    resetList();
}

void LibraryPanel::libButtonPressed (LibraryButton*, int identifier)
{
    const int entry = list.getSelectedEntry();
    const auto name = list.getShownName (list.getSelectedRow());

    switch (identifier)
    {
        case loadButton:
            if (! library.isEmpty() && library.isModified())
                ask (loadButton, "Save changes?", false, {}, "NO", "YES");
            else
                chooseAndLoad();
            break;

        case saveButton:
            if (! library.isEmpty())
                saveThen ({});
            break;

        case clearAllButton:
            if (! library.isEmpty())
                ask (clearAllButton, "Save changes?", false, {}, "NO", "YES");
            break;

        case addCurrentButton:
            ask (addCurrentButton, "Arrangement name:", true, untitled);
            break;

        case deleteButton:
            if (entry >= 0)
                ask (deleteButton, "Delete " + name + " ?", false, {});
            break;

        case renameButton:
            if (entry >= 0)
                ask (renameButton, "Rename " + name + ":", true, name);
            break;

        case applyButton:
            if (entry >= 0)
            {
                // The live Arrangement only: the bank and the current slot stay.
                const auto chunk = library.getChunk (entry);
                connection.setLiveArrangement (chunk.getData(), (int) chunk.getSize());
                refreshButtons();
            }
            break;

        default: break;
    }
}

void LibraryPanel::textAnswer (int question, int button)
{
    overlay->hideOverlay();
    if (button == TextEntryOverlay::cancelButton)
        return;

    const bool yes = button == TextEntryOverlay::okButton;
    const int entry = list.getSelectedEntry();
    const auto text = overlay->getText();
    juce::Component::SafePointer<LibraryPanel> self (this);

    switch (question)
    {
        case loadButton:
            if (yes)
                saveThen ([self] { if (self != nullptr) self->chooseAndLoad(); });
            else
                chooseAndLoad();
            break;

        case clearAllButton:
            if (yes)
                saveThen ([self] { if (self != nullptr) self->clearAll(); });
            else
                clearAll();
            break;

        case addCurrentButton:
        {
            if (! yes)
                return;
            juce::MemoryBlock chunk;
            connection.getLiveArrangement (chunk);
            library.addEntry (text.isEmpty() ? juce::String (untitled) : text, chunk.getData(), chunk.getSize());
            list.appendRow (library.getNumEntries() - 1);
            refreshButtons();
            break;
        }

        case deleteButton:
            if (yes && entry >= 0)
            {
                library.removeEntry (entry);
                resetList();
            }
            break;

        case renameButton:
            if (yes && entry >= 0)
            {
                library.renameEntry (entry, text);
                list.repaint();
                refreshButtons();
            }
            break;

        default: break;
    }
}

} // namespace zd8
