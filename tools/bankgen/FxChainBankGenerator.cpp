// Our own built-in FX chain bank (type 156): 2719 chains in 79 runs of consecutive IDs
// between 1 and 4085, named and filled by a fixed-seed generator, never from the
// instrument's own factory content.
//
// Record content of a chain (big-endian 16-bit numbers):
//   0..19      name, blank-padded
//   20..H-1    chain header; H is where the settings start: byte H is 0x14 and the two
//              bytes before it are 0, and no earlier header byte looks like that
//   H..H+348   chain settings (349 bytes)
//   H+349      effect count N (1..15 here)
//   H+350      N effect entries: algorithm ID (0..1), slot (2..3), flags (4..5),
//              parameter count P (6..7), P 16-bit parameter values
//   then       the parameter name list: identifier (0..1), entry count (2..3), entries of
//              8 + n bytes (0..1 effect and parameter index, 2..3 parameter ID, 4..5
//              value, 6..7 name length n, n name bytes)
// The effect entries and the name list fill the record exactly.
#include "tools/bankgen/BankGenerator.h"
#include "tools/bankgen/SeededRandom.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zd8gen
{

namespace
{
    constexpr int nameLength = 20;
    constexpr int lastChainId = 4085;
    constexpr int chainCount = 2719;
    constexpr int runCount = 79;

    // Runs the bank must hold whatever else it holds.
    struct Run
    {
        int first, last;
    };
    constexpr Run fixedRuns[] = { { 1, 82 }, { 1003, 2651 }, { 4001, 4085 } };
    // The other runs go into the two free stretches between the fixed ones, half in each.
    constexpr Run freeStretches[] = { { 84, 1001 }, { 2653, 3999 } };

    constexpr int standardHeaderPosition = 30;
    constexpr int firstLongHeaderPosition = 34;
    constexpr int longHeaderPositions = 7; // 34, 38 .. 58
    constexpr int headerPositionStep = 4;
    constexpr std::uint8_t settingsMark = 0x14;
    constexpr int settingsSize = 349;
    constexpr int listIdentifier = 0x0001;
    constexpr int maxEffects = 15;
    constexpr int namedParametersPerEffect = 8; // parameter IDs 1 + 8 * effect + index stay below 128
    constexpr int minListEntries = 2;
    constexpr int maxListEntries = 6;

    //==============================================================================
    // Effect families: the algorithms we use from the instrument's short-code table,
    // the parameter names the name lists show, and words for chain names.
    struct Family
    {
        const char* label;
        std::vector<int> algorithms;
        int parameterCount; // the algorithm count varies by -1..+1 around this
        std::array<const char*, namedParametersPerEffect> parameterNames;
        std::vector<const char*> nouns;
    };

    const std::vector<Family>& families()
    {
        static const std::vector<Family> table {
            { "Reverb", { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 100, 101, 102, 103, 380 }, 13,
              { "Wet/Dry", "Decay", "PreDelay", "HF Damp", "Size", "Diffusion", "Lo Cut", "Hi Cut" },
              { "Hall", "Plate", "Room", "Chamber", "Cathedral", "Ambience", "Shimmer", "Space" } },
            { "RevComp", { 50, 51, 52, 56 }, 16,
              { "Wet/Dry", "Decay", "Threshold", "Ratio", "Attack", "Release", "Size", "Gain" },
              { "Verb Squeeze", "Room Comp", "Pumped Hall" } },
            { "DelayVerb", { 105, 106 }, 15,
              { "Wet/Dry", "Dly Time", "Feedback", "Decay", "Rvb Mix", "Dly Mix", "HF Damp", "Size" },
              { "Echo Hall", "Delay Room", "Dub Space" } },
            { "Delay", { 150, 151, 152, 153, 154, 155, 156, 170, 171, 172, 173, 174, 450, 451, 452 }, 10,
              { "Wet/Dry", "Time", "Feedback", "Hi Cut", "Lo Cut", "Tempo", "Spread", "Ducking" },
              { "Tape Echo", "Slapback", "Ping Pong", "Dub Delay", "Long Repeat", "Dotted 8th" } },
            { "Chorus", { 200, 201, 202, 203 }, 9,
              { "Wet/Dry", "Rate", "Depth", "Delay", "Feedback", "Width", "Hi Cut", "Voices" },
              { "Chorus", "Ensemble", "Shimmer Chorus", "Dimension", "Swirl" } },
            { "ChorusDelay", { 400, 401, 402, 403, 404, 405, 406, 407, 408, 420, 421, 422, 423, 425, 426, 427, 428 }, 14,
              { "Wet/Dry", "Rate", "Depth", "Dly Time", "Feedback", "Rvb Mix", "Width", "Hi Cut" },
              { "Chorus Echo", "Lush Delay", "Wide Chorus", "Chorus Hall" } },
            { "Flanger", { 225, 226, 227, 321, 453, 454, 458, 459, 460, 461 }, 9,
              { "Wet/Dry", "Rate", "Depth", "Feedback", "Manual", "Width", "Phase", "Hi Cut" },
              { "Jet Flange", "Flanger", "Through Zero", "Sweep" } },
            { "Phaser", { 250, 251, 253, 254, 255, 256, 257, 258, 259, 387 }, 8,
              { "Wet/Dry", "Rate", "Depth", "Feedback", "Stages", "Center", "Spread", "Phase" },
              { "Phaser", "Phase Sweep", "Slow Phase", "Vintage Phase" } },
            { "Tremolo", { 270, 271, 272 }, 7,
              { "Depth", "Rate", "Shape", "Phase", "Tempo", "Output", "Balance", "Skew" },
              { "Tremolo", "Vibe Trem", "Pulse", "Harmonic Trem" } },
            { "Panner", { 275, 276, 277, 278, 280, 281, 282 }, 7,
              { "Depth", "Rate", "Width", "Shape", "Tempo", "Center", "Phase", "Output" },
              { "Auto Pan", "Stereo Image", "Wide Stereo", "Circle Pan" } },
            { "Organ", { 290, 291, 292, 293, 294, 295, 296, 298, 299, 580 }, 18,
              { "Rotor Spd", "Horn Acc", "Drum Acc", "Mic Dist", "Drive", "Balance", "Vib/Chor", "Cabinet" },
              { "Rotary", "Leslie", "Tonewheel", "Gospel Spin", "Jazz Rotor" } },
            { "Distortion", { 300, 301, 302, 303, 304, 305, 323, 390 }, 8,
              { "Drive", "Tone", "Level", "Bass", "Treble", "Mix", "Hi Cut", "Gate" },
              { "Overdrive", "Fuzz", "Crunch", "Tube Drive", "Grit" } },
            { "DistChorus", { 317, 319 }, 11,
              { "Drive", "Tone", "Rate", "Depth", "Level", "Mix", "Width", "Hi Cut" },
              { "Drive Chorus", "Dirty Swirl" } },
            { "Compressor", { 330, 331, 332, 333, 334, 335, 336, 337, 341, 342, 345, 347, 348 }, 8,
              { "Threshold", "Ratio", "Attack", "Release", "Gain", "Knee", "Sidechain", "Mix" },
              { "Compressor", "Squeeze", "Limiter", "Punch Comp", "Leveler" } },
            { "Enhancer", { 370, 371 }, 6,
              { "Amount", "Freq", "Lo Boost", "Hi Boost", "Mix", "Output", "Width", "Drive" },
              { "Enhancer", "Exciter", "Presence" } },
            { "Filter", { 284, 360, 361, 362, 363, 364, 365, 366, 367, 368 }, 9,
              { "Cutoff", "Resonance", "Env Amt", "Rate", "Depth", "Type", "Mix", "Drive" },
              { "Auto Wah", "Env Filter", "Sweep Filter", "Lowpass", "Talk Box" } },
            { "Pitcher", { 381, 382, 385, 386, 409, 410, 411, 412, 429, 430 }, 10,
              { "Wet/Dry", "Pitch", "Fine", "Delay", "Feedback", "Voices", "Spread", "Shift" },
              { "Octaver", "Detune", "Pitch Shift", "Fifths", "Freq Shift" } },
            { "Guitar", { 104, 285, 310, 311, 312, 313, 314, 315, 316, 327 }, 12,
              { "Drive", "Bass", "Mid", "Treble", "Presence", "Cabinet", "Mic", "Level" },
              { "Amp Clean", "Amp Crunch", "Combo Amp", "Stack Amp", "Spring Amp" } },
            { "EQ", { 350, 351, 352, 353, 354 }, 12,
              { "Lo Gain", "Lo Freq", "Mid Gain", "Mid Freq", "Mid Q", "Hi Gain", "Hi Freq", "Output" },
              { "EQ", "Bright EQ", "Warm EQ", "Mid Scoop", "Air EQ" } },
            // Algorithms whose short codes put a chain into no category.
            { "Utility", { 53, 54, 55, 297, 306, 307, 308, 309, 340, 343, 344, 372, 388, 389, 392, 393, 498, 499, 500, 600 }, 8,
              { "Amount", "Rate", "Depth", "Level", "Mix", "Tone", "Width", "Output" },
              { "Vocoder", "Rotor", "Shaper", "Gate", "Stimulator", "Synth FX", "Utility", "Resonator" } },
        };
        return table;
    }

    // How often a family leads a chain (weights into families()).
    constexpr int familyWeights[] = { 14, 3, 2, 10, 6, 4, 4, 3, 2, 3, 5, 4, 1, 4, 2, 3, 3, 3, 3, 2 };

    // Families that follow the leading effect in longer chains.
    constexpr int followerFamilies[] = { 0, 3, 4, 14, 18, 13, 7, 11, 16 };

    constexpr const char* adjectives[] = {
        "Bright", "Dark", "Warm", "Wide", "Big", "Small", "Soft", "Vintage", "Smooth", "Airy", "Deep",
        "Studio", "Stage", "Silky", "Glassy", "Dusty", "Golden", "Velvet", "Crisp", "Lush", "Tight",
    };


    //==============================================================================
    struct Effect
    {
        int algorithm = 0;
        int family = 0;
        std::vector<int> values;
    };

    struct ChainSpec
    {
        int id = 0;
        std::string name;
        int headerPosition = standardHeaderPosition;
        std::vector<Effect> effects;
        std::vector<FxParameterName> parameters;
        std::vector<int> parameterValues; // parallel to parameters
    };

    int parameterCountOf (const Family& family, int algorithm)
    {
        return family.parameterCount + algorithm % 3 - 1;
    }

    Effect makeEffect (SeededRandom& random, int familyIndex)
    {
        const auto& family = families()[(size_t) familyIndex];
        Effect e;
        e.family = familyIndex;
        e.algorithm = family.algorithms[(size_t) random.below ((int) family.algorithms.size())];
        e.values.resize ((size_t) parameterCountOf (family, e.algorithm));
        for (auto& v : e.values)
            v = random.below (128);
        return e;
    }

    int pickFamily (SeededRandom& random)
    {
        int total = 0;
        for (int w : familyWeights)
            total += w;
        int r = random.below (total);
        for (int i = 0; i < (int) std::size (familyWeights); ++i)
        {
            if (r < familyWeights[i])
                return i;
            r -= familyWeights[i];
        }
        return 0;
    }

    int pickEffectCount (SeededRandom& random, int id)
    {
        if (id % 97 == 0)
            return maxEffects;
        const int r = random.below (100);
        if (r < 40) return 1;
        if (r < 65) return 2;
        if (r < 82) return 3;
        if (r < 92) return 4;
        if (r < 97) return 5 + random.below (4);
        return 9 + random.below (maxEffects - 8);
    }

    std::string makeName (SeededRandom& random, int leadingFamily)
    {
        const auto& nouns = families()[(size_t) leadingFamily].nouns;
        std::string noun = nouns[(size_t) random.below ((int) nouns.size())];
        std::string adjective = adjectives[random.below ((int) std::size (adjectives))];
        std::string name = adjective + " " + noun;
        if ((int) name.size() > nameLength)
            name = noun;
        if (random.below (4) == 0 && (int) name.size() + 2 <= nameLength)
            name += " " + std::to_string (1 + random.below (9));
        return name;
    }

    ChainSpec chainOne()
    {
        // The reference chain: one reverb of algorithm 4 with 13 parameters, its name
        // list (one entry) 414 bytes into the record: 30 + 350 + (8 + 2 * 13).
        ChainSpec c;
        c.id = 1;
        c.name = "Concert Hall";
        Effect e;
        e.algorithm = 4;
        e.family = 0;
        e.values = { 64, 90, 20, 45, 100, 80, 10, 110, 70, 60, 127, 96, 12 };
        c.effects.push_back (e);
        c.parameters.push_back ({ 1, " Wet/Dry" });
        c.parameterValues.push_back (64);
        return c;
    }

    ChainSpec makeChain (int id)
    {
        if (id == 1)
            return chainOne();

        SeededRandom random (0x5A0D8F00ull + (std::uint64_t) id * 7919u);
        ChainSpec c;
        c.id = id;

        if (random.below (8) == 0)
            c.headerPosition = firstLongHeaderPosition + headerPositionStep * random.below (longHeaderPositions);

        const int leading = pickFamily (random);
        c.name = makeName (random, leading);

        const int count = pickEffectCount (random, id);
        c.effects.push_back (makeEffect (random, leading));
        while ((int) c.effects.size() < count)
        {
            // Longer chains are built like a pedal board: mostly common followers,
            // now and then any family.
            const int family = random.below (3) == 0 ? pickFamily (random)
                                                     : followerFamilies[random.below ((int) std::size (followerFamilies))];
            c.effects.push_back (makeEffect (random, family));
        }

        // Name list: a few distinct parameters of the chain's effects; at least two, as
        // the instrument shows no list shorter than 20 bytes and one short name would
        // make one.
        std::vector<std::pair<int, int>> candidates; // (effect, parameter)
        for (int i = 0; i < (int) c.effects.size(); ++i)
            for (int j = 0; j < std::min (namedParametersPerEffect, (int) c.effects[(size_t) i].values.size()); ++j)
                candidates.emplace_back (i, j);

        const int wanted = std::min ((int) candidates.size(), minListEntries + random.below (maxListEntries - minListEntries + 1));
        std::vector<std::pair<int, int>> chosen;
        while ((int) chosen.size() < wanted)
        {
            const auto pick = candidates[(size_t) random.below ((int) candidates.size())];
            if (std::find (chosen.begin(), chosen.end(), pick) == chosen.end())
                chosen.push_back (pick);
        }
        std::sort (chosen.begin(), chosen.end());

        for (const auto& [effect, parameter] : chosen)
        {
            const auto& e = c.effects[(size_t) effect];
            const auto& family = families()[(size_t) e.family];
            c.parameters.push_back ({ 1 + namedParametersPerEffect * effect + parameter,
                                      std::string (" ") + family.parameterNames[(size_t) parameter] });
            c.parameterValues.push_back (e.values[(size_t) parameter]);
        }
        return c;
    }

    //==============================================================================
    std::vector<Run> makeRuns()
    {
        std::vector<Run> runs (std::begin (fixedRuns), std::end (fixedRuns));

        int fixedTotal = 0;
        for (const auto& r : fixedRuns)
            fixedTotal += r.last - r.first + 1;

        const int freeRuns = runCount - (int) std::size (fixedRuns);
        const int freeTotal = chainCount - fixedTotal;

        SeededRandom random (0xFC0FFEEull);
        std::vector<int> lengths ((size_t) freeRuns);
        int sum = 0;
        for (auto& l : lengths)
            sum += (l = 3 + random.below (19));

        // Bring the total to exactly freeTotal, one chain at a time, round robin.
        for (size_t i = 0; sum != freeTotal; i = (i + 1) % lengths.size())
        {
            if (sum < freeTotal && lengths[i] < 30)
                ++lengths[i], ++sum;
            else if (sum > freeTotal && lengths[i] > 1)
                --lengths[i], --sum;
        }

        size_t next = 0;
        const int perStretch = freeRuns / (int) std::size (freeStretches);
        for (size_t s = 0; s < std::size (freeStretches); ++s)
        {
            const int runsHere = s + 1 == std::size (freeStretches) ? freeRuns - perStretch * (int) s : perStretch;
            int position = freeStretches[s].first;
            for (int k = 0; k < runsHere; ++k, ++next)
            {
                position += random.below (12);
                const int last = position + lengths[next] - 1;
                runs.push_back ({ position, std::min (last, freeStretches[s].last) });
                position = last + 2; // at least one free ID between runs
            }
        }

        std::sort (runs.begin(), runs.end(), [] (const Run& a, const Run& b) { return a.first < b.first; });
        return runs;
    }

    struct Bank
    {
        std::vector<ChainSpec> chains;
        std::array<int, lastChainId + 1> indexOfId {}; // -1 when absent
    };

    const Bank& bank()
    {
        static const Bank b = [] {
            Bank result;
            result.indexOfId.fill (-1);
            for (const auto& run : makeRuns())
                for (int id = run.first; id <= run.last; ++id)
                {
                    result.indexOfId[(size_t) id] = (int) result.chains.size();
                    result.chains.push_back (makeChain (id));
                }
            return result;
        }();
        return b;
    }

    const ChainSpec* find (int id)
    {
        if (id < 0 || id > lastChainId)
            return nullptr;
        const int index = bank().indexOfId[(size_t) id];
        return index < 0 ? nullptr : &bank().chains[(size_t) index];
    }

    //==============================================================================
    void put16 (std::vector<std::uint8_t>& out, int value)
    {
        out.push_back ((std::uint8_t) ((value >> 8) & 0xFF));
        out.push_back ((std::uint8_t) (value & 0xFF));
    }

    std::vector<std::uint8_t> content (const ChainSpec& c)
    {
        std::vector<std::uint8_t> out;
        std::string name = c.name;
        name.resize ((size_t) nameLength, ' ');
        out.insert (out.end(), name.begin(), name.end());

        // Header: nothing in it may look like the settings mark (0x14 after two zeros),
        // so its bytes are 1..127 without 0x14 and only the last two are 0.
        SeededRandom random (0xC4A1ull + (std::uint64_t) c.id);
        for (int p = nameLength; p < c.headerPosition - 2; ++p)
        {
            int b = 1 + random.below (127);
            if (b == settingsMark)
                b = settingsMark + 1;
            out.push_back ((std::uint8_t) b);
        }
        out.push_back (0);
        out.push_back (0);

        out.push_back (settingsMark);
        for (int i = 1; i < settingsSize; ++i)
            out.push_back ((std::uint8_t) random.below (128));

        out.push_back ((std::uint8_t) c.effects.size());
        for (size_t i = 0; i < c.effects.size(); ++i)
        {
            const auto& e = c.effects[i];
            put16 (out, e.algorithm);
            put16 (out, (int) i);   // slot
            put16 (out, 0);         // flags: not bypassed
            put16 (out, (int) e.values.size());
            for (int v : e.values)
                put16 (out, v);
        }

        put16 (out, listIdentifier);
        put16 (out, (int) c.parameters.size());
        for (size_t i = 0; i < c.parameters.size(); ++i)
        {
            const auto& p = c.parameters[i];
            const int effect = (p.id - 1) / namedParametersPerEffect;
            const int parameter = (p.id - 1) % namedParametersPerEffect;
            out.push_back ((std::uint8_t) effect);
            out.push_back ((std::uint8_t) parameter);
            put16 (out, p.id);
            put16 (out, c.parameterValues[i]);
            put16 (out, (int) p.name.size());
            out.insert (out.end(), p.name.begin(), p.name.end());
        }
        return out;
    }
} // namespace

std::vector<GeneratedObject> generateFxChains()
{
    std::vector<GeneratedObject> objects;
    objects.reserve (bank().chains.size());
    for (const auto& c : bank().chains)
        objects.push_back ({ c.id, content (c) });
    return objects;
}

bool fxChainExists (int id)
{
    return find (id) != nullptr;
}

std::vector<FxParameterName> fxChainParameters (int id)
{
    if (const auto* c = find (id))
        return c->parameters;
    return {};
}

} // namespace zd8gen
