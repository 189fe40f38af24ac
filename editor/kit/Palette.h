#pragma once

#include <juce_core/juce_core.h>

namespace zd8
{

/** Every colour the window paints with, as ARGB words: the look-and-feel, the widgets
    and the pages take theirs from here and define none of their own (a file may give a
    palette colour a local name for what it paints with it). A tone that several places
    share has one name; the rest are named for the one place they belong to.

    Changing a value here changes the window's pictures: the render tests compare every
    page with a committed reference. */
struct Palette
{
    //==============================================================================
    // Shared tones.
    static constexpr juce::uint32 textBright = 0xffeeeeee;   // names, button captions
    static constexpr juce::uint32 textLabel = 0xfff3f3f3;    // labels beside controls
    static constexpr juce::uint32 textSoft = 0xffcccccc;
    static constexpr juce::uint32 textDim = 0xffaaaaaa;      // numbers beside names
    static constexpr juce::uint32 textWhite = 0xffffffff;
    static constexpr juce::uint32 pageFill = 0xff191919;     // pages, dialogs, frame rims
    static constexpr juce::uint32 selection = 0xff7b7f95;    // chosen rows, focused fields
    static constexpr juce::uint32 scrollTrackFill = 0x50323030;
    static constexpr juce::uint32 scrollTrackOutline = 0x5a4b4f57;

    //==============================================================================
    // The kit's widgets.
    static constexpr juce::uint32 buttonNormal = 0xff2a2a2e;
    static constexpr juce::uint32 buttonPressed = 0xff45454c;
    static constexpr juce::uint32 buttonOn = 0xff8a5a12;
    static constexpr juce::uint32 knobDisc = 0xaa000000;
    static constexpr juce::uint32 veil = 0x99000000;         // behind a modal panel
    static constexpr juce::uint32 nameListBackground = 0xff373535;
    static constexpr juce::uint32 nameListRow = 0xff3b3b43;
    static constexpr juce::uint32 objectListRowLine = 0xff555555;
    static constexpr juce::uint32 noteMeterBackground = 0xff5a5058;
    static constexpr juce::uint32 noteMeterLit = 0xff9be36a;
    static constexpr juce::uint32 displayNameBand = 0xe51f1c26;
    static constexpr juce::uint32 displayNameBandOutline = 0x991f1c26;
    static constexpr juce::uint32 displayCategory = 0xffd0a304;
    static constexpr juce::uint32 displayNumber = 0xffe0e0e0;
    static constexpr juce::uint32 displaySmallEdge = 0xff1d1d1d;
    static constexpr juce::uint32 missingPicture = 0xff404040;
    static constexpr juce::uint32 rateTrack = 0xff2b2b30;
    static constexpr juce::uint32 rateFill = 0xff5a6a7a;
    static constexpr juce::uint32 rateThumb = 0xffd8d8d8;
    static constexpr juce::uint32 entryTitle = 0xffededed;
    static constexpr juce::uint32 entryField = 0xff2b2b33;
    static constexpr juce::uint32 entryFocusedOutline = 0xffaab0cc;
    static constexpr juce::uint32 frameBody = 0xff161616;
    static constexpr juce::uint32 menuBackground = 0xff000000;
    static constexpr juce::uint32 menuHighlight = 0xff5a5a5a;
    static constexpr juce::uint32 zoneKeysBackground = 0xff232528;
    static constexpr juce::uint32 zoneKeysOutside = 0x66000000;
};

} // namespace zd8
