#pragma once

#include "model/ObjectStore.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace zd8
{

/** The read-only images of the program, multi and FX chain banks, one per data file
    (and one per built-in bank) for the whole process: every instance of the plug-in
    shares them instead of reading and indexing megabytes of its own at every open. A
    store copies its image only when it first changes it (ObjectStore::useImage).

    A data file's image is known by the file's path together with its stamp (size,
    modification time and, where the system has them, inode and change time): a file
    replaced or written since, by this process or another, has another stamp and is
    read again. A bank this process saves becomes the image of the file it wrote
    (fileSaved), so the next open in the process sees it without reading it back.

    Threads: any thread (hosts open instances on several); one lock, held for a
    lookup and for filling an entry (reading and indexing a file), never on the audio
    thread. */
class BankImageCache
{
public:
    /** The one cache of the process. */
    static BankImageCache& instance();

    enum class FileState
    {
        noBytes,   // missing, unreadable or empty
        wholeBank, // the image holds the file's bytes
        damaged    // not a whole bank: setAside ran on the file (under the lock)
    };

    /** The image of a data file of typeCode indexed with IDs 1..highestId, read and
        indexed only when the cache holds none for the file's present stamp. A file that
        is not a whole bank is never cached; setAside runs on it while the lock is held,
        so that two instances opening at once do not both take it for theirs. */
    ObjectStore::Image fileImage (int typeCode, const juce::File& file, int highestId, FileState& state,
                                  const std::function<void (const juce::File&)>& setAside);

    /** The image of a built-in bank, made from make() on the first request of its type. */
    ObjectStore::Image builtInImage (int typeCode, int highestId, const std::function<juce::MemoryBlock()>& make);

    /** After a store's block was written whole to file: that content is the file's
        image under its new stamp. */
    void fileSaved (const juce::File& file, const ObjectStore::Image& image);

    /** Drops every entry (tests that count reads). */
    void clear();

    /** How many times a data file was read and indexed (a cache miss), for tests. */
    int getFileReadCount() const;

private:
    struct Stamp
    {
        juce::int64 size = -1, modified = 0, changed = 0, inode = 0;
        bool operator== (const Stamp& other) const noexcept
        {
            return size == other.size && modified == other.modified && changed == other.changed && inode == other.inode;
        }
    };
    struct Entry
    {
        Stamp stamp;
        ObjectStore::Image image;
    };

    /** The file's stamp; size -1 when it is missing. */
    static Stamp stampOf (const juce::File& file);
    /** Drops images no store holds any more once there are many entries (tests open
        instances on many folders; a host on one). Under the lock. */
    void pruneUnused();

    mutable std::mutex lock;
    // Keyed by type and full path; built-in banks by type and an empty path.
    std::map<std::pair<int, juce::String>, Entry> entries;
    int fileReads = 0;
};

} // namespace zd8
