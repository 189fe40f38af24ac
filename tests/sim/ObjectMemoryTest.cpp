#include "sim/InstrumentSimulator.h"
#include "sim/ObjectMemory.h"

#include "link/SysexProtocol.h"
#include "link/TransferReply.h"
#include "model/BuiltInBanks.h"
#include "model/ObjectStore.h"
#include "support/ManualTimeline.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

using Bytes = std::vector<std::uint8_t>;
using zd8sim::InstrumentSimulator;
using zd8sim::ObjectMemory;

constexpr int program = 138, multi = 155, fxChain = 156;

// Requests as the instrument's tables lay them out, built by hand (numbers least
// significant 7-bit group first).
Bytes infoRequest (int type, int id)
{
    return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x20, 0x00,
             (std::uint8_t) (type & 0x7F), (std::uint8_t) (type >> 7), (std::uint8_t) (id & 0x7F), (std::uint8_t) (id >> 7), 0xF7 };
}

Bytes chunkRequest (int type, int id, int offset, int length)
{
    auto g = [] (int v, int k) { return (std::uint8_t) ((v >> (7 * k)) & 0x7F); };
    return { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x00, 0x00, g (type, 0), g (type, 1), g (id, 0), g (id, 1),
             g (offset, 0), g (offset, 1), g (offset, 2), g (length, 0), g (length, 1), g (length, 2), 0xF7 };
}

Bytes nameMessage (int command, int id, int part, const std::string& name)
{
    Bytes m { 0xF0, 0x07, 0x46, 0x01, 0x00, (std::uint8_t) command, (std::uint8_t) (id >> 7), (std::uint8_t) (id & 0x7F),
              (std::uint8_t) part, 0x00, 0x00, 0x11 };
    for (size_t i = 0; i < 16; ++i)
        m.push_back (i < name.size() ? (std::uint8_t) name[i] : 0x20);
    m.push_back (0xF7);
    return m;
}

Bytes programData (int part, int blockType, int mode, const Bytes& block)
{
    Bytes m { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x02, 0x00, 0x00, (std::uint8_t) part, (std::uint8_t) blockType, 0x00, (std::uint8_t) mode };
    const auto packed = ObjectMemory::pack7 (block.data(), block.size());
    m.insert (m.end(), packed.begin(), packed.end());
    m.push_back (0xF7);
    return m;
}

Bytes pattern (size_t size, unsigned seed)
{
    Bytes b (size);
    std::mt19937 rng (seed);
    for (auto& x : b)
        x = (std::uint8_t) rng();
    return b;
}

std::vector<Bytes> ask (ObjectMemory& memory, const Bytes& message)
{
    return memory.handleMessage (message.data(), message.size());
}

zd8::TransferReply parsed (const Bytes& reply)
{
    return zd8::TransferReply::parse (reply.data(), reply.size());
}

std::string text (const std::array<std::uint8_t, 20>& name)
{
    return std::string (name.begin(), name.end());
}

} // namespace

//==============================================================================
TEST (ObjectMemoryPacking, SevenBitGroupsMatchTheLayoutAndTheOtherSide)
{
    // Sizes from the bit layout: 7 bytes -> 8 septets, 8 -> 10, 1 -> 2, 0 -> 0.
    const std::pair<size_t, size_t> sizes[] = { { 0, 0 }, { 1, 2 }, { 6, 7 }, { 7, 8 }, { 8, 10 }, { 14, 16 }, { 15, 18 } };
    for (auto [bytes, septets] : sizes)
        EXPECT_EQ (ObjectMemory::pack7 (pattern (bytes, 1).data(), bytes).size(), septets) << bytes;

    // 0xFF x 7: every septet full but the last, which holds b6's top bit.
    const Bytes ones (7, 0xFF);
    EXPECT_EQ (ObjectMemory::pack7 (ones.data(), 7), (Bytes { 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F }));
    const Bytes one { 0x80 };
    EXPECT_EQ (ObjectMemory::pack7 (one.data(), 1), (Bytes { 0x00, 0x01 }));

    // Round trip at every length, and agreement with the plug-in's packing, which was
    // written separately from the same layout.
    for (size_t n = 0; n < 40; ++n)
    {
        const auto data = pattern (n, (unsigned) n + 7);
        const auto packed = ObjectMemory::pack7 (data.data(), data.size());
        for (auto s : packed)
            ASSERT_LT (s, 0x80);
        EXPECT_EQ (ObjectMemory::unpack7 (packed.data(), packed.size()), data) << n;

        const auto theirs = zd8::SysexProtocol::encode7 (data.data(), data.size());
        EXPECT_EQ (Bytes (static_cast<const std::uint8_t*> (theirs.getData()),
                          static_cast<const std::uint8_t*> (theirs.getData()) + theirs.getSize() - 1),
                   packed) << n;
    }
}

//==============================================================================
TEST (ObjectMemoryTransfer, InfoReplyCarriesSizeAndNameIn21BitFields)
{
    ObjectMemory memory (false);
    memory.setObject (program, 4097, "User Piano", pattern (5000, 3));
    memory.setObject (fxChain, 8192, std::string ("Long\x01" "Chain\xE9" "Name that is cut here"), pattern (20000, 4));

    const auto replies = ask (memory, infoRequest (program, 4097));
    ASSERT_EQ (replies.size(), 1u);
    const auto& r = replies[0];
    ASSERT_EQ (r.size(), 37u);
    // 5A 05 00, type 138 = 0A 01, id 4097 = 01 20, size 5000 = 08 27 00.
    EXPECT_EQ (Bytes (r.begin(), r.begin() + 15),
               (Bytes { 0xF0, 0x07, 0x46, 0x01, 0x00, 0x5A, 0x05, 0x00, 0x0A, 0x01, 0x01, 0x20, 0x08, 0x27, 0x00 }));
    EXPECT_EQ (std::string (r.begin() + 16, r.begin() + 36), "User Piano          ");
    EXPECT_EQ (r.back(), 0xF7);

    // A size above 14 bits uses the third group; bytes with bit 7 go out as blanks;
    // the name is cut at 20.
    const auto big = ask (memory, infoRequest (fxChain, 8192));
    ASSERT_EQ (big.size(), 1u);
    const auto p = parsed (big[0]);
    EXPECT_EQ (p.kind, zd8::TransferReply::Kind::info);
    EXPECT_EQ (p.type, fxChain);
    EXPECT_EQ (p.id, 8192);
    EXPECT_EQ (p.totalSize, 20000);
    EXPECT_EQ (std::string (big[0].begin() + 16, big[0].begin() + 36), std::string ("Long\x01" "Chain " "Name that"));
}

TEST (ObjectMemoryTransfer, ChunksCarryOffsetLengthAndPackedData)
{
    ObjectMemory memory (false);
    const auto data = pattern (5000, 9);
    memory.setObject (program, 4096, "Five Thousand", data);

    struct Case { int offset, length; size_t expect; };
    for (auto c : { Case { 0, 2048, 2048 }, Case { 2048, 2048, 2048 }, Case { 4096, 904, 904 },
                    Case { 4096, 2048, 904 },   // cut at the object's end
                    Case { 5000, 0, 0 } })
    {
        const auto replies = ask (memory, chunkRequest (program, 4096, c.offset, c.length));
        ASSERT_EQ (replies.size(), 1u);
        const auto& r = replies[0];
        // Fields least significant group first: offset 4096 = 00 20 00.
        EXPECT_EQ (r[12] + r[13] * 128 + r[14] * 16384, c.offset);
        EXPECT_EQ (r[15] + r[16] * 128 + r[17] * 16384, (int) c.expect);

        const auto septets = ObjectMemory::unpack7 (r.data() + 18, r.size() - 21);
        EXPECT_EQ (septets, Bytes (data.begin() + c.offset, data.begin() + c.offset + (long) c.expect)) << c.offset;

        const auto p = parsed (r);
        ASSERT_EQ (p.kind, zd8::TransferReply::Kind::chunk);
        EXPECT_EQ (p.offset, c.offset);
        EXPECT_EQ (p.length, (int) c.expect);
        EXPECT_EQ (p.data.getSize(), c.expect);
    }

    const auto requests = memory.getRequests();
    ASSERT_EQ (requests.size(), 5u);
    EXPECT_EQ (requests[2].kind, ObjectMemory::Request::Kind::chunk);
    EXPECT_EQ (requests[2].offset, 4096);
    EXPECT_EQ (requests[2].length, 904);
}

TEST (ObjectMemoryTransfer, RefusalsCarryTheirNackCodeTypeAndId)
{
    ObjectMemory memory (false);
    memory.setObject (multi, 4100, "Split", pattern (100, 2));

    struct Case { Bytes request; int code; };
    const Case cases[] = {
        { infoRequest (multi, 4101), 4 },              // not there
        { chunkRequest (multi, 4101, 0, 10), 4 },
        { infoRequest (149, 4100), 3 },                // no such type in memory
        { chunkRequest (multi, 4100, 101, 1), 7 },     // offset past the end
        { chunkRequest (multi, 4100, 0, 2049), 7 },    // longer than a chunk
    };
    for (const auto& c : cases)
    {
        const auto replies = ask (memory, c.request);
        ASSERT_EQ (replies.size(), 1u);
        const auto& r = replies[0];
        ASSERT_EQ (r.size(), 13u);
        EXPECT_EQ (r[6], 0x03);
        EXPECT_EQ (r[7], c.code);
        EXPECT_EQ (Bytes (r.begin() + 8, r.begin() + 12), Bytes (c.request.begin() + 8, c.request.begin() + 12));
        EXPECT_EQ (parsed (r).nackCode, c.code);
    }
}

TEST (ObjectMemoryTransfer, MalformedMessagesGetNoAnswerAndNeverCrash)
{
    ObjectMemory memory (false);
    memory.setObject (program, 4096, "P", pattern (50, 1));

    auto longer = infoRequest (program, 4096);
    longer.insert (longer.end() - 1, 0x00);
    auto highBit = chunkRequest (program, 4096, 0, 10);
    highBit[13] = 0x80;
    auto device = infoRequest (program, 4096);
    device[4] = 0x01;
    auto sub = infoRequest (program, 4096);
    sub[7] = 0x01;
    for (const auto& m : { longer, highBit, device, sub, Bytes { 0xF0, 0xF7 }, Bytes {} })
        EXPECT_TRUE (ask (memory, m).empty());
    EXPECT_TRUE (memory.handleMessage (nullptr, 19).empty());

    // Arbitrary bytes behind a valid header, and arbitrary messages: no answer that
    // is not a well-formed instrument message, no read outside the input.
    std::mt19937 rng (17);
    for (int i = 0; i < 20000; ++i)
    {
        Bytes m { 0xF0, 0x07, 0x46, 0x01, 0x00 };
        const size_t n = rng() % 40;
        for (size_t k = 0; k < n; ++k)
            m.push_back ((std::uint8_t) (i % 3 == 0 ? rng() : rng() & 0x7F));
        if (i % 2 == 0)
            m.push_back (0xF7);
        if (i % 5 == 0 && m.size() > 7)
            m[5] = (std::uint8_t) ((i % 2) ? 0x5A : 0x02);

        for (const auto& r : ask (memory, m))
        {
            ASSERT_GE (r.size(), 8u);
            EXPECT_EQ (r.front(), 0xF0);
            EXPECT_EQ (r.back(), 0xF7);
            for (size_t k = 1; k + 1 < r.size(); ++k)
                ASSERT_LT (r[k], 0x80);
        }
    }
}

//==============================================================================
TEST (ObjectMemoryBanks, HoldsTheBuiltInBanksAsThePluginIndexesThem)
{
    ObjectMemory memory;

    for (int type : { program, multi, fxChain })
    {
        zd8::ObjectStore store;
        store.buildIndex (type, zd8::BuiltInBanks::builtInBank (type), zd8::BuiltInBanks::highestId (type));
        const auto present = store.listIds (zd8::ObjectStore::listPresent, 0);
        ASSERT_FALSE (present.empty());

        auto ids = memory.getIds (type);
        // The store cannot report its highest indexed ID; the memory has no such limit.
        ids.erase (std::remove_if (ids.begin(), ids.end(), [&] (int id) { return id >= store.getSlotCount(); }), ids.end());
        EXPECT_EQ (ids, present) << type;

        for (size_t k = 0; k < present.size(); k += present.size() / 25 + 1)
        {
            const int id = present[k];
            const auto record = store.readRecord (id);
            const auto* bytes = static_cast<const std::uint8_t*> (record.getData());
            const auto object = memory.getObject (type, id);
            ASSERT_TRUE (object.has_value());
            EXPECT_TRUE (std::equal (object->name.begin(), object->name.end(), bytes)) << id;
            EXPECT_EQ (object->data, Bytes (bytes + 20, bytes + record.getSize())) << id;
        }
    }
}

//==============================================================================
TEST (ObjectMemoryWrites, ProgramBlocksAndTheNameFileThePartsProgram)
{
    ObjectMemory memory (false);

    // A two-layer program: layer area 230 + 2 * 318 = 866 bytes of data, then the
    // name list (identifier, count, entries of 8 + n bytes), the assignment list
    // (identifier, count, 4-byte entries) and a trailer of further program data.
    const Bytes oldNames { 0x00, 0x01, 0x00, 0x01, 1, 2, 3, 4, 5, 6, 0x00, 0x03, 'A', 'B', 'C' };
    const Bytes oldAssignments { 0x00, 0x02, 0x00, 0x01, 9, 9, 9, 9 };
    const Bytes trailer = pattern (30, 4);
    Bytes data = pattern (866, 5);
    data[40] = 2;
    for (const auto* part : { &oldNames, &oldAssignments, &trailer })
        data.insert (data.end(), part->begin(), part->end());
    memory.setObject (program, 12, "Source", data);
    memory.selectProgram (3, 12);

    Bytes common = pattern (153, 6);
    common[35] = 2;   // the layer count, at common block position 35
    const Bytes names { 0x00, 0x01, 0x00, 0x02, 0, 0, 0, 1, 0, 0, 0x00, 0x01, 'X', 0, 0, 0, 2, 0, 0, 0x00, 0x02, 'Y', 'Z' };
    const Bytes assignments { 0x00, 0x02, 0x00, 0x02, 1, 1, 1, 1, 2, 2, 2, 2 };
    for (const auto& m : { programData (3, 4, 3, names), programData (3, 5, 3, assignments), programData (3, 0, 1, common),
                           nameMessage (0x02, 4200, 3, "Written") })
        EXPECT_TRUE (ask (memory, m).empty());

    const auto written = memory.getObject (program, 4200);
    ASSERT_TRUE (written.has_value());
    EXPECT_EQ (text (written->name), "Written             ");
    Bytes expect (data.begin(), data.begin() + 866);
    std::copy_n (common.begin(), 133, expect.begin() + 5);
    expect.insert (expect.end(), names.begin(), names.end());
    expect.insert (expect.end(), assignments.begin(), assignments.end());
    expect.insert (expect.end(), trailer.begin(), trailer.end());
    EXPECT_EQ (written->data, expect);
    EXPECT_EQ (memory.getObject (program, 12)->data, data) << "the source stays as it was";

    // A name message for a part that holds nothing renames the object.
    memory.selectProgram (5, 999);
    ask (memory, nameMessage (0x02, 12, 5, "Renamed"));
    EXPECT_EQ (text (memory.getObject (program, 12)->name), "Renamed             ");
    EXPECT_EQ (memory.getObject (program, 12)->data, data);

    // A multi name files the selected multi under the new ID.
    memory.setObject (multi, 7, "Stage", pattern (64, 9));
    memory.selectMulti (7);
    ask (memory, nameMessage (0x0B, 4096, 0, "My Stage"));
    ASSERT_TRUE (memory.getObject (multi, 4096).has_value());
    EXPECT_EQ (text (memory.getObject (multi, 4096)->name), "My Stage            ");
    EXPECT_EQ (memory.getObject (multi, 4096)->data, pattern (64, 9));
}

//==============================================================================
namespace
{
/** The plug-in's side of the cable. */
struct Receiver : juce::MidiInputCallback
{
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& m) override
    {
        std::lock_guard<std::mutex> g (lock);
        got.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
    }

    std::vector<Bytes> get()
    {
        std::lock_guard<std::mutex> g (lock);
        return got;
    }

    std::mutex lock;
    std::vector<Bytes> got;
};
} // namespace

TEST (InstrumentSimulatorFaults, RepliesAreDroppedDelayedDuplicatedOrGarbledInTurn)
{
    zd8test::ManualTimeline timeline;
    InstrumentSimulator sim (InstrumentSimulator::defaultName, timeline, timeline);
    Receiver plugin;
    sim.getDevice()->fromDevice.connect (&plugin);
    sim.getMemory().setObject (program, 4096, "Fault", pattern (30, 1));

    auto request = [&] {
        const auto m = infoRequest (program, 4096);
        sim.getDevice()->toDevice.sendRaw (m.data(), (int) m.size(), timeline.nowMs());
        EXPECT_TRUE (sim.waitUntilHandled());
        EXPECT_TRUE (sim.waitUntilDelivered());
    };

    sim.injectReplyFault (InstrumentSimulator::ReplyFault::drop, 2);
    sim.injectReplyFault (InstrumentSimulator::ReplyFault::duplicate);
    sim.injectReplyFault (InstrumentSimulator::ReplyFault::garble);
    sim.injectReplyFault (InstrumentSimulator::ReplyFault::delay, 1, 300);
    EXPECT_EQ (sim.getPendingReplyFaults(), 5);

    request();
    request();
    EXPECT_TRUE (plugin.get().empty()) << "two dropped";

    request();
    auto got = plugin.get();
    ASSERT_EQ (got.size(), 2u);
    EXPECT_EQ (got[0], got[1]);
    const auto clean = got[0];
    EXPECT_EQ (parsed (clean).kind, zd8::TransferReply::Kind::info);

    request();
    got = plugin.get();
    ASSERT_EQ (got.size(), 3u);
    const auto& garbled = got[2];
    ASSERT_EQ (garbled.size(), clean.size());
    EXPECT_EQ (Bytes (garbled.begin(), garbled.begin() + 5), Bytes (clean.begin(), clean.begin() + 5));
    EXPECT_EQ (garbled.back(), 0xF7);
    EXPECT_EQ (garbled[5], clean[5] ^ 0x7F);
    EXPECT_EQ (parsed (garbled).kind, zd8::TransferReply::Kind::none);

    request();
    EXPECT_EQ (plugin.get().size(), 3u);
    EXPECT_EQ (sim.getHeldReplyCount(), 1);
    timeline.advance (299);
    EXPECT_TRUE (sim.waitUntilDelivered());
    EXPECT_EQ (plugin.get().size(), 3u);
    timeline.advance (1);
    EXPECT_TRUE (sim.waitUntilDelivered());
    ASSERT_EQ (plugin.get().size(), 4u);
    EXPECT_EQ (plugin.get()[3], clean);
    EXPECT_EQ (sim.getHeldReplyCount(), 0);

    EXPECT_EQ (sim.getPendingReplyFaults(), 0);
    request();
    EXPECT_EQ (plugin.get().size(), 5u) << "faults used up: answered normally";

    sim.getDevice()->fromDevice.connect (nullptr);
}
