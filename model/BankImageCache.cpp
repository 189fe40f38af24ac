#include "model/BankImageCache.h"

#include "model/BuiltInBanks.h"

#if JUCE_LINUX || JUCE_BSD
 #include <sys/stat.h>
#else
 #include <filesystem>
#endif

namespace zd8
{

namespace
{
    /** Past this many entries, the images no store holds any more are dropped. */
    constexpr size_t entriesKeptUnused = 12;
}

BankImageCache& BankImageCache::instance()
{
    static BankImageCache cache;
    return cache;
}

BankImageCache::Stamp BankImageCache::stampOf (const juce::File& file)
{
    Stamp stamp;
#if JUCE_LINUX || JUCE_BSD
    // Nanosecond times, the inode and the change time: a file replaced through a
    // rename (as every write of ours is) has another inode even within one tick.
    struct stat info;
    if (::stat (file.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISREG (info.st_mode))
        return stamp;
    stamp.size = (juce::int64) info.st_size;
    stamp.modified = (juce::int64) info.st_mtim.tv_sec * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = (juce::int64) info.st_ctim.tv_sec * 1000000000 + info.st_ctim.tv_nsec;
    stamp.inode = (juce::int64) info.st_ino;
#else
    std::error_code error;
    const std::filesystem::path path (file.getFullPathName().toWideCharPointer());
    const auto size = std::filesystem::file_size (path, error);
    if (error)
        return stamp;
    const auto modified = std::filesystem::last_write_time (path, error);
    if (error)
        return stamp;
    stamp.size = (juce::int64) size;
    stamp.modified = (juce::int64) modified.time_since_epoch().count();
#endif
    return stamp;
}

ObjectStore::Image BankImageCache::fileImage (int typeCode, const juce::File& file, int highestId, FileState& state,
                                              const std::function<void (const juce::File&)>& setAside)
{
    state = FileState::noBytes;
    const std::lock_guard<std::mutex> g (lock);

    const auto key = std::make_pair (typeCode, file.getFullPathName());
    const auto stamp = stampOf (file);
    if (stamp.size <= 0)
        return {};

    if (auto found = entries.find (key); found != entries.end())
    {
        if (found->second.stamp == stamp && found->second.image.highestId == highestId)
        {
            state = FileState::wholeBank;
            return found->second.image;
        }
        entries.erase (found);
    }

    ++fileReads;
    auto bytes = BuiltInBanks::readDataFile (file);
    if (bytes.isEmpty())
        return {};
    if (! BuiltInBanks::isWholeBank (typeCode, bytes))
    {
        state = FileState::damaged;
        if (setAside)
            setAside (file);
        return {};
    }

    // Read between two stamps that agree: a file written while it was read is not
    // kept under either (the next open reads it again).
    ObjectStore indexed;
    indexed.buildIndex (typeCode, std::move (bytes), highestId);
    auto image = indexed.shareImage();
    state = FileState::wholeBank;
    if (stampOf (file) == stamp)
    {
        pruneUnused();
        entries[key] = { stamp, image };
    }
    return image;
}

ObjectStore::Image BankImageCache::builtInImage (int typeCode, int highestId, const std::function<juce::MemoryBlock()>& make)
{
    const std::lock_guard<std::mutex> g (lock);
    const auto key = std::make_pair (typeCode, juce::String());
    if (auto found = entries.find (key); found != entries.end() && found->second.image.highestId == highestId)
        return found->second.image;

    ObjectStore indexed;
    indexed.buildIndex (typeCode, make(), highestId);
    auto image = indexed.shareImage();
    entries[key] = { Stamp(), image };
    return image;
}

void BankImageCache::fileSaved (const juce::File& file, const ObjectStore::Image& image)
{
    if (image.isEmpty())
        return;
    const std::lock_guard<std::mutex> g (lock);
    const auto key = std::make_pair (image.typeCode, file.getFullPathName());
    const auto stamp = stampOf (file);
    if (stamp.size != (juce::int64) image.block->getSize())
    {
        entries.erase (key); // not what was written (another writer came in between)
        return;
    }
    pruneUnused();
    entries[key] = { stamp, image };
}

void BankImageCache::pruneUnused()
{
    if (entries.size() < entriesKeptUnused)
        return;
    // Only the cache holds the block: no store uses the image. The built-in banks stay.
    for (auto it = entries.begin(); it != entries.end();)
    {
        if (it->first.second.isNotEmpty() && it->second.image.block.use_count() == 1)
            it = entries.erase (it);
        else
            ++it;
    }
}

void BankImageCache::clear()
{
    const std::lock_guard<std::mutex> g (lock);
    entries.clear();
}

int BankImageCache::getFileReadCount() const
{
    const std::lock_guard<std::mutex> g (lock);
    return fileReads;
}

} // namespace zd8
