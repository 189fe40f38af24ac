#pragma once

// Small FX chain records and banks written byte by byte for the FX chain tests.

#include "model/BankLayout.h"
#include "model/ObjectStore.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fxtest
{
using Bytes = std::vector<std::uint8_t>;

inline void put16 (Bytes& b, int v)
{
    b.push_back ((std::uint8_t) ((v >> 8) & 0xFF));
    b.push_back ((std::uint8_t) (v & 0xFF));
}

/** 20 name bytes, blank-padded. */
inline Bytes name (const std::string& text)
{
    Bytes b (text.begin(), text.end());
    b.resize (20, ' ');
    return b;
}

struct Effect
{
    int algorithm;
    int parameters;
};

struct ListEntry
{
    int id;
    int value;
    std::string name;
};

inline Bytes nameList (const std::vector<ListEntry>& entries, int identifier = 1)
{
    Bytes b;
    put16 (b, identifier);
    put16 (b, (int) entries.size());
    for (const auto& e : entries)
    {
        put16 (b, 0);
        put16 (b, e.id);
        put16 (b, e.value);
        put16 (b, (int) e.name.size());
        b.insert (b.end(), e.name.begin(), e.name.end());
    }
    return b;
}

/** A whole chain: name, header up to h (bytes 0x55, then two zeros), the 349 settings
    bytes starting with 0x14 (the rest 0x66), count byte, effects, name list. */
inline Bytes chain (const std::string& chainName, const std::vector<Effect>& effects,
                    const std::vector<ListEntry>& list = {}, int h = 30)
{
    Bytes b = name (chainName);
    while ((int) b.size() < h - 2)
        b.push_back (0x55);
    b.push_back (0);
    b.push_back (0);
    b.push_back (0x14);
    b.resize ((size_t) h + 349, 0x66);
    b.push_back ((std::uint8_t) effects.size());
    for (const auto& e : effects)
    {
        put16 (b, e.algorithm);
        put16 (b, 0);
        put16 (b, 0);
        put16 (b, e.parameters);
        for (int i = 0; i < e.parameters; ++i)
            put16 (b, i);
    }
    const auto l = nameList (list);
    b.insert (b.end(), l.begin(), l.end());
    return b;
}

/** An FX chain bank with tagged slots 1..slots, content where given. */
inline juce::MemoryBlock bank (const std::map<int, Bytes>& records, int slots = 16)
{
    const auto* layout = zd8::BankLayout::forType (zd8::ObjectStore::typeFxChain);
    Bytes out;
    layout->appendBankOpen (out);
    for (int id = 1; id <= slots; ++id)
    {
        const auto it = records.find (id);
        if (it == records.end())
            layout->appendRecord (out, id, nullptr, 0);
        else
            layout->appendRecord (out, id, it->second.data(), it->second.size());
    }
    layout->appendBankClose (out);
    return { out.data(), out.size() };
}

} // namespace fxtest
