#include "sim/ObjectMemory.h"

#include <Zd8Banks.h>

#include <algorithm>
#include <cstring>

namespace zd8sim
{

namespace
{
constexpr std::uint8_t sysexStart = 0xF0;
constexpr std::uint8_t sysexEnd = 0xF7;
constexpr std::uint8_t header[] = { sysexStart, 0x07, 0x46, 0x01, 0x00 };
constexpr std::size_t headerSize = sizeof (header);
constexpr std::uint8_t blank = 0x20;

// Commands and transfer sub-commands.
constexpr std::uint8_t cmdProgram = 0x02;
constexpr std::uint8_t cmdMulti = 0x0B;
constexpr std::uint8_t cmdTransfer = 0x5A;
constexpr std::uint8_t subChunkRequest = 0x00;
constexpr std::uint8_t subChunk = 0x01;
constexpr std::uint8_t subNack = 0x03;
constexpr std::uint8_t subInfo = 0x05;
constexpr std::uint8_t subInfoRequest = 0x20;

constexpr std::size_t infoRequestSize = 13;
constexpr std::size_t chunkRequestSize = 19;
constexpr std::size_t nameMessageSize = 29;
constexpr std::uint8_t nameMessageMarker = 0x11;   // offset 11 of a name message
constexpr std::size_t nameMessageNameOffset = 12;
constexpr std::size_t programDataOffset = 12;      // first packed byte of a data message

// Program data messages: block types.
constexpr int blockCommon = 0;
constexpr int blockNameList = 4;
constexpr int blockAssignments = 5;

// Program object data (the record content less its 20-byte name).
constexpr std::size_t commonOffset = 5;            // content 25
constexpr std::size_t commonSize = 133;            // content 25..157
constexpr std::size_t layerCountOffset = 40;       // content 60
constexpr std::size_t layerAreaStart = 230;        // content 250
constexpr std::size_t layerSize = 318;
constexpr std::uint8_t fullLayerCount = 32;        // written as an ASCII blank
constexpr std::size_t fullLayerAreaEnd = 10405;    // content 10425

// Bank tags of the built-in banks: record open tag = stem + four digits, then the
// inner open tag, the content, the inner close tag, "<" + stem less its last
// character + the same digits.
struct BankTags
{
    int type;
    const char* stem;
};

constexpr BankTags bankTags[] = {
    { ObjectMemory::typeProgram, "Prog*Dat*>" },
    { ObjectMemory::typeMulti, "Set**Dat*>" },
    { ObjectMemory::typeFxChain, "FX***Data>" },
};
constexpr std::size_t tagLength = 10;
constexpr std::size_t idDigits = 4;

using Bytes = std::vector<std::uint8_t>;

std::uint8_t low (int v) noexcept { return (std::uint8_t) (v & 0x7F); }
std::uint8_t mid (int v) noexcept { return (std::uint8_t) ((v >> 7) & 0x7F); }
std::uint8_t top (int v) noexcept { return (std::uint8_t) ((v >> 14) & 0x7F); }

int number14 (const std::uint8_t* p) noexcept { return p[0] + p[1] * 128; }
int number21 (const std::uint8_t* p) noexcept { return p[0] + p[1] * 128 + p[2] * 16384; }

Bytes withHeader (std::initializer_list<std::uint8_t> body)
{
    Bytes m;
    m.reserve (headerSize + body.size() + ObjectMemory::nameLength + 1);
    for (auto b : header)
        m.push_back (b);
    for (auto b : body)
        m.push_back (b);
    return m;
}

Bytes nack (int code, int type, int id)
{
    return withHeader ({ cmdTransfer, subNack, low (code), low (type), mid (type), low (id), mid (id), sysexEnd });
}

bool isWellFormed (const std::uint8_t* m, std::size_t size)
{
    if (m == nullptr || size < headerSize + 2 || std::memcmp (m, header, headerSize) != 0 || m[size - 1] != sysexEnd)
        return false;

    for (std::size_t i = 1; i + 1 < size; ++i)
        if (m[i] >= 0x80)
            return false;

    return true;
}

std::array<std::uint8_t, ObjectMemory::nameLength> nameOf (const std::uint8_t* chars, std::size_t count)
{
    std::array<std::uint8_t, ObjectMemory::nameLength> name;
    name.fill (blank);
    std::copy_n (chars, std::min (count, name.size()), name.begin());
    return name;
}

/** Where a program's layer area ends, in object data; the lists follow it. */
std::size_t layerAreaEnd (const Bytes& data)
{
    const std::uint8_t count = layerCountOffset < data.size() ? data[layerCountOffset] : 0;
    return count == fullLayerCount ? fullLayerAreaEnd : layerAreaStart + layerSize * count;
}

// The two lists after the layer area, big-endian 16-bit numbers: the parameter name
// list is an identifier, a count P and P entries of 8 + n bytes (n at entry bytes
// 6..7); the assignment list an identifier, a count M and M entries of 4 bytes.
constexpr std::size_t listHeaderSize = 4;
constexpr std::size_t listCountOffset = 2;
constexpr std::size_t nameEntryHeaderSize = 8;
constexpr std::size_t nameEntryLengthOffset = 6;
constexpr std::size_t assignmentSize = 4;

std::size_t bigEndian16 (const Bytes& d, std::size_t at)
{
    return at + 1 < d.size() ? (std::size_t) (d[at] << 8 | d[at + 1]) : 0;
}

/** Length of the name list at at, cut at the end of the data. */
std::size_t nameListLength (const Bytes& d, std::size_t at)
{
    if (at >= d.size())
        return 0;
    const std::size_t available = d.size() - at;
    const std::size_t count = bigEndian16 (d, at + listCountOffset);
    std::size_t length = listHeaderSize;
    for (std::size_t i = 0; i < count && length < available; ++i)
        length += nameEntryHeaderSize + bigEndian16 (d, at + length + nameEntryLengthOffset);
    return std::min (length, available);
}

/** Length of the assignment list at at, cut at the end of the data. */
std::size_t assignmentListLength (const Bytes& d, std::size_t at)
{
    if (at >= d.size())
        return 0;
    return std::min (listHeaderSize + assignmentSize * bigEndian16 (d, at + listCountOffset), d.size() - at);
}

const std::uint8_t* find (const std::uint8_t* from, const std::uint8_t* end, const std::uint8_t* pattern, std::size_t length)
{
    auto* hit = std::search (from, end, pattern, pattern + length);
    return hit == end ? nullptr : hit;
}
} // namespace

//==============================================================================
ObjectMemory::ObjectMemory (bool useBuiltInBanks) : builtInBanks (useBuiltInBanks) {}
ObjectMemory::~ObjectMemory() = default;

bool ObjectMemory::holdsType (int type) noexcept
{
    return type == typeProgram || type == typeMulti || type == typeFxChain;
}

ObjectMemory::Store& ObjectMemory::storeFor (int type)
{
    auto& store = stores[type];
    if (builtInBanks && ! loaded[type])
    {
        loaded[type] = true;
        loadBuiltIn (type, store);
    }
    return store;
}

void ObjectMemory::loadBuiltIn (int type, Store& store)
{
    const char* stem = nullptr;
    for (const auto& t : bankTags)
        if (t.type == type)
            stem = t.stem;
    if (stem == nullptr)
        return;

    // The same built-in banks the plug-in starts from, read from the embedded files
    // directly: the instrument's memory is parsed here, by the simulator's own code.
    const char* data = nullptr;
    int size = 0;
    switch (type)
    {
        case typeProgram: data = Zd8Banks::programs_bank; size = Zd8Banks::programs_bankSize; break;
        case typeMulti: data = Zd8Banks::multis_bank; size = Zd8Banks::multis_bankSize; break;
        case typeFxChain: data = Zd8Banks::fxchains_bank; size = Zd8Banks::fxchains_bankSize; break;
        default: return;
    }
    const auto* begin = reinterpret_cast<const std::uint8_t*> (data);
    const auto* end = begin + size;
    const auto* openStem = reinterpret_cast<const std::uint8_t*> (stem);

    // Record by record: the open tag, its four digits, the inner open tag; the content
    // runs up to the inner close tag that stands before the record's own close tag.
    for (const auto* at = begin; at != nullptr && at < end;)
    {
        const auto* open = find (at, end, openStem, tagLength);
        if (open == nullptr || (std::size_t) (end - open) < 2 * tagLength + idDigits)
            break;

        const auto* digits = open + tagLength;
        int id = 0;
        bool numeric = true;
        for (std::size_t i = 0; i < idDigits; ++i)
        {
            numeric = numeric && digits[i] >= '0' && digits[i] <= '9';
            id = id * 10 + (digits[i] - '0');
        }

        std::uint8_t close[tagLength + idDigits];
        close[0] = '<';
        std::memcpy (close + 1, stem, tagLength - 1);
        std::memcpy (close + tagLength, digits, idDigits);

        const auto* content = digits + idDigits + tagLength;
        const auto* closing = find (content, end, close, sizeof (close));
        if (closing == nullptr)
        {
            at = digits;
            continue;
        }

        if (numeric && closing - content >= (std::ptrdiff_t) tagLength)
        {
            const auto* contentEnd = closing - tagLength;
            if (contentEnd - content > nameLength)
                store[id] = { nameOf (content, nameLength), Bytes (content + nameLength, contentEnd) };
        }

        at = closing + sizeof (close);
    }
}

//==============================================================================
void ObjectMemory::setObject (int type, int id, const std::string& name, std::vector<std::uint8_t> data)
{
    if (! holdsType (type) || id < 1 || id > maxId)
        return;

    std::lock_guard<std::mutex> g (lock);
    auto& o = storeFor (type)[id];
    o.name = nameOf (reinterpret_cast<const std::uint8_t*> (name.data()), name.size());
    o.data = std::move (data);
}

void ObjectMemory::removeObject (int type, int id)
{
    if (! holdsType (type))
        return;

    std::lock_guard<std::mutex> g (lock);
    storeFor (type).erase (id);
}

std::optional<ObjectMemory::Object> ObjectMemory::getObject (int type, int id) const
{
    if (! holdsType (type))
        return std::nullopt;

    std::lock_guard<std::mutex> g (lock);
    auto& store = const_cast<ObjectMemory*> (this)->storeFor (type);
    const auto it = store.find (id);
    if (it == store.end())
        return std::nullopt;
    return it->second;
}

std::vector<int> ObjectMemory::getIds (int type) const
{
    std::vector<int> ids;
    if (! holdsType (type))
        return ids;

    std::lock_guard<std::mutex> g (lock);
    for (const auto& entry : const_cast<ObjectMemory*> (this)->storeFor (type))
        ids.push_back (entry.first);
    return ids;
}

void ObjectMemory::selectProgram (int part, int id)
{
    if (part < 0 || part >= partCount)
        return;

    // Copied when a write needs it: a select must not read the whole bank.
    std::lock_guard<std::mutex> g (lock);
    auto& p = parts[(std::size_t) part];
    p = Part();
    p.selectedId = id;
}

// Lock held.
ObjectMemory::Part& ObjectMemory::partFor (int part)
{
    auto& p = parts[(std::size_t) part];
    if (p.selectedId >= 0)
    {
        const auto& store = storeFor (typeProgram);
        const auto it = store.find (p.selectedId);
        if (it != store.end())
        {
            p.holdsProgram = true;
            p.data = it->second.data;
        }
        p.selectedId = -1;
    }
    return p;
}

void ObjectMemory::selectMulti (int id)
{
    std::lock_guard<std::mutex> g (lock);
    selectedMulti = id;
}

std::vector<ObjectMemory::Request> ObjectMemory::getRequests() const
{
    std::lock_guard<std::mutex> g (lock);
    return requests;
}

void ObjectMemory::clearRequests()
{
    std::lock_guard<std::mutex> g (lock);
    requests.clear();
}

//==============================================================================
std::vector<std::vector<std::uint8_t>> ObjectMemory::handleMessage (const std::uint8_t* m, std::size_t size)
{
    std::vector<Bytes> replies;
    if (! isWellFormed (m, size))
        return replies;

    std::lock_guard<std::mutex> g (lock);

    switch (m[5])
    {
        case cmdTransfer:
            if (size == infoRequestSize && m[6] == subInfoRequest && m[7] == 0)
            {
                const int type = number14 (m + 8), id = number14 (m + 10);
                requests.push_back ({ Request::Kind::info, type, id, 0, 0 });
                replies.push_back (answerInfo (type, id));
            }
            else if (size == chunkRequestSize && m[6] == subChunkRequest && m[7] == 0)
            {
                const int type = number14 (m + 8), id = number14 (m + 10);
                const int offset = number21 (m + 12), length = number21 (m + 15);
                requests.push_back ({ Request::Kind::chunk, type, id, offset, length });
                replies.push_back (answerChunk (type, id, offset, length));
            }
            break;

        case cmdProgram:
            if (size == nameMessageSize && m[11] == nameMessageMarker)
                takeName (m, size);
            else
                takeProgramData (m, size);
            break;

        case cmdMulti:
            if (size == nameMessageSize && m[11] == nameMessageMarker)
                takeName (m, size);
            break;

        default:
            break;
    }

    return replies;
}

// Lock held.
std::vector<std::uint8_t> ObjectMemory::answerInfo (int type, int id)
{
    if (! holdsType (type))
        return nack (nackBadTypeOrId, type, id);

    const auto& store = storeFor (type);
    const auto it = store.find (id);
    if (it == store.end())
        return nack (nackObjectNotFound, type, id);

    const int total = (int) it->second.data.size();
    auto reply = withHeader ({ cmdTransfer, subInfo, 0x00, low (type), mid (type), low (id), mid (id),
                               low (total), mid (total), top (total), 0x00 });
    for (auto c : it->second.name)
        reply.push_back (c < 0x80 ? c : blank);   // a data byte cannot carry bit 7
    reply.push_back (sysexEnd);
    return reply;
}

// Lock held.
std::vector<std::uint8_t> ObjectMemory::answerChunk (int type, int id, int offset, int length)
{
    if (! holdsType (type))
        return nack (nackBadTypeOrId, type, id);

    const auto& store = storeFor (type);
    const auto it = store.find (id);
    if (it == store.end())
        return nack (nackObjectNotFound, type, id);

    const auto& data = it->second.data;
    if (offset > (int) data.size() || length > maxChunkLength)
        return nack (nackSizeOrOffsetBad, type, id);

    const int count = std::min (length, (int) data.size() - offset);
    auto reply = withHeader ({ cmdTransfer, subChunk, 0x00, low (type), mid (type), low (id), mid (id),
                               low (offset), mid (offset), top (offset),
                               low (count), mid (count), top (count) });

    const auto packed = pack7 (data.data() + offset, (std::size_t) count);
    int sum = 0;
    for (auto b : packed)
        sum += b;
    reply.insert (reply.end(), packed.begin(), packed.end());
    reply.push_back (low (sum));
    reply.push_back (0x00);
    reply.push_back (sysexEnd);
    return reply;
}

// Lock held. A program data message: part, block type, 0, mode, packed block.
void ObjectMemory::takeProgramData (const std::uint8_t* m, std::size_t size)
{
    if (size < programDataOffset + 1 || m[6] != 0 || m[7] != 0 || m[8] >= partCount)
        return;

    auto& part = partFor (m[8]);
    auto block = unpack7 (m + programDataOffset, size - programDataOffset - 1);

    switch (m[9])
    {
        case blockCommon:
            if (block.size() < commonSize)
                return;
            if (part.data.size() < commonOffset + commonSize)
                part.data.resize (commonOffset + commonSize, 0);
            std::copy_n (block.begin(), commonSize, part.data.begin() + (std::ptrdiff_t) commonOffset);
            part.holdsProgram = true;
            break;

        case blockNameList:
            part.nameList = std::move (block);
            part.hasNameList = true;
            break;

        case blockAssignments:
            part.assignments = std::move (block);
            part.hasAssignments = true;
            break;

        default:
            break;
    }
}

// Lock held. A name message: command, object number (most significant first), part,
// 00 00 11, 16 name characters.
void ObjectMemory::takeName (const std::uint8_t* m, std::size_t)
{
    const int id = m[6] * 128 + m[7];
    const int partIndex = m[8];
    const auto name = nameOf (m + nameMessageNameOffset, messageNameLength);
    if (id < 1)
        return;

    if (m[5] == cmdProgram)
    {
        auto& store = storeFor (typeProgram);

        if (partIndex < partCount && partFor (partIndex).holdsProgram)
        {
            // The part's program, its lists replaced by what was written since it was
            // loaded (what follows them stays), becomes object id.
            auto& part = parts[(std::size_t) partIndex];
            if (part.hasNameList || part.hasAssignments)
            {
                auto& d = part.data;
                const auto v = layerAreaEnd (d);
                if (d.size() < v)
                    d.resize (v, 0);
                const auto names = nameListLength (d, v);
                const auto assignments = assignmentListLength (d, v + names);
                const auto tail = (std::ptrdiff_t) (v + names + assignments);

                Bytes rebuilt (d.begin(), d.begin() + (std::ptrdiff_t) v);
                const auto* newNames = part.hasNameList ? &part.nameList : nullptr;
                const auto* newAssignments = part.hasAssignments ? &part.assignments : nullptr;
                if (newNames != nullptr)
                    rebuilt.insert (rebuilt.end(), newNames->begin(), newNames->end());
                else
                    rebuilt.insert (rebuilt.end(), d.begin() + (std::ptrdiff_t) v, d.begin() + (std::ptrdiff_t) (v + names));
                if (newAssignments != nullptr)
                    rebuilt.insert (rebuilt.end(), newAssignments->begin(), newAssignments->end());
                else
                    rebuilt.insert (rebuilt.end(), d.begin() + (std::ptrdiff_t) (v + names), d.begin() + tail);
                rebuilt.insert (rebuilt.end(), d.begin() + tail, d.end());

                d = std::move (rebuilt);
                part.hasNameList = part.hasAssignments = false;
            }
            store[id] = { name, part.data };
        }
        else if (auto it = store.find (id); it != store.end())
        {
            it->second.name = name;
        }
        return;
    }

    auto& multis = storeFor (typeMulti);
    const auto selected = multis.find (selectedMulti);
    if (selected != multis.end())
        multis[id] = { name, selected->second.data };
    else if (auto it = multis.find (id); it != multis.end())
        it->second.name = name;
}

//==============================================================================
std::vector<std::uint8_t> ObjectMemory::pack7 (const std::uint8_t* data, std::size_t size)
{
    // Per group of seven bytes b0..b6: t0 = b0 & 7F, tk = ((bk << k) | (bk-1 >> (8 - k))) & 7F,
    // and one more septet with the high bits of the group's last byte.
    Bytes out;
    if (data == nullptr)
        return out;
    out.reserve (size + size / 7 + 1);

    for (std::size_t g = 0; g < size; g += 7)
    {
        const std::size_t r = std::min<std::size_t> (7, size - g);
        const auto* b = data + g;
        out.push_back (b[0] & 0x7F);
        for (std::size_t k = 1; k < r; ++k)
            out.push_back ((std::uint8_t) (((b[k] << k) | (b[k - 1] >> (8 - k))) & 0x7F));
        out.push_back ((std::uint8_t) (b[r - 1] >> (8 - r)));
    }
    return out;
}

std::vector<std::uint8_t> ObjectMemory::unpack7 (const std::uint8_t* septets, std::size_t size)
{
    // Per group of eight septets t0..t7: bk = (tk >> k) | (tk+1 << (7 - k)); a group of
    // r + 1 septets gives r bytes.
    Bytes out;
    if (septets == nullptr)
        return out;
    out.reserve (size * 7 / 8);

    for (std::size_t g = 0; g < size; g += 8)
    {
        const std::size_t n = std::min<std::size_t> (8, size - g);
        const auto* t = septets + g;
        for (std::size_t k = 0; k + 1 < n; ++k)
            out.push_back ((std::uint8_t) (((t[k] & 0x7F) >> k) | ((t[k + 1] & 0x7F) << (7 - k))));
    }
    return out;
}

} // namespace zd8sim
