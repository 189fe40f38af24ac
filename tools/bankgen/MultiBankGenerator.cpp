// Our own built-in multi bank (type 155): multis at IDs 1..50 and the four templates at
// 2044..2047, named and filled by a fixed-seed generator, never from the instrument's
// own factory content.
//
// Record content of a multi (big-endian numbers):
//   0..19     name, blank-padded            20..22  "ZD7"
//   23..461   common area: 26..36, 38, 39, 46, 48 settings (26 the category), 67 zone
//             count, 70 + z value A (a zone's part number, 1..16), 86 + z value B,
//             102 + 2z value J and 134 + 2z value D (signed 16-bit), 199 + 2z value E,
//             231 + 2z value F, 294 value G, 296 value H, 301..313 single bytes
//   462       the zones, one after another, then further multi data
//
// A zone (offsets from its first byte):
//   0..39     header: 2 status (2 = playing), 3 zone number 1..16, 18 low key, 19 high key
//   40..43    list A count NA; the entries start at 43 (on the count's last byte), an
//             entry whose byte 3 is 255 being 3 bytes long, any other 53
//   A + 5     list B count NB (A = end of list A); the entries start at A + 8, an entry
//             whose byte 4 is 255 being 4 bytes long, any other 157
//   then      eight typed blocks, each block's 32-bit type at its byte 3 (type 0: 10
//             bytes, 1: 12, 2: 21, 3: 39, 4: 9, others 6)
//   P         section S, 4 bytes after the blocks, in one of two forms (byte P + 42 is 1
//             for the first); the tempo in hundredths of a BPM at P + 17
//   T         the tail: tempo again at T + 19, the program number at T + 45, the entry
//             count NC at T + 52, NC 4-byte entries from T + 54; the zone ends at
//             T + 56 + 4 NC
//
// Entries, blocks and sub-blocks never write their own first byte: in this layout a
// short entry's mark, or the low byte of a count or type, is the next part's first byte.
// Every zone is at least 1000 bytes long (shorter zones are not decoded by the plug-in).
#include "tools/bankgen/BankGenerator.h"
#include "tools/bankgen/SeededRandom.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>
#include <string>

namespace zd8gen
{

namespace
{
    constexpr int nameLength = 20;
    constexpr int regularMultis = 50;
    constexpr int maxZones = 16;

    // Record offsets.
    constexpr size_t markerOffset = 20;
    constexpr size_t commonSize = 462;
    constexpr size_t categoryOffset = 26;
    constexpr size_t zoneCountOffset = 67;
    constexpr size_t valueAOffset = 70, valueBOffset = 86;
    constexpr size_t valueJOffset = 102, valueDOffset = 134;
    constexpr size_t valueEOffset = 199, valueFOffset = 231;
    constexpr size_t valueGOffset = 294, valueHOffset = 296;
    constexpr size_t commonSingles[] = { 301, 303, 307, 309, 312, 313 };
    constexpr size_t commonSettings[] = { 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 38, 39, 46, 48 };

    // Zone offsets.
    constexpr size_t headerStatus = 2, headerNumber = 3, headerLow = 18, headerHigh = 19;
    constexpr size_t headerSize = 40;
    constexpr size_t listACount = 40, listAStart = 43;
    constexpr int listAShort = 3, listALong = 53, listAMark = 3;
    constexpr size_t listBCountAfterA = 5, listBStartAfterA = 8;
    constexpr int listBShort = 4, listBLong = 157, listBMark = 4;
    constexpr int typedBlocks = 8, typeOffset = 3;
    constexpr std::array<int, 5> typedSizes { 10, 12, 21, 39, 9 };
    constexpr int otherTypedSize = 6;
    constexpr size_t sectionGap = 4;
    constexpr size_t sectionFormMark = 42, sectionTempo = 17;
    constexpr size_t sectionFields[] = { 5, 6, 7, 8, 9, 12, 14, 16, 19, 20, 22, 23, 24, 27, 38, 40, 46 };
    constexpr size_t tailTempo = 19, tailProgram = 45, tailCount = 52, tailEntries = 54, tailEnd = 56;
    constexpr size_t tailReorderFlag = 55;
    constexpr int tailEntrySize = 4;
    constexpr size_t minimumZoneSize = 1000;

    constexpr std::uint8_t mark = 255;
    constexpr std::uint8_t statusPlaying = 2;
    constexpr int lowestKey = 21, highestKey = 108;   // 88 keys


    struct Bytes
    {
        std::vector<std::uint8_t> b;
        void grow (size_t size) { if (b.size() < size) b.resize (size, 0); }
        void put8 (size_t at, int v) { grow (at + 1); b[at] = (std::uint8_t) v; }
        void put16 (size_t at, int v) { put8 (at, (v >> 8) & 0xFF); put8 (at + 1, v & 0xFF); }
        void put32 (size_t at, std::uint32_t v) { put16 (at, (int) (v >> 16)); put16 (at + 2, (int) (v & 0xFFFF)); }
    };

    struct ZonePlan
    {
        int number = 1, low = lowestKey, high = highestKey, program = 1, tempo = 12000;
        bool firstForm = true, reorder = false;
        std::vector<bool> listAShort, listBShort;
        std::array<int, typedBlocks> types {};
        int tailCount = 0;
        std::uint64_t seed = 0;   // the values inside entries, blocks and sections
    };

    /** Fills bytes from..to-1 (to exclusive) with small values, leaving the rest as is. */
    void fillSmall (Bytes& z, size_t from, size_t to, SeededRandom& values, int high = 100)
    {
        for (size_t k = from; k < to; ++k)
            z.put8 (k, values.between (0, high));
    }

    void writeHeader (Bytes& z, const ZonePlan& plan, SeededRandom& values)
    {
        fillSmall (z, 4, headerSize, values, 63);
        z.put8 (headerStatus, statusPlaying);
        z.put8 (headerNumber, plan.number);
        z.put8 (headerLow, plan.low);
        z.put8 (headerHigh, plan.high);
    }

    /** Section S from p in the plan's form; returns its end. */
    size_t writeSection (Bytes& z, size_t p, const ZonePlan& plan, SeededRandom& values)
    {
        for (size_t f : sectionFields)
            z.put8 (p + f, values.between (0, 99));
        z.put16 (p + sectionTempo, plan.tempo);

        if (plan.firstForm)
        {
            z.put8 (p + sectionFormMark, 1);
            const int i = values.between (0, 30);
            const int k = values.between (0, 60);
            z.put8 (p + 52, i);
            z.put8 (p + (size_t) i + 58, k);
            const size_t p1 = p + (size_t) (i + k + 64);
            const int m = values.between (0, 40);
            z.put8 (p1, m);
            const size_t p2 = p1 + 10 + (size_t) m;
            const int r = values.between (5, 40);
            z.put8 (p2, r);
            const size_t end = p2 - 4 + (size_t) r;
            z.grow (end);
            return end;
        }

        z.put8 (p + sectionFormMark, 0);
        size_t q = p + 52;
        if (values.chance (50))
        {
            const int skip = values.between (0, 40);
            z.put8 (p + 49, values.between (1, 100));
            z.put16 (p + 51, skip);
            q += (size_t) skip;
        }
        for (int block = 0; block < 3; ++block)
        {
            const int kind = values.between (0, 2);   // body, no body, flag byte negative
            z.put8 (q + 1, values.between (0, 99));
            z.put8 (q + 2, values.between (0, 99));
            if (kind == 0)
            {
                const int length = values.between (0, 120);
                z.put8 (q + 3, values.between (1, 100));
                z.put16 (q + 5, length);
                fillSmall (z, q + 7, q + 6 + (size_t) length, values);
                q += 6 + (size_t) length;
            }
            else
            {
                z.put8 (q + 3, kind == 1 ? 0 : values.between (128, 255));
                z.put8 (q + 5, values.between (0, 99));
                q += 6;
            }
        }
        z.grow (q);
        return q;
    }

    std::vector<std::uint8_t> buildZone (const ZonePlan& plan)
    {
        SeededRandom values (plan.seed);
        Bytes z;
        writeHeader (z, plan, values);

        z.put32 (listACount, (std::uint32_t) plan.listAShort.size());
        size_t a = listAStart;
        for (bool isShort : plan.listAShort)
        {
            if (isShort)
            {
                z.put8 (a + listAMark, mark);
                a += listAShort;
                continue;
            }
            fillSmall (z, a + 1, a + listALong, values, 127);   // byte 3 stays below 255
            a += listALong;
        }
        z.grow (a);

        z.put32 (a + listBCountAfterA, (std::uint32_t) plan.listBShort.size());
        size_t b = a + listBStartAfterA;
        for (bool isShort : plan.listBShort)
        {
            if (isShort)
            {
                z.put8 (b + listBMark, mark);
                b += listBShort;
                continue;
            }
            fillSmall (z, b + 1, b + listBLong, values, 127);
            b += listBLong;
        }
        z.grow (b);

        for (int type : plan.types)
        {
            const int size = type < (int) typedSizes.size() ? typedSizes[(size_t) type] : otherTypedSize;
            z.put8 (b + 1, values.between (0, 99));
            z.put8 (b + 2, values.between (0, 99));
            z.put32 (b + typeOffset, (std::uint32_t) type);
            fillSmall (z, b + typeOffset + 4, b + (size_t) size, values);
            b += (size_t) size;
        }

        const size_t t = writeSection (z, b + sectionGap, plan, values);

        // The tail.
        fillSmall (z, t + 2, t + 38, values, 99);
        z.put16 (t + tailTempo, plan.tempo);
        z.put16 (t + tailProgram, plan.program);
        z.put8 (t + tailProgram + 2, values.between (0, 99));
        z.put16 (t + tailCount, plan.tailCount);
        for (int e = 0; e < plan.tailCount; ++e)
            fillSmall (z, t + tailEntries + (size_t) (tailEntrySize * e), t + tailEntries + (size_t) (tailEntrySize * (e + 1)), values);
        // Entry 0's byte 1 asks the plug-in to move the first entry behind the next two.
        if (plan.tailCount > 0)
            z.put8 (t + tailReorderFlag, plan.reorder && plan.tailCount >= 3 ? 1 : 0);
        z.grow (t + tailEnd + (size_t) (tailEntrySize * plan.tailCount));
        return z.b;
    }

    /** The nearest existing program at or after a wanted one (wrapping), 1 when none. */
    int existingProgram (int wanted)
    {
        constexpr int lastProgram = 2047;
        for (int step = 0; step < lastProgram; ++step)
        {
            const int id = 1 + (wanted - 1 + step) % lastProgram;
            if (programExists (id))
                return id;
        }
        return 1;
    }

    ZonePlan planZone (SeededRandom& rng, int number, int low, int high, int program, int tempo, bool firstForm)
    {
        ZonePlan plan;
        plan.number = number;
        plan.low = low;
        plan.high = high;
        plan.program = program;
        plan.tempo = tempo;
        plan.firstForm = firstForm;
        plan.seed = rng.next();
        for (int k = rng.between (0, 5); k > 0; --k)
            plan.listAShort.push_back (rng.chance (25));
        for (int k = rng.between (3, 7); k > 0; --k)
            plan.listBShort.push_back (rng.chance (20));
        for (auto& type : plan.types)
            type = rng.between (0, 9);
        plan.tailCount = rng.between (0, 6);
        plan.reorder = rng.chance (30);

        // Long enough to be decoded: add long list B entries until it is.
        while (buildZone (plan).size() < minimumZoneSize)
            plan.listBShort.push_back (false);
        return plan;
    }

    enum class Shape { split, layer, stack };

    /** Key range of zone z of n: split keys side by side, layers over the whole
        keyboard (slightly staggered), stacks layer pairs over split ranges. */
    std::pair<int, int> keyRange (Shape shape, int z, int n, SeededRandom& rng)
    {
        const int keys = highestKey - lowestKey + 1;
        if (shape == Shape::layer)
            return { lowestKey + rng.between (0, 12), highestKey - rng.between (0, 12) };
        const int parts = shape == Shape::split ? n : (n + 1) / 2;
        const int part = shape == Shape::split ? z : z / 2;
        const int low = lowestKey + keys * part / parts;
        const int high = lowestKey + keys * (part + 1) / parts - 1;
        return { low, std::max (low, high) };
    }

    struct MultiPlan
    {
        int id = 0;
        std::string name;
        Shape shape = Shape::split;
        int zones = 1;
        std::vector<int> programs;   // wanted program per zone (0: choose one)
    };

    std::vector<std::uint8_t> buildMulti (const MultiPlan& m, SeededRandom& rng)
    {
        Bytes r;
        r.grow (commonSize);
        for (size_t k = 0; k < (size_t) nameLength; ++k)
            r.put8 (k, k < m.name.size() ? (std::uint8_t) m.name[k] : ' ');
        r.put8 (markerOffset, 'Z');
        r.put8 (markerOffset + 1, 'D');
        r.put8 (markerOffset + 2, '7');
        r.put8 (23, 1);
        r.put8 (categoryOffset, rng.between (0, 14));
        for (size_t offset : commonSettings)
            r.put8 (offset, rng.between (0, 63));
        r.put8 (zoneCountOffset, m.zones);
        for (int z = 0; z < m.zones; ++z)
        {
            r.put8 (valueAOffset + (size_t) z, 1 + z);
            r.put8 (valueBOffset + (size_t) z, rng.between (0, 2));
            r.put16 (valueJOffset + 2 * (size_t) z, rng.between (-24, 24));
            r.put16 (valueDOffset + 2 * (size_t) z, rng.between (-100, 100));
            r.put8 (valueEOffset + 2 * (size_t) z, rng.between (0, 127));
            r.put8 (valueFOffset + 2 * (size_t) z, rng.between (0, 127));
        }
        r.put16 (valueGOffset, rng.between (0, 1000));
        r.put16 (valueHOffset, rng.between (0, 1000));
        for (size_t offset : commonSingles)
            r.put8 (offset, rng.between (0, 99));

        const int tempo = 100 * rng.between (60, 180);
        for (int z = 0; z < m.zones; ++z)
        {
            const auto keys = keyRange (m.shape, z, m.zones, rng);
            const int wanted = z < (int) m.programs.size() && m.programs[(size_t) z] > 0 ? m.programs[(size_t) z]
                                                                                          : rng.between (1, 1136);
            // Both forms of section S in every multi with more than one zone.
            const bool firstForm = (m.id + z) % 2 == 0;
            const auto zone = buildZone (planZone (rng, z + 1, keys.first, keys.second, existingProgram (wanted), tempo, firstForm));
            r.b.insert (r.b.end(), zone.begin(), zone.end());
        }

        // Further multi data the plug-in keeps without reading it.
        const size_t restStart = r.b.size();
        const int rest = rng.between (100, 600);
        for (int k = 0; k < rest; ++k)
            r.put8 (restStart + (size_t) k, rng.between (0, 127));
        return r.b;
    }

    std::string fitName (const std::string& name)
    {
        return name.size() <= (size_t) nameLength ? name : name.substr (0, (size_t) nameLength);
    }

    std::vector<MultiPlan> planBank()
    {
        static const char* const colours[] = { "Amber", "Velvet", "Silver", "Harbor", "Cobalt", "Golden", "Misty",
                                               "Crimson", "Northern", "Quiet", "Bright", "Dusky", "Glass",
                                               "Copper", "Autumn", "Winter", "Ivory", "Ember", "Coral", "Slate" };
        static const char* const voices[] = { "Keys", "Strings", "Choir", "Brass", "Pads", "Bells",
                                              "Organ", "Horns", "Reeds", "Voices", "Harp", "Flutes" };
        static const char* const shapes[] = { "Split", "Layer", "Stack" };

        std::vector<MultiPlan> plans;
        std::set<std::string> used;
        for (int id = 1; id <= regularMultis; ++id)
        {
            MultiPlan m;
            m.id = id;
            m.shape = static_cast<Shape> (id % 3);
            // 7 and 16 share no factor: IDs 1..16 give every zone count 1..16 once.
            m.zones = 1 + (id * 7) % maxZones;
            for (int attempt = 0;; ++attempt)
            {
                const std::string colour = colours[(size_t) (id * 3 + attempt) % std::size (colours)];
                const std::string voice = voices[(size_t) (id * 5 + attempt / 3) % std::size (voices)];
                std::string name = colour + " " + voice + " " + shapes[id % 3];
                if (name.size() > (size_t) nameLength)
                    name = colour + " " + voice;
                if (used.insert (name).second)
                {
                    m.name = name;
                    break;
                }
            }
            plans.push_back (m);
        }

        // The templates.
        plans.push_back ({ 2044, "Split Default", Shape::split, 2, { 1, 2 } });
        plans.push_back ({ 2045, "Layer Default", Shape::layer, 2, { 1, 2 } });
        plans.push_back ({ 2046, "ZD8 Control", Shape::split, 4, { 1, 2, 3, 4 } });
        plans.push_back ({ 2047, "Clear Multi", Shape::split, 1, { 2047 } });
        for (auto& m : plans)
            m.name = fitName (m.name);
        return plans;
    }
}

std::vector<GeneratedObject> generateMultis()
{
    SeededRandom rng (0x5A44384D756C7469ull);   // "ZD8Multi"
    std::vector<GeneratedObject> multis;
    for (const auto& plan : planBank())
    {
        GeneratedObject object;
        object.id = plan.id;
        object.content = buildMulti (plan, rng);
        multis.push_back (std::move (object));
    }
    return multis;
}

} // namespace zd8gen
