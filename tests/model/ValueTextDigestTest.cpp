// Every description code's texts, over a spread of values, against digests written down
// from the formatter before its texts were made faster (tests/model/data/ValueTextDigests.txt):
// a faster path must give byte-identical texts. With ZD8_WRITE_VALUE_TEXT_DIGESTS set
// the test writes the file instead (only ever from a formatter known to be right).

#include "model/ValueFormatter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using namespace zd8;

namespace
{
    // Object names for two ids in three; the others are not stored (empty name).
    class SomeNames : public ObjectNameSource
    {
    public:
        juce::String objectName (int typeCode, int id) const override
        {
            if (id % 3 == 0)
                return {};
            return "Obj" + juce::String (typeCode) + "#" + juce::String (id) + (id % 7 == 0 ? juce::String (" Ä long name") : juce::String());
        }
    };

    std::vector<int> valuesTried()
    {
        std::vector<int> values;
        for (int v = -130; v <= 1030; ++v)
            values.push_back (v);
        for (int v : { -8193, -8192, -1000, 2047, 2048, 4095, 8191, 8192, 8193, 16383, 16384, 100000, INT_MIN, INT_MAX })
            values.push_back (v);
        return values;
    }

    constexpr int lastCode = 3000;

    /** FNV-1a over each text's UTF-8 bytes and a separator, per description code. */
    std::map<int, uint64_t> digests (const ValueFormatter& formatter)
    {
        std::map<int, uint64_t> result;
        const auto values = valuesTried();
        for (int code = 0; code <= lastCode; ++code)
        {
            uint64_t h = 1469598103934665603ull;
            auto mix = [&h] (unsigned char c) { h = (h ^ c) * 1099511628211ull; };
            bool anyText = false;
            for (int v : values)
            {
                const auto text = formatter.formatValue (code, v);
                anyText = anyText || text.isNotEmpty();
                for (auto* p = text.toRawUTF8(); *p != 0; ++p)
                    mix ((unsigned char) *p);
                mix (0xFF);
            }
            if (anyText)
                result[code] = h;
        }
        return result;
    }

    const char* fixturePath = ZD8_SOURCE_DIR "/tests/model/data/ValueTextDigests.txt";
}

TEST (ValueTextDigest, EveryCodesTextsAreByteIdenticalToTheRecordedOnes)
{
    const SomeNames names;
    const auto withNames = digests (ValueFormatter (&names));
    const auto withoutNames = digests (ValueFormatter());

    if (std::getenv ("ZD8_WRITE_VALUE_TEXT_DIGESTS") != nullptr)
    {
        std::ofstream out (fixturePath);
        for (auto& [code, h] : withNames)
            out << "names " << code << " " << std::hex << h << std::dec << "\n";
        for (auto& [code, h] : withoutNames)
            out << "plain " << code << " " << std::hex << h << std::dec << "\n";
        GTEST_SKIP() << "wrote " << fixturePath;
    }

    std::ifstream in (fixturePath);
    ASSERT_TRUE (in.good()) << fixturePath;
    std::map<int, uint64_t> recordedNames, recordedPlain;
    std::string kind;
    int code;
    std::string hex;
    while (in >> kind >> code >> hex)
        (kind == "names" ? recordedNames : recordedPlain)[code] = std::stoull (hex, nullptr, 16);

    ASSERT_GT (recordedNames.size(), 100u) << "the recorded digests cover the formatted codes";
    for (auto& [c, h] : recordedNames)
        EXPECT_EQ (withNames.count (c) ? withNames.at (c) : 0, h) << "texts of code " << c << " (object names given)";
    for (auto& [c, h] : recordedPlain)
        EXPECT_EQ (withoutNames.count (c) ? withoutNames.at (c) : 0, h) << "texts of code " << c << " (no name source)";
    EXPECT_EQ (withNames.size(), recordedNames.size()) << "codes with texts";
    EXPECT_EQ (withoutNames.size(), recordedPlain.size()) << "codes with texts";
}
