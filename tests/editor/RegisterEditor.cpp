// Linked into every window test: processor.createEditor() builds the real window, as
// it does in the plug-in.

#include "editor/shell/VantorAudioProcessorEditor.h"

namespace
{
    const bool registered = (zd8::VantorAudioProcessorEditor::registerWithProcessor(), true);
}
