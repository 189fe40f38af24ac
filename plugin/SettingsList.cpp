#include "plugin/SettingsList.h"

#include "link/ByteText.h"
#include "link/SafeFileWriter.h"

#include <mutex>

namespace zd8
{

namespace
{
    const juce::String openMark ("^|");
    const juce::String closeMark ("|^");
    constexpr int shortestText = 6;

    juce::StringArray defaultEntries()
    {
        juce::StringArray e;
        e.add ("1.2.0 - 0 3 7");
        for (int i = 1; i < SettingsList::size; ++i)
            e.add ("0");
        e.set (1, "-1");
        e.set (2, "-1");
        e.set (3, "-1");
        e.set (4, "100");
        e.set (6, "");
        e.set (7, "");
        e.set (SettingsList::thruHostToOutEntry, "1");
        e.set (SettingsList::latencyMarkerEntry, SettingsList::latencyMarker);
        e.set (SettingsList::bufferRangeEntry, "402");
        e.set (SettingsList::programChangeByAutomationEntry, "1");
        return e;
    }

    /** The settings text this process last decoded, by its bytes: every instance reads
        the same file at open, and a file that holds the same bytes gives the same
        entries, so those are copied (sharing their text) instead of split again. Any
        thread; the lock is held only to compare or to copy. */
    class LastDecodedSettings
    {
    public:
        static LastDecodedSettings& instance()
        {
            static LastDecodedSettings last;
            return last;
        }

        bool find (const juce::MemoryBlock& fileBytes, juce::StringArray& result)
        {
            const std::lock_guard<std::mutex> g (lock);
            if (! known || fileBytes != bytes)
                return false;
            result = entries;
            return true;
        }

        void remember (const juce::MemoryBlock& fileBytes, const juce::StringArray& decoded)
        {
            const std::lock_guard<std::mutex> g (lock);
            bytes = fileBytes;
            entries = decoded;
            known = true;
        }

    private:
        std::mutex lock;
        bool known = false;
        juce::MemoryBlock bytes;
        juce::StringArray entries;
    };
}

SettingsList::SettingsList() { resetToDefaults(); }

void SettingsList::resetToDefaults() { entries = defaultEntries(); }

const juce::String& SettingsList::get (int index) const
{
    static const juce::String empty;
    return juce::isPositiveAndBelow (index, entries.size()) ? entries.getReference (index) : empty;
}

int SettingsList::getInt (int index) const
{
    // Like the classic atoi: leading blanks, an optional sign, digits; anything else is 0.
    auto t = get (index).trimStart();
    return t.getIntValue();
}

void SettingsList::set (int index, const juce::String& text)
{
    if (juce::isPositiveAndBelow (index, entries.size()))
        entries.set (index, text);
}

void SettingsList::validateLatencyEntries()
{
    if (get (latencyMarkerEntry) == latencyMarker)
        return;

    set (latencyMarkerEntry, latencyMarker);
    for (int i = firstDelayEntry; i < firstDelayEntry + 6; ++i)
        set (i, "0");
    set (bufferRangeEntry, "402");
    set (seventhDelayEntry, "0");
}

juce::String SettingsList::toText() const
{
    juce::String text;
    for (auto& e : entries)
        text << openMark << e << closeMark;
    return text;
}

void SettingsList::fromText (const juce::String& source)
{
    const auto text = source.length() < shortestText ? juce::String() : source;

    juce::StringArray found;
    int pos = 0;
    for (;;)
    {
        const int open = text.indexOf (pos, openMark);
        if (open < 0)
            break;
        const int close = text.indexOf (open + openMark.length(), closeMark);
        if (close < 0)
            break;
        found.add (text.substring (open + openMark.length(), close));
        pos = close + closeMark.length();
    }

    if (found.size() > 2)
    {
        found.removeRange (size, found.size());
        entries = found;
    }
    else
    {
        resetToDefaults();
    }

    while (entries.size() < size)
        entries.add ("0");
}

void SettingsList::load (const juce::File& folder)
{
    const auto file = folder.getChildFile (fileName);
    if (! file.existsAsFile())
    {
        resetToDefaults();
        save (folder);
    }

    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    if (! LastDecodedSettings::instance().find (bytes, entries))
    {
        fromText (ByteText::fromBytes (bytes.getData(), bytes.getSize()));
        LastDecodedSettings::instance().remember (bytes, entries);
    }
    knownFile = file;
    knownBytes = std::move (bytes);
}

bool SettingsList::save (const juce::File& folder)
{
    const auto file = folder.getChildFile (fileName);
    auto bytes = ByteText::toBytes (toText());

    // Unchanged settings are not written again: no forced write at every close, and an
    // instance that changed nothing leaves alone what another instance saved since.
    if (file == knownFile && bytes == knownBytes && file.existsAsFile())
        return true;

    if (! SafeFileWriter::write (file, bytes))
        return false;

    knownFile = file;
    knownBytes = std::move (bytes);
    return true;
}

} // namespace zd8
