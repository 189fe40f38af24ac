#include "editor/pages/ProgramPageButtons.h"

#include "editor/kit/EditEvent.h"
#include "model/ObjectStore.h"

namespace zd8
{

namespace
{
    constexpr float captionSize = 11.0f;
}

const std::array<ProgramPageButtons::Entry, ProgramPageButtons::buttonCount> ProgramPageButtons::entries { {
    { "PARAM TABLE", tableId },
    { "KEYMAPS", ObjectStore::typeKeymap },
    { "ALGORITHMS", ObjectStore::typeAlgorithm },
    { "INTONATIONS", ObjectStore::typeIntonationTable },
    { "SHIFT PATTERNS", ObjectStore::typeShiftPattern },
    { "VELO PATTERNS", ObjectStore::typeVelocityPattern },
    { "SONGS", ObjectStore::typeSong },
} };

ProgramPageButtons::ProgramPageButtons()
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        buttons[i] = std::make_unique<KitButton> (entries[i].caption, entries[i].identifier, 0, captionSize);
        buttons[i]->addListener (this);
        addAndMakeVisible (*buttons[i]);
    }
    setSize (width, height);
}

ProgramPageButtons::~ProgramPageButtons()
{
    for (auto& b : buttons)
        b->removeListener (this);
}

KitButton* ProgramPageButtons::findButton (const juce::String& caption) const
{
    for (auto& b : buttons)
        if (b->getText() == caption)
            return b.get();
    return nullptr;
}

void ProgramPageButtons::resized()
{
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setBounds (0, (int) i * (buttonHeight + gap), buttonWidth, buttonHeight);
}

void ProgramPageButtons::buttonPressed (KitButton*, int identifier)
{
    if (onRequest == nullptr)
        return;
    if (identifier == tableId)
        onRequest (EditEvent::openTable, 0);
    else
        onRequest (EditEvent::channelEvent, identifier);
}

} // namespace zd8
