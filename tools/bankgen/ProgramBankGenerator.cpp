// Our own built-in program bank (type 138): programs at IDs 1..1136 and the five
// templates at 2043..2047, named and filled by a fixed-seed generator, never from the
// instrument's own factory content.
//
// Record content of a program (big-endian 16-bit numbers):
//   0..19      name, blank-padded                 20..22  "ZD7"
//   23..24     format bytes
//   25..157    common block: 30 main category, 31 sub-category, 60 layer count N,
//              61 layer switches (bits 0..4), 80 level in dB (signed), 83 pan (signed),
//              108 insert switches (bit 0 insert out), 109..110 insert FX chain,
//              111 Aux 1 level (bits 0..6) and out (bit 7), 112 the same for Aux 2,
//              121..122 Aux 1 FX chain, 133..134 Aux 2 FX chain, 157 mode (0x78 TW7)
//   158..249   program settings
//   250..V-1   N layers of 318 bytes; a 32-layer program's area ends one byte early,
//              at V = 10425
//   V          name list: identifier, entry count P, entries of 8 + n bytes (0..1
//              layer and index, 2..3 parameter ID, 4..5 value, 6..7 name length n,
//              n name bytes)
//   V + L1     assignment list: identifier, count M, M entries of four signed bytes
//              (sub-system, parameter ID, entry value, controller number)
//   then       a short trailer of program data
//
// Every assignment names a parameter that the program's own list or one of its three
// FX chains' lists shows, and the first list searched (own, insert, Aux 1, Aux 2) that
// holds its ID is the one it means.
#include "tools/bankgen/BankGenerator.h"
#include "tools/bankgen/SeededRandom.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace zd8gen
{

namespace
{
    constexpr int nameLength = 20;
    constexpr int lastRegularId = 1136;
    constexpr int firstTemplateId = 2043;
    constexpr int lastTemplateId = 2047;

    // Record offsets.
    constexpr int markerOffset = 20;
    constexpr int mainCategoryOffset = 30;
    constexpr int subCategoryOffset = 31;
    constexpr int layerCountOffset = 60;
    constexpr int layerSwitchesOffset = 61;
    constexpr int levelOffset = 80;
    constexpr int panOffset = 83;
    constexpr int insertSwitchesOffset = 108;
    constexpr int insertChainOffset = 109;
    constexpr int aux1LevelOffset = 111;
    constexpr int aux2LevelOffset = 112;
    constexpr int aux1ChainOffset = 121;
    constexpr int aux2ChainOffset = 133;
    constexpr int modeOffset = 157;
    constexpr int layerAreaOffset = 250;
    constexpr int layerSize = 318;
    constexpr int maxLayers = 32;
    constexpr int fullLayerAreaEnd = 10425;

    constexpr std::uint8_t modeTw7 = 0x78;
    constexpr std::uint8_t modeLayra = 0x00;
    constexpr std::uint8_t outOn = 0x80;
    constexpr int nameListIdentifier = 0x0001;
    constexpr int assignmentListIdentifier = 0x0002;
    constexpr int listHeaderSize = 4;
    constexpr int entryHeaderSize = 8;
    constexpr int shownListSize = 20;   // shorter lists are not shown
    constexpr int maxShownEntries = 39; // the decoded list keeps no more
    constexpr int valueUnset = 0xFFFF;  // read back as -1
    constexpr std::uint8_t nameMarker = 0x08; // a first name byte below 15 is not shown

    // Sub-systems of an assignment.
    constexpr int subSystemSynth = 1;
    constexpr int subSystemAux1 = 2;
    constexpr int subSystemAux2 = 3;
    constexpr int subSystemPrgInsert = 4;

    // The instrument's front-panel controllers (the numbers with names of their own).
    constexpr int panelControllers[] = { 1, 2, 3, 4, 9, 11, 12, 13, 14, 17, 18, 22, 23, 24, 25, 26, 27, 28,
                                         29, 64, 66, 67, 69, 71, 72, 73, 79, 80, 81, 82, 83, 85, 86, 87, 89, 90 };
    // The ones a player reaches first: the knobs, sliders and wheels.
    constexpr int favouriteControllers[] = { 71, 73, 72, 79, 14, 17, 18, 3, 9, 12, 13, 22, 23, 1, 11, 4 };


    // The TW7 organ template: the nine drawbars on the nine sliders and the organ switches
    // on the nine buttons, which is what the TW7 engine plays from those controllers and
    // what the program page's organ layout draws there. Every TW7 program's table puts
    // these parameters on these controllers, so that the page's drawbar and switch
    // labels say what moving them does.
    struct OrganControl
    {
        int controller;
        const char* parameter;
        bool drawbar;
    };
    constexpr OrganControl organTemplate[] = {
        { 12, "Drawbar 16'", true },     { 13, "Drawbar 5 1/3'", true }, { 22, "Drawbar 8'", true },
        { 23, "Drawbar 4'", true },      { 24, "Drawbar 2 2/3'", true }, { 25, "Drawbar 2'", true },
        { 26, "Drawbar 1 3/5'", true },  { 27, "Drawbar 1 1/3'", true }, { 28, "Drawbar 1'", true },
        { 80, "Rotor Brake", false },    { 81, "Vibrato On/Off", false }, { 82, "Chorus/Vibrato", false },
        { 83, "Vibrato Depth", false },  { 85, "Perc On/Off", false },    { 86, "Perc Loud/Soft", false },
        { 87, "Perc Decay F/S", false }, { 89, "Perc Pitch H/L", false }, { 90, "Key Click", false },
    };

    bool isOrganTemplateController (int controller)
    {
        for (const auto& c : organTemplate)
            if (c.controller == controller)
                return true;
        return false;
    }

    //==============================================================================
    // FX chains by what they do, from the first effect of each generated chain.
    enum class FxRole
    {
        reverb, delay, modulation, organ, drive, dynamics, tone, other, count
    };

    FxRole roleOfAlgorithm (int a)
    {
        if ((a >= 1 && a <= 15) || (a >= 50 && a <= 56) || (a >= 100 && a <= 106) || a == 380) return FxRole::reverb;
        if ((a >= 150 && a <= 192) || (a >= 450 && a <= 480)) return FxRole::delay;
        if ((a >= 200 && a <= 282) || (a >= 400 && a <= 430) || a == 387) return FxRole::modulation;
        if ((a >= 290 && a <= 299) || a == 580) return FxRole::organ;
        if ((a >= 300 && a <= 327) || a == 390) return FxRole::drive;
        if (a >= 330 && a <= 348) return FxRole::dynamics;
        if ((a >= 350 && a <= 375) || a == 284) return FxRole::tone;
        return FxRole::other;
    }

    int read16 (const std::vector<std::uint8_t>& b, size_t p)
    {
        return p + 1 < b.size() ? b[p] << 8 | b[p + 1] : 0;
    }

    /** The first effect's algorithm of a chain record, or -1 when it has none. */
    int firstAlgorithm (const std::vector<std::uint8_t>& chain)
    {
        constexpr size_t settingsMark = 0x14, firstHeader = 20, lastHeader = 59, effectCountAfter = 349;
        for (size_t h = firstHeader; h <= lastHeader && h < chain.size(); ++h)
            if (chain[h] == settingsMark && chain[h - 1] == 0 && chain[h - 2] == 0)
                return h + effectCountAfter < chain.size() && chain[h + effectCountAfter] > 0
                           ? read16 (chain, h + effectCountAfter + 1)
                           : -1;
        return -1;
    }

    /** A chain's parameters as the decoded table will show them: none when its list is
        shorter than a shown list, at most the entries a decoded list keeps, and only IDs
        an assignment's signed byte can name. */
    std::vector<FxParameterName> shownParameters (int chainId)
    {
        auto parameters = fxChainParameters (chainId);
        size_t length = listHeaderSize;
        for (const auto& p : parameters)
            length += entryHeaderSize + p.name.size();
        if (length < (size_t) shownListSize)
            return {};
        if (parameters.size() > (size_t) maxShownEntries)
            parameters.resize ((size_t) maxShownEntries);
        parameters.erase (std::remove_if (parameters.begin(), parameters.end(),
                                          [] (const FxParameterName& p) { return p.id < 0 || p.id > 127; }),
                          parameters.end());
        return parameters;
    }

    struct FxChains
    {
        std::array<std::vector<int>, (size_t) FxRole::count> byRole;
        std::vector<int> all;

        const std::vector<int>& of (FxRole role) const
        {
            const auto& ids = byRole[(size_t) role];
            return ids.empty() ? all : ids;
        }
    };

    const FxChains& fxChains()
    {
        static const FxChains chains = [] {
            FxChains c;
            for (const auto& chain : generateFxChains())
            {
                if (! fxChainExists (chain.id))
                    continue;
                c.all.push_back (chain.id);
                const int algorithm = firstAlgorithm (chain.content);
                if (algorithm >= 0)
                    c.byRole[(size_t) roleOfAlgorithm (algorithm)].push_back (chain.id);
            }
            return c;
        }();
        return chains;
    }

    //==============================================================================
    // Families of programs: one main category and sub-category, how many programs,
    // their layer counts, the words their names are made of, the parameters their own
    // name lists show and the kind of insert effect they use.
    struct Family
    {
        int mainCategory;
        int subCategory;
        int count;
        int minLayers, maxLayers;
        bool tw7;
        std::vector<const char*> adjectives;
        std::vector<const char*> nouns;
        const std::vector<const char*>* parameters;
        std::vector<FxRole> inserts;
    };

    const std::vector<const char*> pianoParameters { "Hammer Noise", "Damper Res", "String Res", "Key Off Noise",
                                                      "Brightness", "Soft Pedal", "Lid Position", "Velocity Curve",
                                                      "Stretch Tune", "Release" };
    const std::vector<const char*> electricParameters { "Tine Level", "Bark", "Bell", "Tremolo Rate", "Tremolo Depth",
                                                         "Key Off Noise", "Drive", "Brightness", "Pickup Pos", "Release" };
    // A TW7 organ's own parameters beside its template (below), on the other controllers.
    const std::vector<const char*> organParameters { "Leakage", "Crosstalk", "Wheel Age", "Perc Level", "Click Level" };
    const std::vector<const char*> pipeParameters { "Principal 8'", "Flute 4'", "Mixture", "Reed 16'", "Tremulant",
                                                     "Swell", "Wind Noise", "Release" };
    const std::vector<const char*> synthParameters { "Cutoff", "Resonance", "Filter Env", "Attack", "Decay", "Release",
                                                      "LFO Rate", "LFO Depth", "Detune", "Glide", "Sub Level",
                                                      "Noise Level", "Layer Mix" };
    const std::vector<const char*> acousticParameters { "Attack", "Release", "Brightness", "Vibrato Depth",
                                                         "Vibrato Rate", "Breath Noise", "Expression", "Layer Mix",
                                                         "Velocity Sens" };
    const std::vector<const char*> plucked { "Attack", "Release", "Brightness", "Fret Noise", "Body", "Mute",
                                             "Pick Position", "Slide Time" };
    const std::vector<const char*> percussive { "Kit Level", "Decay", "Tune", "Snap", "Room", "Ghost Notes",
                                                "Swing", "Brightness" };
    const std::vector<const char*> fmParameters { "Op1 Level", "Op2 Level", "Op3 Level", "Op4 Level", "Feedback",
                                                  "Mod Index", "Ratio", "Attack", "Release" };

    const std::vector<const char*> moodWords { "Velvet", "Dusty", "Golden", "Silver", "Midnight", "Crystal", "Amber",
                                               "Warm", "Bright", "Dark", "Soft", "Wide", "Vintage", "Modern", "Lush",
                                               "Airy", "Deep", "Glassy", "Hollow", "Smooth", "Gritty", "Sweet", "Bold",
                                               "Gentle", "Misty", "Rusty", "Silky", "Cosmic", "Lunar", "Solar",
                                               "Dreamy", "Fat", "Tiny", "Noble", "Wild", "Lazy", "Sunset", "Dawn",
                                               "Autumn", "Winter", "Ocean", "Desert", "Urban", "Retro", "Smoky",
                                               "Foggy", "Blue", "Satin", "Copper", "Stone", "Paper", "Honey",
                                               "Cedar", "Ivory", "Ebony", "Harbor", "Prairie", "Canyon" };

    const std::vector<Family>& families()
    {
        static const std::vector<Family> table {
            // PIANO
            { 1, 1, 70, 12, 32, false, moodWords, { "Grand", "Concert Grand", "Hall Grand", "Studio Grand" },
              &pianoParameters, { FxRole::tone, FxRole::dynamics } },
            { 1, 2, 60, 10, 30, false, moodWords, { "Grand", "Pop Grand", "Studio Keys", "Upright" },
              &pianoParameters, { FxRole::tone, FxRole::dynamics } },
            { 1, 3, 40, 16, 32, false, moodWords, { "Triple Grand", "Stacked Keys", "Tri Strike" },
              &pianoParameters, { FxRole::tone, FxRole::dynamics } },
            { 1, 0, 30, 2, 16, false, moodWords, { "Upright", "Honky Tonk", "Tack Piano", "Felt Piano", "Toy Piano" },
              &pianoParameters, { FxRole::tone, FxRole::modulation } },
            // E. PIANO
            { 2, 1, 50, 6, 26, false, moodWords, { "Rhodes", "Tines", "Suitcase", "Stage EP" },
              &electricParameters, { FxRole::modulation, FxRole::drive } },
            { 2, 2, 45, 6, 24, false, moodWords, { "Tine Piano", "Bark EP", "Seventies EP", "Bell Tines" },
              &electricParameters, { FxRole::modulation, FxRole::drive } },
            { 2, 3, 40, 4, 16, false, moodWords, { "Wurly", "Reed EP", "School Reed", "Buzz Reed" },
              &electricParameters, { FxRole::modulation, FxRole::drive } },
            { 2, 0, 25, 2, 10, false, moodWords, { "Digital EP", "Glass EP", "Pad EP", "Chime EP" },
              &electricParameters, { FxRole::modulation, FxRole::delay } },
            // CLAV
            { 3, 1, 30, 1, 8, false, moodWords, { "Clav", "Funk Clav", "Wah Clav", "Muted Clav" },
              &electricParameters, { FxRole::modulation, FxRole::drive } },
            { 3, 2, 20, 2, 10, false, moodWords, { "Harpsichord", "Baroque Harp", "Lute Stop" },
              &acousticParameters, { FxRole::tone } },
            { 3, 3, 15, 1, 6, false, moodWords, { "Celeste", "Music Box", "Star Bells" },
              &acousticParameters, { FxRole::delay, FxRole::modulation } },
            { 3, 0, 5, 1, 6, false, moodWords, { "Keys", "Pluck Keys" }, &acousticParameters, { FxRole::tone } },
            // ORGAN: the tonewheel and combo organs play on the TW7 engine
            { 4, 1, 60, 1, 2, true, moodWords, { "Drawbars", "Tonewheel", "Gospel Organ", "Jazz Organ", "Rock Organ" },
              &organParameters, { FxRole::organ } },
            { 4, 2, 20, 1, 2, true, moodWords, { "Combo Organ", "Garage Combo", "Surf Organ" },
              &organParameters, { FxRole::organ, FxRole::modulation } },
            { 4, 3, 20, 1, 2, true, moodWords, { "Beat Combo", "Transistor", "Mersey Organ" },
              &organParameters, { FxRole::organ, FxRole::modulation } },
            { 4, 4, 25, 2, 10, false, moodWords, { "Pipes", "Chapel Organ", "Full Stops", "Flute Stops" },
              &pipeParameters, { FxRole::tone } },
            { 4, 0, 10, 1, 2, true, moodWords, { "Organ", "Reed Organ" }, &organParameters, { FxRole::organ } },
            // STRINGS, PAD, SYNTH, BRASS / WIND, ENSEMBLE, HYBRID
            { 5, 0, 80, 4, 24, false, moodWords, { "Strings", "Violins", "Cellos", "Chamber Str", "Pizzicato" },
              &acousticParameters, { FxRole::tone, FxRole::modulation } },
            { 6, 0, 90, 2, 12, false, moodWords, { "Pad", "Haze", "Drift", "Aura", "Horizon", "Veil" },
              &synthParameters, { FxRole::modulation, FxRole::delay } },
            { 7, 0, 90, 1, 8, false, moodWords, { "Lead", "Saw Stack", "Poly Synth", "Bass Synth", "Pluck", "Sync" },
              &synthParameters, { FxRole::drive, FxRole::delay, FxRole::modulation } },
            { 8, 0, 60, 3, 16, false, moodWords, { "Brass", "Horns", "Trumpet", "Flute", "Sax", "Reeds" },
              &acousticParameters, { FxRole::tone, FxRole::dynamics } },
            { 9, 0, 40, 8, 30, false, moodWords, { "Choir", "Orchestra", "Tutti", "Voices", "Big Band" },
              &acousticParameters, { FxRole::tone, FxRole::modulation } },
            { 10, 0, 40, 4, 22, false, moodWords, { "Piano Pad", "EP Strings", "Keys Layer", "Bell Pad" },
              &synthParameters, { FxRole::modulation, FxRole::delay } },
            // GUITAR / BASS
            { 11, 1, 30, 2, 12, false, moodWords, { "Nylon Gtr", "Steel Gtr", "Upright Bass", "Twelve String" },
              &plucked, { FxRole::tone, FxRole::modulation } },
            { 11, 2, 30, 2, 10, false, moodWords, { "Clean Gtr", "Crunch Gtr", "Finger Bass", "Slap Bass" },
              &plucked, { FxRole::drive, FxRole::dynamics } },
            { 11, 0, 10, 1, 6, false, moodWords, { "Synth Bass", "Banjo", "Harp" }, &plucked, { FxRole::tone } },
            // DRUM / PERC
            { 12, 1, 15, 12, 32, false, moodWords, { "Kit", "Drums", "Brush Kit", "Beat Kit" },
              &percussive, { FxRole::dynamics, FxRole::tone } },
            { 12, 2, 20, 2, 16, false, moodWords, { "Marimba", "Vibes", "Congas", "Shakers", "Steel Pan" },
              &percussive, { FxRole::dynamics, FxRole::tone } },
            { 12, 0, 5, 2, 16, false, moodWords, { "Percussion", "Hits" }, &percussive, { FxRole::dynamics } },
            // MISC, FM, and a few without a category
            { 13, 0, 25, 1, 6, false, moodWords, { "Sweep FX", "Wind", "Rain", "Noise", "Sparkle" },
              &synthParameters, { FxRole::other, FxRole::delay } },
            { 14, 0, 30, 1, 6, false, moodWords, { "FM Keys", "FM Bell", "FM Bass", "FM Tines", "FM Brass" },
              &fmParameters, { FxRole::modulation, FxRole::tone } },
            { 0, 0, 6, 1, 4, false, moodWords, { "Sketch", "Init Layer", "Test Tone" },
              &synthParameters, { FxRole::other } },
        };
        return table;
    }

    //==============================================================================
    struct Template
    {
        int id;
        const char* name;
        int mainCategory, subCategory, layers;
        bool withLists;
        int levelDb;
    };

    constexpr Template templates[] = {
        { 2043, "FM Template", 14, 0, 1, true, 0 },
        { 2044, "Click Track", 12, 2, 2, true, 0 },
        { 2045, "Silent  Program", 0, 0, 1, false, -96 },
        { 2046, "Editor Template", 13, 0, 4, true, 0 },
        { 2047, "Clear Program", 0, 0, 1, false, 0 },
    };

    //==============================================================================
    /** What a program record is made from. */
    struct ProgramSpec
    {
        int id = 0;
        std::string name;
        int mainCategory = 0, subCategory = 0;
        int layers = 1;
        bool tw7 = false;
        bool withLists = true;
        int levelDb = 0;
        const Family* family = nullptr;
    };

    /** The regular programs in bank order: the families one after another, each with
        names of its own words; then every layer count 1..32 is made sure of. */
    std::vector<ProgramSpec> regularPrograms()
    {
        std::vector<ProgramSpec> programs;
        std::set<std::string> used;
        for (const auto& t : templates)
            used.insert (t.name);

        for (const auto& family : families())
        {
            // Every adjective-noun pair that fits, in a shuffled but fixed order.
            std::vector<std::string> names;
            for (auto* noun : family.nouns)
                for (auto* adjective : family.adjectives)
                {
                    std::string name = std::string (adjective) + " " + noun;
                    if ((int) name.size() <= nameLength)
                        names.push_back (name);
                }
            SeededRandom order (0x9D3A11ull + (std::uint64_t) (family.mainCategory * 16 + family.subCategory));
            for (size_t i = names.size(); i > 1; --i)
                std::swap (names[i - 1], names[(size_t) order.below ((int) i)]);

            size_t next = 0;
            for (int k = 0; k < family.count; ++k)
            {
                ProgramSpec p;
                p.id = (int) programs.size() + 1;
                while (next < names.size() && used.count (names[next]) > 0)
                    ++next;
                p.name = next < names.size() ? names[next++] : std::string (family.nouns[0]) + " " + std::to_string (k + 1);
                used.insert (p.name);

                SeededRandom random (0x7A11E5ull + (std::uint64_t) p.id * 104729u);
                p.mainCategory = family.mainCategory;
                p.subCategory = family.subCategory;
                // Mostly the lower two thirds of the family's range, now and then the top.
                const int span = family.maxLayers - family.minLayers;
                p.layers = family.minLayers + (random.chance (30) ? random.between (0, span) : random.between (0, span * 2 / 3));
                p.tw7 = family.tw7;
                p.levelDb = -random.between (0, 9);
                p.family = &family;
                programs.push_back (p);
            }
        }

        // Every layer count from 1 to 32 at least once: a missing count goes to the
        // first program whose family allows it and whose own count is not the only one.
        for (int layers = 1; layers <= maxLayers; ++layers)
        {
            std::map<int, int> counts;
            for (const auto& p : programs)
                ++counts[p.layers];
            if (counts[layers] > 0)
                continue;
            for (auto& p : programs)
                if (p.family->minLayers <= layers && layers <= p.family->maxLayers && counts[p.layers] > 1)
                {
                    p.layers = layers;
                    break;
                }
        }
        return programs;
    }

    //==============================================================================
    void put16 (std::vector<std::uint8_t>& out, size_t at, int value)
    {
        out[at] = (std::uint8_t) ((value >> 8) & 0xFF);
        out[at + 1] = (std::uint8_t) (value & 0xFF);
    }

    void append16 (std::vector<std::uint8_t>& out, int value)
    {
        out.push_back ((std::uint8_t) ((value >> 8) & 0xFF));
        out.push_back ((std::uint8_t) (value & 0xFF));
    }

    struct NamedParameter
    {
        int id;
        int value; // 0..127, or -1 for none
        std::string name;
        int list;  // 0 own, 1 insert, 2 Aux 1, 3 Aux 2
        int controller = -1; // a template's fixed controller; -1: the next free one
    };

    int subSystemOfList (int list)
    {
        constexpr int subSystems[] = { subSystemSynth, subSystemPrgInsert, subSystemAux1, subSystemAux2 };
        return subSystems[list];
    }

    /** The whole record content of a program. */
    std::vector<std::uint8_t> content (const ProgramSpec& p)
    {
        SeededRandom random (0xB0A7D5ull ^ ((std::uint64_t) p.id * 0x9E3779B1u));
        const auto& chains = fxChains();

        const int layerAreaEnd = p.layers == maxLayers ? fullLayerAreaEnd : layerAreaOffset + layerSize * p.layers;
        std::vector<std::uint8_t> out ((size_t) layerAreaEnd, 0);

        std::string name = p.name;
        name.resize ((size_t) nameLength, ' ');
        std::copy (name.begin(), name.end(), out.begin());
        out[markerOffset] = 'Z';
        out[markerOffset + 1] = 'D';
        out[markerOffset + 2] = '7';
        out[23] = 0x01; // format
        out[24] = 0x00;

        // Program settings the plug-in does not read: small controller-like values.
        for (int i = 25; i < layerAreaOffset; ++i)
            out[(size_t) i] = (std::uint8_t) (random.chance (60) ? 0 : random.below (128));

        out[mainCategoryOffset] = (std::uint8_t) p.mainCategory;
        out[subCategoryOffset] = (std::uint8_t) p.subCategory;
        out[layerCountOffset] = (std::uint8_t) p.layers;
        out[layerSwitchesOffset] = (std::uint8_t) ((1 << std::min (p.layers, 5)) - 1);
        out[levelOffset] = (std::uint8_t) (std::int8_t) p.levelDb;
        const int pan = random.chance (75) ? 0 : random.between (-30, 30);
        out[panOffset] = (std::uint8_t) (std::int8_t) pan;
        out[insertSwitchesOffset] = (std::uint8_t) (random.chance (90) ? 1 : 0);

        // FX chains: the insert suits the family, Aux 1 is a reverb, Aux 2 a delay or
        // a modulation effect.
        const auto& family = *p.family;
        const int insertChain = random.pick (chains.of (family.inserts[(size_t) random.below ((int) family.inserts.size())]));
        const int aux1Chain = random.pick (chains.of (FxRole::reverb));
        const int aux2Chain = random.pick (chains.of (random.chance (60) ? FxRole::delay : FxRole::modulation));
        put16 (out, insertChainOffset, insertChain);
        put16 (out, aux1ChainOffset, aux1Chain);
        put16 (out, aux2ChainOffset, aux2Chain);
        out[aux1LevelOffset] = (std::uint8_t) (random.between (10, 60) | (random.chance (85) ? outOn : 0));
        out[aux2LevelOffset] = (std::uint8_t) (random.between (0, 50) | (random.chance (70) ? outOn : 0));
        out[modeOffset] = p.tw7 ? modeTw7 : modeLayra;

        // Layers: key range, velocity range, level and tuning, then sound data.
        for (int layer = 0; layer < p.layers; ++layer)
        {
            const size_t start = (size_t) (layerAreaOffset + layerSize * layer);
            for (size_t i = 0; i < (size_t) layerSize && start + i < out.size(); ++i)
            {
                std::uint8_t b;
                switch (i)
                {
                    case 0: b = (std::uint8_t) layer; break;
                    case 1: b = (std::uint8_t) (21 + (layer % 4) * 5); break;       // lowest key
                    case 2: b = (std::uint8_t) (108 - (layer % 3) * 4); break;      // highest key
                    case 3: b = (std::uint8_t) (1 + (layer * 127 / p.layers)); break; // velocity from
                    case 4: b = (std::uint8_t) ((layer + 1) * 127 / p.layers); break; // velocity to
                    default: b = (std::uint8_t) random.below (128); break;
                }
                out[start + i] = b;
            }
        }

        // Name lists of the program's chains as the decoded table will show them; the
        // program's own parameters take IDs none of them uses.
        std::vector<NamedParameter> candidates;
        std::set<int> taken;
        const int chainIds[] = { insertChain, aux1Chain, aux2Chain };
        for (int list = 1; list <= 3; ++list)
            for (const auto& fx : shownParameters (chainIds[list - 1]))
            {
                // Only the first list holding an ID is found by the lookup.
                if (taken.insert (fx.id).second)
                    candidates.push_back ({ fx.id, -1, fx.name, list });
            }

        std::vector<NamedParameter> own;
        auto freeId = [&random, &taken]
        {
            int id;
            do
                id = random.below (128);
            while (taken.count (id) > 0);
            taken.insert (id);
            return id;
        };
        if (p.withLists && p.tw7)
        {
            // The organ template first, each parameter on its own controller: drawbars
            // pulled out in steps of an eighth, switches on or off.
            for (const auto& c : organTemplate)
            {
                if (taken.size() >= 128)
                    break;
                const int id = freeId();
                const int value = c.drawbar ? random.below (9) * 127 / 8 : (random.chance (50) ? 127 : 0);
                own.push_back ({ id, value, c.parameter, 0, c.controller });
            }
            auto names = *family.parameters;
            for (size_t i = names.size(); i > 1; --i)
                std::swap (names[i - 1], names[(size_t) random.below ((int) i)]);
            const int wanted = std::min ((int) names.size(), random.between (0, 3));
            for (int k = 0; k < wanted && taken.size() < 128; ++k)
                own.push_back ({ freeId(), random.chance (10) ? -1 : random.below (128), names[(size_t) k], 0 });
        }
        else if (p.withLists)
        {
            auto names = *family.parameters;
            for (size_t i = names.size(); i > 1; --i)
                std::swap (names[i - 1], names[(size_t) random.below ((int) i)]);
            const int wanted = std::min ((int) names.size(), random.between (2, 8));
            for (int k = 0; k < wanted; ++k)
                own.push_back ({ freeId(), random.chance (10) ? -1 : random.below (128), names[(size_t) k], 0 });
        }

        // The name list: the own parameters, most names led by a blank, some by a marker
        // byte that is not shown.
        append16 (out, nameListIdentifier);
        append16 (out, (int) own.size());
        for (size_t k = 0; k < own.size(); ++k)
        {
            const auto& parameter = own[k];
            out.push_back ((std::uint8_t) random.below (std::max (1, p.layers)));
            out.push_back ((std::uint8_t) k);
            append16 (out, parameter.id);
            append16 (out, parameter.value < 0 ? valueUnset : parameter.value);
            const std::uint8_t lead = random.chance (15) ? nameMarker : (std::uint8_t) ' ';
            append16 (out, (int) std::string (parameter.name).size() + 1);
            out.push_back (lead);
            out.insert (out.end(), parameter.name.begin(), parameter.name.end());
        }

        // The assignment list: own parameters on the knobs first, then FX parameters,
        // each on a controller of its own (a few left without one). A program without
        // its own list has no assignments, since they would not be shown.
        std::vector<NamedParameter> assigned;
        if (! own.empty())
        {
            assigned = own;
            auto fx = candidates;
            for (size_t i = fx.size(); i > 1; --i)
                std::swap (fx[i - 1], fx[(size_t) random.below ((int) i)]);
            const int fxWanted = std::min ((int) fx.size(), random.between (2, 8));
            assigned.insert (assigned.end(), fx.begin(), fx.begin() + fxWanted);
            // At least four assignments, or the list would be too short to be shown.
            while (assigned.size() < 4)
                assigned.push_back (own[(size_t) random.below ((int) own.size())]);
        }

        std::vector<int> controllers (std::begin (favouriteControllers), std::end (favouriteControllers));
        for (int c : panelControllers)
            if (std::find (controllers.begin(), controllers.end(), c) == controllers.end())
                controllers.push_back (c);
        // A TW7 program's sliders and buttons are its template's.
        if (p.tw7)
            controllers.erase (std::remove_if (controllers.begin(), controllers.end(), isOrganTemplateController),
                               controllers.end());

        append16 (out, assignmentListIdentifier);
        append16 (out, (int) assigned.size());
        size_t nextController = (size_t) random.below (3);
        for (const auto& a : assigned)
        {
            out.push_back ((std::uint8_t) subSystemOfList (a.list));
            out.push_back ((std::uint8_t) a.id);
            const int value = a.value >= 0 ? a.value : (random.chance (30) ? -1 : random.below (128));
            out.push_back ((std::uint8_t) (std::int8_t) value);
            int controller = a.controller;
            if (controller < 0 && ! random.chance (8) && nextController < controllers.size())
                controller = controllers[nextController++];
            out.push_back ((std::uint8_t) (std::int8_t) controller);
        }

        // Trailer: further program data.
        const int trailer = random.between (16, 64);
        for (int i = 0; i < trailer; ++i)
            out.push_back ((std::uint8_t) random.below (128));
        return out;
    }

    std::vector<ProgramSpec> templatePrograms()
    {
        static const Family fmTemplate { 14, 0, 0, 1, 1, false, {}, { "Template" }, &fmParameters, { FxRole::tone } };
        static const Family clickTemplate { 12, 2, 0, 1, 2, false, {}, { "Template" }, &percussive, { FxRole::dynamics } };
        static const Family editorTemplate { 13, 0, 0, 1, 4, false, {}, { "Template" }, &synthParameters, { FxRole::tone } };
        std::vector<ProgramSpec> programs;
        for (const auto& t : templates)
        {
            const Family* family = t.mainCategory == 14 ? &fmTemplate : t.mainCategory == 12 ? &clickTemplate : &editorTemplate;
            ProgramSpec p;
            p.id = t.id;
            p.name = t.name;
            p.mainCategory = t.mainCategory;
            p.subCategory = t.subCategory;
            p.layers = t.layers;
            p.withLists = t.withLists;
            p.levelDb = t.levelDb;
            p.family = family;
            programs.push_back (p);
        }
        return programs;
    }
} // namespace

std::vector<GeneratedObject> generatePrograms()
{
    std::vector<GeneratedObject> objects;
    for (const auto& p : regularPrograms())
        objects.push_back ({ p.id, content (p) });
    for (const auto& p : templatePrograms())
        objects.push_back ({ p.id, content (p) });
    return objects;
}

bool programExists (int id)
{
    return (id >= 1 && id <= lastRegularId) || (id >= firstTemplateId && id <= lastTemplateId);
}

} // namespace zd8gen
