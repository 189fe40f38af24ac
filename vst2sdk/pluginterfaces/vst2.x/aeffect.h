// The VST 2 interface as JUCE's wrapper includes it: FST (Debian package fst-dev), a free
// reimplementation, completed with the VST 2.4 values FST leaves unknown among those the
// wrapper uses and a host of ours relies on. FST gives its unknown names placeholder
// values (0 for the pin flags, numbers above 100000 for opcodes): hosts then saw pins
// without flags, never heard "update display" after a program rename, and the wrapper
// never recognised the tail-size, keyboard-focus, bypass and MIDI-channel-count requests.
// The speaker arrangements other than mono and stereo and the SMPTE frame rates stay as
// FST has them: this stereo plug-in never answers with the former and never reads the
// latter.
#pragma once

// FST's placeholders are moved out of the way under other names; the values follow the
// include.
#define kVstPinIsActive fstUnknownPinIsActive
#define kVstPinIsStereo fstUnknownPinIsStereo
#define kVstPinUseSpeaker fstUnknownPinUseSpeaker
#define audioMasterIOChanged fstUnknownIOChanged
#define audioMasterVendorSpecific fstUnknownHostVendorSpecific
#define audioMasterUpdateDisplay fstUnknownUpdateDisplay
#define effSetBypass fstUnknownSetBypass
#define effGetTailSize fstUnknownGetTailSize
#define effKeysRequired fstUnknownKeysRequired
#define effGetNumMidiInputChannels fstUnknownGetNumMidiInputChannels
#define effGetNumMidiOutputChannels fstUnknownGetNumMidiOutputChannels

#include <pluginterfaces/fst/aeffectx.h>

#undef kVstPinIsActive
#undef kVstPinIsStereo
#undef kVstPinUseSpeaker
#undef audioMasterIOChanged
#undef audioMasterVendorSpecific
#undef audioMasterUpdateDisplay
#undef effSetBypass
#undef effGetTailSize
#undef effKeysRequired
#undef effGetNumMidiInputChannels
#undef effGetNumMidiOutputChannels

// VstPinProperties::flags: the pin is in use; it is the first of a stereo pair; its
// arrangementType holds a speaker arrangement.
enum
{
    kVstPinIsActive = 1 << 0,
    kVstPinIsStereo = 1 << 1,
    kVstPinUseSpeaker = 1 << 2
};

// Requests to the host (the wrapper passes them as FST's host opcode type).
constexpr t_fstHostOpcode audioMasterIOChanged = static_cast<t_fstHostOpcode> (13);
constexpr t_fstHostOpcode audioMasterVendorSpecific = static_cast<t_fstHostOpcode> (35);
constexpr t_fstHostOpcode audioMasterUpdateDisplay = static_cast<t_fstHostOpcode> (42);

// Requests from the host.
constexpr int effSetBypass = 44;
constexpr int effGetTailSize = 52;
constexpr int effKeysRequired = 57;
constexpr int effGetNumMidiInputChannels = 78;
constexpr int effGetNumMidiOutputChannels = 79;
