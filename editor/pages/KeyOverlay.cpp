#include "editor/pages/KeyOverlay.h"

#include "editor/pages/PianoKey.h"
#include "editor/pages/PianoPad.h"

namespace zd8
{

KeyOverlay::KeyOverlay (PianoPad& p) : pad (p)
{
    setInterceptsMouseClicks (true, false);
}

void KeyOverlay::mouseDown (const juce::MouseEvent& e)
{
    abandoned = false;
    remembered = pad.keyAt (e.position);
    if (remembered != nullptr)
        remembered->press (e.position.y);
}

void KeyOverlay::mouseDrag (const juce::MouseEvent& e)
{
    if (abandoned)
        return;
    auto* key = pad.keyAt (e.position);
    if (key == remembered)
        return;
    if (remembered == nullptr)
    {
        remembered = key;
        key->press (e.position.y);
    }
    else
    {
        // Sliding off a key only ends it; the next move presses the new one, so a fast
        // sweep never holds two keys at once.
        remembered->release();
        remembered = nullptr;
    }
}

void KeyOverlay::mouseUp (const juce::MouseEvent&)
{
    remembered = nullptr;
    abandoned = false;
    pad.releaseAll();
}

void KeyOverlay::abandonGesture() noexcept
{
    remembered = nullptr;
    abandoned = true;
}

} // namespace zd8
