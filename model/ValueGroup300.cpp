#include "model/ValueGroup300.h"

#include "model/TextTable.h"
#include "model/ValueLists.h"
#include "model/ValueScales.h"
#include "model/ValueText.h"

#include <cstdint>

namespace zd8
{

namespace
{
    constexpr const char* masterMulti[] = { "MASTER", "MULTI" };
    constexpr const char* eqOrder[] = { "EQ=>Compressor", "Compressor=>EQ" };
    constexpr const char* masterBypass[] = { "Master FX Enabled", "Master FX Bypassed" };
    constexpr const char* outIn[] = { "OUT", "IN" };
    constexpr const char* sideChannels[] = { "L+R", "LEFT", "RIGHT" };
    constexpr const char* sideChainInput[] = { "(L + R) / 2", "LEFT", "RIGHT" };
    constexpr const char* noMaybeYes[] = { "N", "(Y)", "Y" };
    constexpr const char* autoAB[] = { "Auto", "A", "B" };
    constexpr const char* noYes[] = { "NO", "YES" };
    constexpr const char* mutesRole[] = { "Zone Mutes ", "TW7 Control" };
    constexpr const char* repeatMode[] = { "None", "Forever", "Once" };
    constexpr const char* zoneState[] = { nullptr, "Muted", "Active", nullptr, nullptr, "Solo + Muted", "Solo" };
    constexpr const char* zoneRouting[] = {
        nullptr, "LOCAL", "MIDI", "MIDI+LOCAL", "USB_MIDI", "USB_MIDI+LOCAL", "USB_MIDI MIDI", "USB_MIDI+MIDI+LOCAL",
    };
    constexpr const char* bankSelectMode[] = { "---", "Ctl 0", "Ctl 32", "Ctl 0/32", "Q4900" };
    constexpr const char* velocitySplit[] = {
        "OFF", "Linear", "1 of 2", "2 of 2", "1 of 3", "2 of 3", "3 of 3", "1 of 4", "2 of 4", "3 of 4",
        "4 of 4", "Inverse", "Constant",
    };
    constexpr const char* curveNames[] = {
        nullptr, "Linear", "Compress", "Expand", "Crossfade", "Bump", "Rvrs Linear", "Rvrs Expand",
        "Rvrs Compress", "Rvrs Crossfade",
    };
    constexpr const char* absoluteRelative[] = { "Absolute", "Relative" };
    constexpr const char* sectionCount[] = { "One Section", "Three Sections" };
    constexpr const char* syncPoint[] = {
        "-----", "Down Beat", "Any Beat", "DownBeat Wait", "Any Beat Wait", "Start", "Loop", "Stop",
        "Start Wait", "Loop Wait", "Stop Wait",
    };
    constexpr const char* clockSource[] = { "Internal", "External" };
    constexpr const char* zoneScope[] = { "This Zone", "All Zones" };
    constexpr const char* playMode[] = { "Start/Stop", "One Shot" };
    constexpr const char* assignTarget[] = { "Parameter", "Controller" };
    constexpr const char* switchMode[] = { "Momentary", "Toggled" };
    constexpr const char* onlySwitch[] = { "Both", "Only SW" };

    constexpr TextTable<-1, 1> noneOffOn { { { -1, "NONE" }, { 0, "OFF" }, { 1, "ON" } } };
    constexpr TextTable<-2, 0> tempoSourceNames { { { -2, "SEQUENCE" }, { -1, "MULTI" }, { 0, "EXTERNAL" } } };
    constexpr TextTable<-1, 1> chordMode { { { -1, "OFF" }, { 0, "MIDI CC" }, { 1, "Chord" } } };

    // Riff slots of the sequencer selection (code 355).
    constexpr int firstAvailable = 0;
    constexpr int lastRiff = 16;
    constexpr int mainSequence = 17;
    constexpr int lastArp = 33;
    constexpr int firstRiffAvailable = 34;
    constexpr int firstArpAvailable = 35;

    // Routing of a zone trigger (code 376): local and MIDI per channel, then MIDI only.
    constexpr int lastLocalChannel = 16;
    constexpr int lastMidiChannel = 32;
    constexpr int anyLocal = 33;
    constexpr int anyMidi = 34;

    template <size_t N>
    juce::String pick (const char* const (&texts)[N], int v)
    {
        if (auto* t = listText (texts, v))
            return t;
        return {};
    }

    template <int First, int Last>
    juce::String pick (const TextTable<First, Last>& table, int v)
    {
        if (auto* t = table.at (v))
            return t;
        return {};
    }

    juce::String number (int v) { return ValueText::ofNumber (v); }

    juce::String riffSlot (int v)
    {
        if (v == firstAvailable) return "First Available";
        if (v > firstAvailable && v <= lastRiff) return ValueText::ofText ("Riff ", v);
        if (v == mainSequence) return "Main Seq.";
        if (v > mainSequence && v <= lastArp) return ValueText::ofText ("Arp ", v - mainSequence);
        if (v == firstRiffAvailable) return "First Riff Avl";
        if (v == firstArpAvailable) return "First Arp Avl";
        return {};
    }

    juce::String triggerRouting (int v)
    {
        if (v <= 0) return "None";
        if (v <= lastLocalChannel) return ValueText::ofNumber (v, " Local + MIDI");
        if (v <= lastMidiChannel) return ValueText::ofNumber (v - lastLocalChannel, " MIDI");
        if (v == anyLocal) return "Any Local + MIDI";
        if (v == anyMidi) return "Any MIDI";
        return {};
    }
}

juce::String ValueGroup300::format (int code, int v)
{
    switch (code)
    {
        case 303: return pick (masterMulti, v);
        case 304: return pick (eqOrder, v);
        case 305: return pick (masterBypass, v);
        case 306: return ValueScales::shortTime (v);
        case 307: return ValueScales::longTime (v);
        case 308: return ValueScales::seconds (v);
        case 309: return ValueScales::frequency (v);
        case 310: return ValueScales::ratio (v);
        case 311: return ValueScales::level (v);
        case 312: return pick (outIn, v);
        case 313: return pick (sideChannels, v);
        case 314: return pick (sideChainInput, v);
        case 315: return pick (noMaybeYes, v);
        case 317: return pick (autoAB, v);
        case 318: return pick (noYes, v);
        case 319: case 337: return ValueLists::controllerName (v);
        case 320: return pick (mutesRole, v);
        case 321: return pick (repeatMode, v);
        case 324: return ValueText::ofText ("Channel ", int64_t (v) + 1);
        case 327: return pick (zoneState, v);
        case 328: return pick (zoneRouting, v);
        case 329: return pick (bankSelectMode, v);
        case 330: return v == -1 ? juce::String ("NONE") : number (v);
        case 331: return ValueText::ofNumber (v, " ST");
        case 332: return pick (velocitySplit, v);
        case 333: case 366: return ValueText::ofNumber (v, "%");
        case 336: case 377: return pick (curveNames, v);
        case 338: case 341: case 342: case 343: case 367: case 369: return {};
        case 339: return pick (absoluteRelative, v);
        case 340: return pick (sectionCount, v);
        case 344: return v == 0 ? juce::String ("OFF") : ValueText::ofText ("Arp ", v);
        case 352: return v < 0 ? juce::String ("PROG") : ValueText::ofNumber (v, " ST");
        case 353: return v < 0 ? juce::String ("PROG") : ValueText::ofNumber (v, " ct");
        case 354: return v < 0 ? juce::String ("NONE") : number (v);
        case 355: return riffSlot (v);
        case 356: return ValueText::ofText ("1/", v);
        case 357: return pick (syncPoint, v);
        case 358: return v == -1 ? juce::String ("ALL") : ValueText::ofNumber (int64_t (v) + 1);
        case 359: return ValueText::ofNumber (v, " bpm");
        case 363: return v < 0 ? juce::String ("NONE") : ValueScales::noteName (v);
        case 364: return v == -1 ? juce::String ("PRG") : number (v);
        case 365: return ValueScales::onOff (v);
        case 368: return pick (clockSource, v);
        case 370: return v == 0 ? juce::String ("AUTO") : number (v);
        case 371: return pick (zoneScope, v);
        case 372: return pick (playMode, v);
        case 373: return pick (assignTarget, v);
        case 375: return ValueScales::sendPoint (v);
        case 376: return triggerRouting (v);
        case 378: return pick (switchMode, v);
        case 379: return pick (noneOffOn, v);
        case 380: return v >= -2 && v <= 0 ? pick (tempoSourceNames, v) : juce::String ("BPM");
        case 381: return ValueLists::controlSourceName (v);
        case 382: return pick (chordMode, v);
        case 383: return pick (onlySwitch, v);
        case 384:
            if (v < 0) return "PER KEY";
            if (v == 0) return "AUTO";
            return number (v);
        case 385: return v == 0 ? "Traditional" : "Fixed";
        default: // 300..302, 316, 322, 323, 325, 326, 334, 335, 345..351, 360..362, 374, 386..399
            return number (v);
    }
}

} // namespace zd8
