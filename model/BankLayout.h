#pragma once

// The tagged layout of a bank block: the built-in banks, the data files and every
// object store share it. Header-only and free of JUCE because the build-time bank
// generator (tools/bankgen) writes banks with it and may link none of our code.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zd8
{

/** The tags and record parameters of one object kind.

    A bank block is: bank open tag (not for the auxiliary kinds), then for IDs 1, 2, 3 ...
    in ascending order the record open tag (stem + four-digit ID), the inner open tag
    (programs, multis, FX chains only), the content (20-byte name + object data, nothing
    for an empty slot), the inner close tag, the record close tag ("<" + stem without
    its last character + the same four digits); then the bank close tag. All tags are
    plain ASCII without terminators. */
struct BankLayout
{
    static constexpr int tagLength = 10;                        // bank tags, stems, inner tags
    static constexpr int idDigits = 4;                          // "0001" .. "9999"
    static constexpr int recordTagLength = tagLength + idDigits; // record open and close tags
    static constexpr int highestTaggedId = 9999;                // the last ID four digits can write

    int typeCode;
    const char* bankOpen;   // "" for the kinds without bank tags
    const char* bankClose;
    const char* stem;       // open-tag stem, tagLength bytes
    const char* innerOpen;  // "" when the kind has no inner tags
    const char* innerClose;
    int nameSkip;           // first byte of the open tag to the first byte of the content
    int tagOverhead;        // tag bytes around one record's content
    int categoryOffset;     // content positions of the category bytes
    int subCategoryOffset;

    bool hasBankTags() const noexcept { return bankOpen[0] != 0; }
    bool hasInnerTags() const noexcept { return innerOpen[0] != 0; }

    /** The layout of an object type code; nullptr for a kind without tags (FX Preset,
        151) or an unknown code. */
    static const BankLayout* forType (int typeCode) noexcept;

    /** Writes id (0..9999) as four ASCII digits, zero-padded. */
    static void writeId (int id, char* out) noexcept
    {
        for (int i = idDigits - 1; i >= 0; --i, id /= 10)
            out[i] = (char) ('0' + id % 10);
    }

    /** Reads four ASCII digits; -1 when any of them is not a digit. */
    static int readId (const std::uint8_t* in) noexcept
    {
        int id = 0;
        for (int i = 0; i < idDigits; ++i)
        {
            if (in[i] < '0' || in[i] > '9')
                return -1;
            id = id * 10 + (in[i] - '0');
        }
        return id;
    }

    void appendBankOpen (std::vector<std::uint8_t>& out) const { append (out, bankOpen, std::strlen (bankOpen)); }
    void appendBankClose (std::vector<std::uint8_t>& out) const { append (out, bankClose, std::strlen (bankClose)); }

    /** One record with its tags; size 0 writes an empty slot. id must be 1..9999. */
    void appendRecord (std::vector<std::uint8_t>& out, int id, const std::uint8_t* content, std::size_t size) const
    {
        char digits[idDigits];
        writeId (id, digits);

        append (out, stem, tagLength);
        append (out, digits, idDigits);
        append (out, innerOpen, std::strlen (innerOpen));
        if (size > 0)
            append (out, content, size);
        append (out, innerClose, std::strlen (innerClose));
        out.push_back ((std::uint8_t) '<');
        append (out, stem, tagLength - 1);
        append (out, digits, idDigits);
    }

private:
    static void append (std::vector<std::uint8_t>& out, const void* bytes, std::size_t size)
    {
        const auto* p = static_cast<const std::uint8_t*> (bytes);
        out.insert (out.end(), p, p + size);
    }
};

// One row per object kind that has tags.
inline constexpr BankLayout bankLayouts[] = {
    { 138, "Prog*Bank>", "<Prog*Bank", "Prog*Dat*>", "Prog_Dat*>", "<Prog_Dat*", 24, 48, 30, 31 },
    { 155, "Set**Bank>", "<Set**Bank", "Set**Dat*>", "Set*-Dat*>", "<Set*-Dat*", 24, 48, 26, 26 },
    { 156, "FX***Bank>", "<FX***Bank", "FX***Data>", "FX*-*Data>", "<FX*-*Data", 24, 48, 26, 26 },
    { 103, "", "", "IntT*Dat*>", "", "", 14, 28, 50, 50 },
    { 112, "", "", "Song*Dat*>", "", "", 14, 28, 50, 50 },
    { 133, "", "", "KeyM*Dat*>", "", "", 14, 28, 50, 50 },
    { 149, "", "", "Alg**Data>", "", "", 14, 28, 50, 50 },
    { 158, "", "", "Samp*Dat*>", "", "", 14, 28, 50, 50 },
    { 163, "", "", "PatS*Dat*>", "", "", 14, 28, 50, 50 },
    { 164, "", "", "PatV*Dat*>", "", "", 14, 28, 50, 50 },
    { 168, "", "", "Arp *Dat*>", "", "", 14, 28, 50, 50 },
};

inline const BankLayout* BankLayout::forType (int typeCode) noexcept
{
    for (const auto& layout : bankLayouts)
        if (layout.typeCode == typeCode)
            return &layout;
    return nullptr;
}

} // namespace zd8
