#include "model/MasterObject.h"

namespace zd8
{

namespace
{
    constexpr size_t channelRecordSize = 8;
    constexpr size_t tempoOffset = 23;

    int bigEndian16 (const juce::MemoryBlock& b, size_t offset)
    {
        if (offset + 1 >= b.getSize())
            return 0;
        return (int) (juce::uint8) b[offset] << 8 | (int) (juce::uint8) b[offset + 1];
    }
}

MasterObject::MasterObject()
{
    for (auto& b : blocks)
        b.setSize (initialBlockSize, true);
}

void MasterObject::setBlock (int block, const juce::MemoryBlock& data, int code)
{
    if (block < 1 || block > blockCount)
        return;

    {
        std::lock_guard<std::mutex> g (lock);
        blocks[(size_t) block - 1] = data;
        lastChange = code;
    }
    sendChangeMessage();
}

juce::MemoryBlock MasterObject::getBlock (int block) const
{
    if (block < 1 || block > blockCount)
        return {};
    std::lock_guard<std::mutex> g (lock);
    return blocks[(size_t) block - 1];
}

int MasterObject::getLastChange() const
{
    std::lock_guard<std::mutex> g (lock);
    return lastChange;
}

int MasterObject::getChannelProgram (int channel) const
{
    if (channel < 0 || channel > 15)
        return 0;
    std::lock_guard<std::mutex> g (lock);
    return bigEndian16 (blocks[3], (size_t) channel * channelRecordSize + 2);
}

int MasterObject::getTempo() const
{
    std::lock_guard<std::mutex> g (lock);
    const int tempo = bigEndian16 (blocks[2], tempoOffset) / 100;
    return tempo == 0 ? 120 : tempo;
}

} // namespace zd8
