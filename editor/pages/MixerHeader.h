#pragma once

#include "model/NameSlot.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace zd8
{

/** The mixer page's header bar: one program name slot per channel under a
    "Chn. n" caption, so that the page still says what each channel plays when the
    window shows only this bar above the program page. The slots show the program
    number and name; the page fills them and listens to their clicks. Message thread
    only. */
class MixerHeader : public juce::Component
{
public:
    static constexpr int numChannels = 16;
    static constexpr int pitch = 61;          // one slot every 61 px
    static constexpr int barWidth = pitch * numChannels - 3;
    static constexpr int barHeight = 62;
    static constexpr int slotY = 18;
    static constexpr int captionY = 2, captionHeight = 14;

    MixerHeader();
    ~MixerHeader() override;

    NameSlot& getSlot (int channel) noexcept { return *slots[(size_t) (channel & 0x0F)]; }
    const NameSlot& getSlot (int channel) const noexcept { return *slots[(size_t) (channel & 0x0F)]; }

    void paint (juce::Graphics&) override;

private:
    std::array<std::unique_ptr<NameSlot>, numChannels> slots;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MixerHeader)
};

} // namespace zd8
