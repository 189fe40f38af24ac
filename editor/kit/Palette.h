#pragma once

#include <juce_core/juce_core.h>

#include <array>

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
    static constexpr juce::uint32 textLight = 0xffdddddd;     // values and titles on pages
    static constexpr juce::uint32 pageFill = 0xff191919;     // pages, dialogs, frame rims
    static constexpr juce::uint32 selection = 0xff7b7f95;    // chosen rows, focused fields
    static constexpr juce::uint32 scrollTrackFill = 0x50323030;
    static constexpr juce::uint32 scrollTrackOutline = 0x5a4b4f57;

    /** The object lists' rows (ObjectList::setColours): the three row fills, then the
        number, name and category texts for a plain row, then for the chosen one. */
    static constexpr std::array<juce::uint32, 9> objectListRows { 0x22606060, 0x11303030, 0x11050505,
                                                                  0xffaaaaaa, 0xffcccccc, 0xffbbbbbb,
                                                                  0xffeeeeee, 0xffffffff, 0xffffffff };

    //==============================================================================
    // The transfer, write and rename dialogs: one look.
    static constexpr juce::uint32 dialogPanelFill = 0xff15222a;
    static constexpr juce::uint32 dialogPanelOutline = 0xff457089;
    static constexpr juce::uint32 dialogDeepFill = 0xff10191f;    // frames inside a panel
    static constexpr juce::uint32 dialogDimText = 0xff9aa7b0;
    static constexpr juce::uint32 dialogAccent = 0xff6cc8f0;      // focus, progress

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
    static constexpr juce::uint32 controlName = 0xddffffff;
    static constexpr juce::uint32 controlValue = 0xffffffff;
    static constexpr juce::uint32 controlHoverGlow = 0x22ffffff;
    static constexpr juce::uint32 controlSlotShade = 0x30000000;
    static constexpr juce::uint32 controlDrawbarShade = 0x50000000;
    static constexpr juce::uint32 controlValueBoxText = 0xfffcfcfc;
    static constexpr juce::uint32 controlCycleBoxText = 0xffdadada;
    static constexpr juce::uint32 controlNameButtonText = 0xff6e6e6e;
    static constexpr juce::uint32 controlNameButtonName = 0xff555555;
    static constexpr juce::uint32 controlSliderLevel = 0xffe3a13b;
    static constexpr juce::uint32 controlSlotShadow = 0xff0b0b0c;

    //==============================================================================
    // The library window.
    static constexpr juce::uint32 arrangementPreviewBackground = 0xff2b2b31;
    static constexpr juce::uint32 arrangementPreviewOutline = 0xff4a4a52;
    static constexpr juce::uint32 arrangementPreviewRowLine = 0xff35353c;
    static constexpr juce::uint32 arrangementPreviewNumber = 0xffd0a304;
    static constexpr juce::uint32 libraryButtonLabel = 0xfff7f7f7;
    static constexpr juce::uint32 libraryButtonHighlight = 0x26ffffff;
    static constexpr juce::uint32 libraryContentHeadingFill = 0xff0a0a0a;
    static constexpr juce::uint32 libraryContentBodyFill = 0xff373535;
    static constexpr juce::uint32 libraryContentHeadingText = 0xffede9e9;

    //==============================================================================
    // The pages.
    static constexpr juce::uint32 keysPagePanelTop = 0xff232427;
    static constexpr juce::uint32 parameterTableEntryHighlight = 0xff505050;
    static constexpr juce::uint32 pianoKeyWhiteBottom = 0xffdcdad2;
    static constexpr juce::uint32 pianoKeyWhitePlayedBottom = 0xff84bfd2;
    static constexpr juce::uint32 pianoKeyWhiteLitBottom = 0xffdaa948;
    static constexpr juce::uint32 pianoKeyBlackBottom = 0xff0c0c0d;
    static constexpr juce::uint32 pianoKeyBlackPlayedBottom = 0xff1c4a58;
    static constexpr juce::uint32 pianoKeyBlackLitBottom = 0xff5e420f;
    static constexpr juce::uint32 pianoKeyShadow = 0xff050505;
    static constexpr juce::uint32 assignmentGridSelectedFill = 0x22606060;
    static constexpr juce::uint32 assignmentGridRowLine = 0x30ffffff;
    static constexpr juce::uint32 assignmentGridColumnLine = 0x18ffffff;
    static constexpr juce::uint32 assignmentGridSelectedEdge = 0x66a0a0a0;
    static constexpr juce::uint32 controlsPageChannels = 0xffc0c0c0;
    static constexpr juce::uint32 controlsPageSection = 0xff9a9a9a;
    static constexpr juce::uint32 controlsPageOrgan = 0xffd0a304;
    static constexpr juce::uint32 controlsPageStatus = 0xffbbbbbb;
    static constexpr juce::uint32 keysPagePanelBack = 0xff1b1c1e;
    static constexpr juce::uint32 keysPageRim = 0xff2d2f33;
    static constexpr juce::uint32 keysPageGrip = 0xff4a4d52;
    static constexpr juce::uint32 keysPageCaption = 0xff9a9ea4;
    static constexpr juce::uint32 keysPageWell = 0xff0b0b0c;
    static constexpr juce::uint32 midiSetupPanelVeil = 0x66000000;
    static constexpr juce::uint32 midiSetupPanelPanelFill = 0xdd15222a;
    static constexpr juce::uint32 midiSetupPanelPanelOutline = 0xdd457089;
    static constexpr juce::uint32 midiSetupPanelBoxFill = 0xff282626;
    static constexpr juce::uint32 midiSetupPanelBoxOutline = 0xfffbffff;
    static constexpr juce::uint32 midiSetupPanelLampDark = 0xff432d24;
    static constexpr juce::uint32 midiSetupPanelAccent = 0xff3fb4e8;
    static constexpr juce::uint32 midiSetupPanelSecondAccent = 0xff8a5a12;
    static constexpr juce::uint32 mixerHeaderBar = 0xff5b5b5b;
    static constexpr juce::uint32 mixerHeaderShade = 0xff4a4a4a;
    static constexpr juce::uint32 mixerPageStrip = 0xff5b5b5b;
    static constexpr juce::uint32 mixerPageSection = 0xff676767;
    static constexpr juce::uint32 mixerPageSectionLight = 0xff7a7a7a;
    static constexpr juce::uint32 mixerPageSectionDark = 0xff4c4c4c;
    static constexpr juce::uint32 mixerPageCaption = 0xffbbbbbb;
    static constexpr juce::uint32 mixerPageWell = 0xff505050;
    static constexpr juce::uint32 mixerPageTick = 0xff8a8a8a;
    static constexpr juce::uint32 mixerStripEffectValue = 0xaacacaca;
    static constexpr juce::uint32 multiPagePageFill = 0xff131313;
    static constexpr juce::uint32 octaveStripBack = 0xff0b0b0c;
    static constexpr juce::uint32 octaveStripWhite = 0xffd9d8d2;
    static constexpr juce::uint32 octaveStripBlack = 0xff161617;
    static constexpr juce::uint32 octaveStripShade = 0x66000000;
    static constexpr juce::uint32 octaveStripRangeFrame = 0xff76bdd2;
    static constexpr juce::uint32 parameterTablePageHeading = 0xffbbbbbb;
    static constexpr juce::uint32 parameterTablePageProgramText = 0xff8c8c8c;
    static constexpr juce::uint32 parameterTablePageEntryFill = 0xff0c0c0c;
    static constexpr juce::uint32 parameterTablePageEntryOutline = 0xff8a8a8a;
    static constexpr juce::uint32 pianoKeyWhiteTop = 0xfff6f5f0;
    static constexpr juce::uint32 pianoKeyWhitePlayedTop = 0xffb9e0ec;
    static constexpr juce::uint32 pianoKeyWhiteLitTop = 0xfff5dc93;
    static constexpr juce::uint32 pianoKeyBlackTop = 0xff303033;
    static constexpr juce::uint32 pianoKeyBlackPlayedTop = 0xff3f8598;
    static constexpr juce::uint32 pianoKeyBlackLitTop = 0xffa67a26;
    static constexpr juce::uint32 pianoKeyKeyGap = 0xff4a4a4c;
    static constexpr juce::uint32 pianoKeyLabel = 0xff8d8d8d;
    static constexpr juce::uint32 pianoPadPadBack = 0xff0b0b0c;
    static constexpr juce::uint32 programChooserPanelFill = 0xff131313;
    static constexpr juce::uint32 programChooserOrganCategory = 0xff00abdf;
    static constexpr juce::uint32 programPageStatus = 0xffe6c86c;
    static constexpr juce::uint32 velocityIndicatorTrack = 0x66374c53;
    static constexpr juce::uint32 velocityIndicatorEmpty = 0xff101010;
    static constexpr juce::uint32 velocityIndicatorFrame = 0xff4d5051;
    static constexpr juce::uint32 velocityIndicatorText = 0xff76bdd2;
    static constexpr juce::uint32 velocityIndicatorCaption = 0xff9a9ea4;
    static constexpr juce::uint32 zonesArrayTableFill = 0xff161616;
    static constexpr juce::uint32 zonesArrayHighlightFill = 0x593c5a6a;
    static constexpr juce::uint32 zonesArrayHighlightOutline = 0x88ffffff;

    //==============================================================================
    // The main panel, its bars and the dialogs.
    static constexpr juce::uint32 aboutPanelVeil = 0xdd000000;
    static constexpr juce::uint32 aboutPanelVersion = 0xfffffbfb;
    static constexpr juce::uint32 computerKeyboardPlayerIdleText = 0xff6f7377;
    static constexpr juce::uint32 computerKeyboardPlayerRestFrame = 0xff34363a;
    static constexpr juce::uint32 computerKeyboardPlayerText = 0xff76bdd2;
    static constexpr juce::uint32 computerKeyboardPlayerBack = 0xff161718;
    static constexpr juce::uint32 menuButtonBar = 0xff999999;
    static constexpr juce::uint32 receiveProgressTroughFill = 0xff0a0d10;
    static constexpr juce::uint32 receiveProgressTroughOutline = 0xff3a4a54;
    static constexpr juce::uint32 receiveProgressBarBottom = 0xff2a8cc0;
    static constexpr juce::uint32 tabBarTabNormal = 0xff232326;
    static constexpr juce::uint32 tabBarTabPressed = 0xff3d3d44;
    static constexpr juce::uint32 tabBarTabOn = 0xff9a6a1e;
    static constexpr juce::uint32 windowButtonsCloseHighlight = 0x40ffffff;
};

} // namespace zd8
