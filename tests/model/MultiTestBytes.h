#pragma once

// Hand-placed multi bytes for the multi tests. Every position below is written out by
// hand (not computed by a walk), so the tests compare the walk with positions a person
// worked out from the record layout.

#include <juce_core/juce_core.h>

#include <cstdint>
#include <string>
#include <vector>

namespace multitest
{

struct Bytes
{
    std::vector<std::uint8_t> b;

    explicit Bytes (size_t size) : b (size, 0) {}

    void put8 (size_t at, int v) { b.at (at) = (std::uint8_t) v; }
    void put16 (size_t at, int v) { put8 (at, (v >> 8) & 0xFF); put8 (at + 1, v & 0xFF); }
    void put32 (size_t at, std::uint32_t v)
    {
        put16 (at, (int) (v >> 16));
        put16 (at + 2, (int) (v & 0xFFFF));
    }
    void append (const Bytes& other) { b.insert (b.end(), other.b.begin(), other.b.end()); }
    juce::MemoryBlock block() const { return { b.data(), b.size() }; }
};

/** Zone "one": a 3-byte and a 53-byte list A entry, a 4-byte and a long list B entry,
    all six typed block sizes, section S in its second form (a skip, a sized block, an
    empty block, and a third block whose flag byte 200 is negative), three tail entries
    flagged for reordering.

    shift is 0 for the store layout (long list B entry 157 bytes) and -4 for the edit-
    message layout (153 bytes): everything after list B moves by it.

    Store layout positions: list A 43 (entries 43, 46), list B 107 (entries 107, 111),
    typed blocks 268..381, section S at P = 385, tail T = 1065, end 1133. */
inline Bytes zoneOne (int number, int shift = 0)
{
    const auto s = [shift] (size_t at) { return (size_t) ((int) at + shift); };
    Bytes z (1133 + (size_t) shift);

    // Header.
    z.put8 (2, 2);
    z.put8 (3, number);
    z.put8 (5, 0xF0);
    z.put8 (6, 7);
    z.put16 (11, 0x1234);
    z.put8 (13, 1);
    z.put8 (14, 2);
    z.put8 (15, 3);
    z.put8 (18, 36);
    z.put8 (19, 59);
    z.put8 (20, 0x81);
    z.put16 (21, 500);
    z.put8 (23, 9);
    z.put16 (27, 0xFFFF);
    z.put16 (29, 7);
    for (int k = 31; k <= 35; ++k)
        z.put8 ((size_t) k, k);

    // List A: count 2; entry 0 at 43 is short (byte 46 = 255), entry 1 at 46 long.
    z.put32 (40, 2);
    z.put8 (46, 255);
    z.put16 (50, 1000);
    z.put16 (60, 2000);
    z.put16 (62, 3000);
    z.put8 (67, 21);
    z.put8 (69, 23);
    z.put8 (64, 18);
    z.put8 (49, 77);

    // List B: count 2 at 104; entry 0 at 107 is short (byte 111 = 255), entry 1 at 111.
    z.put32 (104, 2);
    z.put8 (111, 255);
    z.put16 (116, 4242);
    z.put16 (136, 25);
    z.put16 (138, 2727);
    z.put8 (144, 33);
    z.put8 (146, 35);
    z.put8 (114, 3);
    z.put8 (115, 4);
    z.put8 (165, 54);
    z.put8 (166, 55);
    for (int k = 0; k < 8; ++k)
        z.put8 (157 + (size_t) k, 10 + k);
    z.put8 (156, 18);

    // Typed blocks 0, 1, 2, 3, 4, 7, 0, 5 at 268, 278, 290, 311, 350, 359, 365, 375.
    z.put32 (s (281), 1);
    z.put32 (s (293), 2);
    z.put32 (s (314), 3);
    z.put32 (s (353), 4);
    z.put32 (s (362), 7);
    z.put32 (s (378), 5);

    // Section S at P = 385, value field 1 at 386.
    const int sectionBytes[][2] = { { 399, 13 }, { 401, 15 }, { 423, 37 }, { 425, 39 }, { 391, 5 },
                                    { 390, 4 },  { 393, 7 },  { 409, 23 }, { 394, 8 },  { 407, 21 },
                                    { 408, 22 }, { 412, 26 }, { 431, 45 }, { 392, 6 },  { 404, 18 },
                                    { 405, 19 }, { 397, 11 } };
    for (const auto& sb : sectionBytes)
        z.put8 (s ((size_t) sb[0]), sb[1]);
    z.put16 (s (402), 1250);       // tempo, hundredths of a BPM
    z.put8 (s (434), 1);           // P + 49 positive: skip the 10 bytes given at P + 51
    z.put16 (s (436), 10);
    z.put8 (s (450), 5);           // block at 447 has a 600-byte body
    z.put16 (s (452), 600);
    z.put16 (s (1058), 0x7777);    // block at 1053: flag 0, its length is not used
    z.put8 (s (1062), 200);        // block at 1059: flag negative, length not used
    z.put16 (s (1064), 0x0102);

    // Tail at T = 1065.
    z.put8 (s (1067), 2);
    z.put32 (s (1068), 0x01020304);
    for (int k = 0; k < 10; ++k)
        z.put8 (s (1072 + (size_t) k), 70 + k);
    z.put8 (s (1082), 17);
    z.put8 (s (1083), 18);
    z.put16 (s (1084), 15);
    z.put8 (s (1088), 23);
    z.put32 (s (1092), 0x80000001u);
    z.put8 (s (1098), 33);
    z.put8 (s (1099), 0x01);
    z.put8 (s (1100), 0x22);
    z.put16 (s (1101), 291);
    z.put16 (s (1110), 321);       // program
    z.put8 (s (1112), 0xFE);
    z.put16 (s (1117), 3);         // NC
    const int entries[] = { 0xA0, 1, 0xA2, 0xA3, 0xB0, 0xB1, 0xB2, 0xB3, 0xC0, 0xC1, 0xC2, 0xC3 };
    for (size_t k = 0; k < 12; ++k)
        z.put8 (s (1119 + k), entries[k]);
    return z;
}

/** Zone "two": no list A entries, one long list B entry, eight 6-byte typed blocks,
    section S in its first form, forty tail entries. List B 51, typed blocks 208..256,
    P = 260 (i = 20, byte 338 = 100, P' = 444, byte 200, P'' = 654, byte 250),
    T = 900, end 1116. */
inline Bytes zoneTwo (int number)
{
    Bytes z (1116);
    z.put8 (2, 1);
    z.put8 (3, number);
    z.put8 (18, 60);
    z.put8 (19, 96);
    z.put32 (48, 1);
    for (size_t block = 208; block < 256; block += 6)
        z.put32 (block + 3, 9);
    z.put8 (302, 1);
    z.put8 (312, 20);
    z.put8 (338, 100);
    z.put8 (444, 200);
    z.put8 (654, 250);
    z.put16 (277, 12000);          // tempo
    z.put16 (945, 1136);           // program
    z.put16 (952, 40);             // NC
    return z;
}

/** The common part in the store layout: name, "ZD7", bytes 26..48 holding their own
    offset, zone count, and per-zone and common values. */
inline Bytes storeCommon (int zoneCount)
{
    Bytes c (462);
    const std::string name = "Hand Multi";
    for (size_t k = 0; k < 20; ++k)
        c.put8 (k, k < name.size() ? name[k] : ' ');
    c.put8 (20, 'Z');
    c.put8 (21, 'D');
    c.put8 (22, '7');
    for (int k = 26; k <= 48; ++k)
        c.put8 ((size_t) k, k);
    c.put8 (67, zoneCount);
    c.put8 (70, 10);   // A zone 0
    c.put8 (86, 5);    // B zone 0
    c.put8 (87, 7);    // B zone 1 (A is 0)
    c.put8 (72, 3);    // A zone 2
    c.put16 (102, 0xFFFE);  // J zone 0 = -2
    c.put16 (104, 300);     // J zone 1
    c.put16 (134, 0xFED4);  // D zone 0 = -300
    c.put8 (199, 99);       // E zone 0
    c.put8 (229, 15);       // E zone 15
    c.put8 (231, 88);       // F zone 0
    c.put16 (294, 1234);    // G
    c.put16 (296, 4321);    // H
    const int singles[][2] = { { 301, 1 }, { 303, 3 }, { 307, 7 }, { 309, 9 }, { 312, 12 }, { 313, 13 } };
    for (const auto& v : singles)
        c.put8 ((size_t) v[0], v[1]);
    return c;
}

/** A record: the store common part, then the zones, then 40 bytes the walk never
    reads. */
inline Bytes record (const std::vector<Bytes>& zones, int zoneCount)
{
    Bytes r = storeCommon (zoneCount);
    for (const auto& z : zones)
        r.append (z);
    Bytes rest (40);
    for (size_t k = 0; k < 40; ++k)
        rest.put8 (k, 0x55);
    r.append (rest);
    return r;
}

} // namespace multitest
