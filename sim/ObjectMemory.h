#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zd8sim
{

/** The instrument's object memory: programs (138), multis (155) and FX chains (156),
    each object a 20-character name and its data, by type and ID. It starts with the
    plug-in's built-in banks as the instrument's own content (read lazily, the first
    time a type is used) and can be preloaded with anything else, the user range
    4096..8191 above all.

    It answers the transfer family (command 0x5A) and takes the writes the plug-in
    sends. Offsets below are in the whole message, F0 at 0. Numbers of the transfer
    family go least significant 7-bit group first; every other command sends object
    numbers most significant first.

      info request   5A 20 00 tL tH iL iH F7                                 (13 bytes)
      chunk request  5A 00 00 tL tH iL iH o0 o1 o2 l0 l1 l2 F7               (19 bytes)
      info reply     5A 05 00 tL tH iL iH s0 s1 s2 00 name[20] F7            (37 bytes)
      chunk reply    5A 01 00 tL tH iL iH o0 o1 o2 l0 l1 l2 packed.. ck 00 F7
      nack           5A 03 code tL tH iL iH F7                               (13 bytes)
      program data   02 00 00 part blockType 00 mode packed.. F7
      name           cmd nH nL part 00 00 11 name[16] F7                     (29 bytes)

    (each after the header F0 07 46 01 00). Object data travels packed seven bits per
    byte, least significant bit first; ck is the low seven bits of the sum of the
    packed bytes.

    How writes work here (the instrument's inside; the plug-in only sees the result):
    every part (channel slot 0..15) has an edit buffer that a channel program select
    loads from memory. Program data messages change the buffer: block type 0 carries
    the 133-byte common block (object data 5..137) and the 20-byte name, block type 4
    the parameter name list and block type 5 the assignment list that follow the
    layer area (they replace the lists there; the program data after them stays).
    A program name message (command 0x02) stores the part's buffer under
    its ID with the 16-character name (blank-padded to 20); when the part holds
    nothing it renames that object. A multi name message (0x0B) stores the selected
    multi under its ID with the name, or renames.

    Thread-safe: one lock, held for each call. */
class ObjectMemory
{
public:
    static constexpr int typeProgram = 138;
    static constexpr int typeMulti = 155;
    static constexpr int typeFxChain = 156;

    static constexpr int nameLength = 20;
    static constexpr int messageNameLength = 16;
    static constexpr int maxChunkLength = 2048;
    static constexpr int partCount = 16;
    static constexpr int maxId = 16383;

    // Nack codes the memory sends.
    static constexpr int nackBadTypeOrId = 3;
    static constexpr int nackObjectNotFound = 4;
    static constexpr int nackSizeOrOffsetBad = 7;

    struct Object
    {
        std::array<std::uint8_t, nameLength> name {};
        std::vector<std::uint8_t> data;
    };

    /** A transfer request as the memory understood it. */
    struct Request
    {
        enum class Kind { info, chunk };
        Kind kind = Kind::info;
        int type = 0;
        int id = 0;
        int offset = 0;
        int length = 0;

        bool operator== (const Request& o) const noexcept
        {
            return kind == o.kind && type == o.type && id == o.id && offset == o.offset && length == o.length;
        }
    };

    /** builtInBanks false: every type starts empty. */
    explicit ObjectMemory (bool builtInBanks = true);
    ~ObjectMemory();

    static bool holdsType (int type) noexcept;

    /** Puts an object into memory (replacing one there). name is cut or blank-padded
        to 20 characters. Types other than 138, 155, 156 and IDs outside 1..16383 are
        ignored. */
    void setObject (int type, int id, const std::string& name, std::vector<std::uint8_t> data);
    void removeObject (int type, int id);
    std::optional<Object> getObject (int type, int id) const;
    /** IDs held for a type, ascending. */
    std::vector<int> getIds (int type) const;

    /** A channel program select (channel 0..15): the part's edit buffer takes a copy of
        the program, or becomes empty when there is none. */
    void selectProgram (int part, int id);
    /** A multi select. */
    void selectMulti (int id);

    /** One complete message (F0 .. F7). Returns the replies, each a complete message;
        none for anything the memory does not take (wrong header, malformed request,
        other commands) and for writes. Never reads outside the message. */
    std::vector<std::vector<std::uint8_t>> handleMessage (const std::uint8_t* message, std::size_t size);

    std::vector<Request> getRequests() const;
    void clearRequests();

    /** Seven bits per byte, least significant bit first: seven bytes become eight, a
        final group of r bytes r + 1. No F7 is added. */
    static std::vector<std::uint8_t> pack7 (const std::uint8_t* data, std::size_t size);
    /** The reverse; bit 7 of each byte is ignored, leftover bits dropped. */
    static std::vector<std::uint8_t> unpack7 (const std::uint8_t* septets, std::size_t size);

private:
    struct Part
    {
        int selectedId = -1;          // copied into data when a write needs it
        bool holdsProgram = false;
        std::vector<std::uint8_t> data;
        std::vector<std::uint8_t> nameList;
        std::vector<std::uint8_t> assignments;
        bool hasNameList = false;
        bool hasAssignments = false;
    };

    using Store = std::map<int, Object>;

    Store& storeFor (int type);   // lock held; loads the built-in bank on first use
    void loadBuiltIn (int type, Store& store);
    Part& partFor (int part);     // lock held; the selected program copied in

    std::vector<std::uint8_t> answerInfo (int type, int id);
    std::vector<std::uint8_t> answerChunk (int type, int id, int offset, int length);
    void takeProgramData (const std::uint8_t* message, std::size_t size);
    void takeName (const std::uint8_t* message, std::size_t size);

    mutable std::mutex lock;
    const bool builtInBanks;
    std::map<int, Store> stores;
    std::map<int, bool> loaded;
    std::array<Part, partCount> parts;
    int selectedMulti = -1;
    std::vector<Request> requests;
};

} // namespace zd8sim
