// A minimal VST 2 host built on FST's header, with no JUCE: loads the plug-in through
// its exported VSTPluginMain the way a DAW does, and checks what a host relies on.
// Usage: zd8-vst-host path/to/plugin.so|.dll   (exit code 0 = every check passed)
//          With ZD8_DEMO_DEVICE=1 and ZD8_DEMO_DEVICE_LOG=<file> in the environment the
//          plug-in brings the instrument simulator along as "ZD8 Simulator" and logs what
//          reaches it: the host then points the plug-in's port file at it and checks the
//          program selects the instrument receives.
//        zd8-vst-host path/to/plugin.so --rename-and-save bank.out
//          renames Arrangements 0, 5 and 63 through the host's program calls,
//          recalls 5, and writes the bank chunk the plug-in then hands the host.

#define FST2VST 1
#include <pluginterfaces/fst/fst.h>

#ifdef _WIN32
 #include <windows.h>
#else
 #include <dlfcn.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
 #include <sys/stat.h>
#endif

namespace
{
    int failures = 0, passes = 0;
    int automations = 0, beginEdits = 0, endEdits = 0;

    void check (bool ok, const std::string& what)
    {
        std::printf ("%s %s\n", ok ? "ok     " : "FAILED ", what.c_str());
        (ok ? passes : failures) += 1;
    }

    VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void* ptr, float)
    {
        switch (opcode)
        {
            case audioMasterVersion: return 2400;
            case audioMasterAutomate: ++automations; return 0;
            case audioMasterBeginEdit: ++beginEdits; return 0;
            case audioMasterEndEdit: ++endEdits; return 0;
            case audioMasterGetSampleRate: return 48000;
            case audioMasterGetBlockSize: return 512;
            case audioMasterGetProductString:
                if (ptr != nullptr)
                    std::strcpy (static_cast<char*> (ptr), "zd8-vst-host");
                return 1;
            default: return 0;
        }
    }

    // The plug-in binary: a DLL on Windows, a shared object elsewhere.
    struct Library
    {
        explicit Library (const char* path)
        {
#ifdef _WIN32
            const int length = MultiByteToWideChar (CP_ACP, 0, path, -1, nullptr, 0);
            std::wstring widePath ((size_t) length, L'\0');
            MultiByteToWideChar (CP_ACP, 0, path, -1, widePath.data(), length);
            handle = LoadLibraryW (widePath.c_str());
            if (handle == nullptr)
                error = "LoadLibraryW failed with error " + std::to_string (GetLastError());
#else
            handle = dlopen (path, RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr)
                error = dlerror();
#endif
        }

        ~Library()
        {
            if (handle == nullptr)
                return;
#ifdef _WIN32
            FreeLibrary (handle);
#else
            dlclose (handle);
#endif
        }

        void* symbol (const char* name) const
        {
#ifdef _WIN32
            return reinterpret_cast<void*> (GetProcAddress (handle, name));
#else
            return dlsym (handle, name);
#endif
        }

#ifdef _WIN32
        HMODULE handle = nullptr;
#else
        void* handle = nullptr;
#endif
        std::string error;
    };

    std::string text (AEffect* e, int opcode, int index)
    {
        char buffer[256] = {};
        e->dispatcher (e, opcode, index, 0, buffer, 0.0f);
        return buffer;
    }

    // VstPinProperties::flags as VST 2.4 hosts read them (FST leaves them at 0).
    constexpr int pinIsActive = 1 << 0, pinIsStereo = 1 << 1, pinUseSpeaker = 1 << 2;

    // VST 2.4 requests FST has no numbers for.
    constexpr int keysRequiredOpcode = 57, midiInputChannelsOpcode = 78, midiOutputChannelsOpcode = 79;

    std::string environment (const char* name)
    {
        const char* value = std::getenv (name);
        return value != nullptr ? value : "";
    }

    // The plug-in's folder in the user's application data, made if missing.
    std::string pluginFolder()
    {
#ifdef _WIN32
        const std::string folder = environment ("APPDATA") + "\\Vantor ZD8";
        CreateDirectoryA (environment ("APPDATA").c_str(), nullptr);
        CreateDirectoryA (folder.c_str(), nullptr);
        return folder + "\\";
#else
        const std::string config = environment ("XDG_CONFIG_HOME").empty() ? environment ("HOME") + "/.config" : environment ("XDG_CONFIG_HOME");
        const std::string folder = config + "/Vantor ZD8";
        mkdir (environment ("HOME").c_str(), 0755);
        mkdir (config.c_str(), 0755);
        mkdir (folder.c_str(), 0755);
        return folder + "/";
#endif
    }

    // The ports the plug-in opens: the demo device for input and output.
    void choosePorts (const std::string& device)
    {
        std::ofstream file (pluginFolder() + "zd8ports.dat", std::ios::binary | std::ios::trunc);
        file << device << '\x0F' << device << '\x10' << "NONE" << '\x11';
    }

    std::vector<std::string> lines (const std::string& path)
    {
        std::vector<std::string> result;
        std::ifstream file (path);
        for (std::string line; std::getline (file, line);)
            result.push_back (line);
        return result;
    }

    // Waits up to five seconds for the log to hold count copies of message.
    int waitForLines (const std::string& path, const std::string& message, int count)
    {
        int found = 0;
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            found = 0;
            for (const auto& line : lines (path))
                found += line == message ? 1 : 0;
            if (found >= count)
                break;
            std::this_thread::sleep_for (std::chrono::milliseconds (50));
        }
        return found;
    }
}

int main (int argc, char** argv)
{
    // Every line as it happens, also into a pipe: a hang then shows where it stopped.
    std::setvbuf (stdout, nullptr, _IONBF, 0);

    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s plugin.so\n", argv[0]);
        return 2;
    }

    const std::string deviceLog = environment ("ZD8_DEMO_DEVICE_LOG");
    const bool withDevice = environment ("ZD8_DEMO_DEVICE") == "1" && ! deviceLog.empty();
    if (withDevice)
    {
        choosePorts ("ZD8 Simulator");
        std::ofstream emptied (deviceLog, std::ios::trunc);
    }

    const Library library (argv[1]);
    check (library.handle != nullptr, std::string ("loads ") + argv[1] + (library.error.empty() ? "" : ": " + library.error));
    if (library.handle == nullptr)
        return 1;

    using MainProc = AEffect* (*) (audioMasterCallback);
    auto entry = reinterpret_cast<MainProc> (library.symbol ("VSTPluginMain"));
    check (entry != nullptr, "exports VSTPluginMain");
    if (entry == nullptr)
        return 1;
#ifndef _WIN32
    // Older Linux hosts enter through "main": it must be the same entry.
    check (library.symbol ("main") == reinterpret_cast<void*> (entry), "\"main\" is VSTPluginMain");
#endif

    AEffect* e = entry (hostCallback);
    check (e != nullptr && e->magic == kEffectMagic, "returns an effect");
    if (e == nullptr)
        return 1;

    e->dispatcher (e, effOpen, 0, 0, nullptr, 0.0f);

    if (argc >= 4 && std::string (argv[2]) == "--rename-and-save")
    {
        const std::pair<int, const char*> names[] = { { 0, "Opening Set" }, { 63, "Encore" }, { 5, "Ballad" } };
        for (auto [program, name] : names)
        {
            e->dispatcher (e, effSetProgram, 0, program, nullptr, 0.0f);
            char buffer[32] = {};
            std::strncpy (buffer, name, sizeof (buffer) - 1);
            e->dispatcher (e, effSetProgramName, 0, 0, buffer, 0.0f);
        }
        check (e->dispatcher (e, effGetProgram, 0, 0, nullptr, 0.0f) == 5, "Arrangement 5 is current");
        void* chunk = nullptr;
        const auto size = e->dispatcher (e, effGetChunk, 0, 0, &chunk, 0.0f);
        FILE* out = std::fopen (argv[3], "wb");
        // The project's chunk begins with the bank chunk; the live section follows.
        check (out != nullptr && size > 19225 && std::fwrite (chunk, 1, 19225, out) == 19225, "bank chunk written");
        if (out != nullptr)
            std::fclose (out);
        e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f);
        return failures == 0 ? 0 : 1;
    }

    check (e->numParams == 2314, "2314 parameters (" + std::to_string (e->numParams) + ")");
    check (e->numPrograms == 64, "64 programs (" + std::to_string (e->numPrograms) + ")");
    check (e->numInputs == 2 && e->numOutputs == 2, "stereo in and out");
    check ((e->flags & effFlagsHasEditor) != 0, "has an editor");
    check ((e->flags & effFlagsProgramChunks) != 0, "stores its state in chunks");
    check (text (e, effGetEffectName, 0) == "Brisvane VST", "named Brisvane VST (" + text (e, effGetEffectName, 0) + ")");
    check (text (e, effGetParamName, 15) == "Program No. Ch.1", "slot 15 is \"" + text (e, effGetParamName, 15) + "\"");
    check (text (e, effGetParamName, 2305) == "Playing Mode", "slot 2305 is \"" + text (e, effGetParamName, 2305) + "\"");
    check (text (e, effGetProgramNameIndexed, 0).rfind ("EDM", 0) == 0, "program 0 is EDM");

    // Pins: channels named by number, 1 and 2, each side one active stereo pair.
    struct PinCase
    {
        int opcode, index;
        const char* label;
        int flags;
    };
    for (auto c : { PinCase { effGetInputProperties, 0, "1", pinIsActive | pinIsStereo | pinUseSpeaker },
                    PinCase { effGetInputProperties, 1, "2", pinIsActive | pinUseSpeaker },
                    PinCase { effGetOutputProperties, 0, "1", pinIsActive | pinIsStereo | pinUseSpeaker },
                    PinCase { effGetOutputProperties, 1, "2", pinIsActive | pinUseSpeaker } })
    {
        VstPinProperties pin {};
        const auto answered = e->dispatcher (e, c.opcode, c.index, 0, &pin, 0.0f);
        const std::string side = c.opcode == effGetInputProperties ? "input" : "output";
        check (answered == 1 && std::string (pin.label) == c.label && std::string (pin.shortLabel) == c.label
                   && pin.flags == c.flags && pin.arrangementType == kSpeakerArrStereo,
               side + " pin " + std::to_string (c.index) + " is \"" + pin.label + "\" / \"" + pin.shortLabel + "\", flags "
                   + std::to_string (pin.flags) + ", arrangement " + std::to_string (pin.arrangementType));
    }
    VstPinProperties beyond {};
    check (e->dispatcher (e, effGetOutputProperties, 2, 0, &beyond, 0.0f) == 0, "no third output pin");

    // Requests a host makes by their VST 2.4 numbers: MIDI on all sixteen channels each
    // way, and the window wants the keyboard.
    struct RequestCase
    {
        int opcode;
        const char* what;
        VstIntPtr expected;
    };
    for (auto c : { RequestCase { midiInputChannelsOpcode, "MIDI input channels", 16 },
                    RequestCase { midiOutputChannelsOpcode, "MIDI output channels", 16 },
                    RequestCase { keysRequiredOpcode, "keys required", 1 } })
    {
        const auto answer = e->dispatcher (e, c.opcode, 0, 0, nullptr, 0.0f);
        check (answer == c.expected, std::string (c.what) + ": " + std::to_string (answer));
    }

    e->dispatcher (e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    e->dispatcher (e, effSetBlockSize, 0, 512, nullptr, 0.0f);
    e->dispatcher (e, effMainsChanged, 0, 1, nullptr, 0.0f);

    // Host automation: controller 7 of channel 1 to 100.
    const int slot = 256 + 7;
    e->setParameter (e, slot, 100.0f / 127.0f);
    const float back = e->getParameter (e, slot);
    check (back > 0.78f && back < 0.79f, "parameter value comes back (" + std::to_string (back) + ")");

    // Value texts: the playing mode, and the program-number row showing the whole
    // program (its bank row 14 times 128 plus its own value) with the program's name.
    check (text (e, effGetParamDisplay, 2305) == "PROGRAM", "slot 2305 reads \"" + text (e, effGetParamDisplay, 2305) + "\"");
    e->setParameter (e, 14, 5.0f / 31.0f);
    e->setParameter (e, 15, 3.0f / 127.0f);
    const auto programText = text (e, effGetParamDisplay, 15);
    check (programText.rfind ("643 ", 0) == 0 && programText.find_first_not_of (' ', 4) != std::string::npos,
           "slot 15 reads \"" + programText + "\"");

    // Replaying the same automation selects the program again: every host write to a
    // program-number row reaches the instrument, also one equal to the value the
    // plug-in holds, and none is reported back to the host as automation.
    if (withDevice)
    {
        // The first writes made program 643 the channel's program, which the host hears
        // of (the program row) once the plug-in's message thread has run.
        waitForLines (deviceLog, "F0 07 46 01 00 20 00 05 03 F7", 1);
        std::this_thread::sleep_for (std::chrono::milliseconds (300));
        const int automationsBeforeReplay = automations;
        e->setParameter (e, 14, 5.0f / 31.0f);
        e->setParameter (e, 15, 3.0f / 127.0f);
        const std::string select643 = "F0 07 46 01 00 20 00 05 03 F7";
        const int selects = waitForLines (deviceLog, select643, 2);
        check (selects >= 2, "program 643 selected on the instrument twice (" + std::to_string (selects) + " times)");
        check (automations == automationsBeforeReplay, "the replayed writes are not echoed to the host");
    }

    // A row of each kind takes the host's value: pan (addressed), playing mode,
    // multi bank; a value out of 0..1 stays inside the range.
    struct KindCase
    {
        int slot;
        float set, expected;
    };
    for (auto c : { KindCase { 9, 1.0f, 1.0f }, KindCase { 2305, 1.0f, 1.0f }, KindCase { 2312, 2.0f / 31.0f, 2.0f / 31.0f }, KindCase { 256 + 1, 9.0f, 1.0f } })
    {
        e->setParameter (e, c.slot, c.set);
        const float got = e->getParameter (e, c.slot);
        check (got > c.expected - 0.001f && got < c.expected + 0.001f, "slot " + std::to_string (c.slot) + " reads back " + std::to_string (got));
    }

    // Recalling an Arrangement through the program calls reports its slots to the
    // host as automation, each inside a gesture.
    const int automationsBefore = automations;
    e->dispatcher (e, effSetProgram, 0, 2, nullptr, 0.0f);
    check (e->dispatcher (e, effGetProgram, 0, 0, nullptr, 0.0f) == 2, "program 2 is current");
    check (automations > automationsBefore && beginEdits > 0, "the recall was reported to the host (" + std::to_string (automations - automationsBefore) + " changes)");

    // Bank chunk (index 0) and program chunk (index 1).
    void* chunk = nullptr;
    const auto bankSize = e->dispatcher (e, effGetChunk, 0, 0, &chunk, 0.0f);
    check (bankSize > 19225 && chunk != nullptr && std::memcmp (chunk, "ZD8_Plugin_Bank", 15) == 0
               && std::memcmp (static_cast<char*> (chunk) + 19225, "ZD8_Live_State", 14) == 0,
           "project chunk: the bank chunk of 19225 bytes, then the live section (" + std::to_string (bankSize) + ")");
    std::vector<char> bank (static_cast<char*> (chunk), static_cast<char*> (chunk) + bankSize);
    const auto programSize = e->dispatcher (e, effGetChunk, 1, 0, &chunk, 0.0f);
    check (programSize == 327 && std::memcmp (chunk, "ZD8PluginSettings", 17) == 0, "program chunk of 327 bytes (" + std::to_string (programSize) + ")");
    std::vector<char> program (static_cast<char*> (chunk), static_cast<char*> (chunk) + programSize);

    // Each chunk handed back undoes a change made since: the bank chunk a rename of the
    // current Arrangement, the program chunk (the live Arrangement only; names stay with
    // the bank) a change of the playing mode. The plug-in then hands out the same bytes.
    const auto chunkNow = [e] (int index)
    {
        void* data = nullptr;
        const auto size = e->dispatcher (e, effGetChunk, index, 0, &data, 0.0f);
        return size > 0 && data != nullptr ? std::vector<char> (static_cast<char*> (data), static_cast<char*> (data) + size) : std::vector<char>();
    };
    const auto nameBefore = text (e, effGetProgramName, 0);
    char newName[32] = {};
    std::strncpy (newName, nameBefore.rfind ("Round Trip", 0) == 0 ? "Trip Round" : "Round Trip", sizeof (newName) - 1);
    e->dispatcher (e, effSetProgramName, 0, 0, newName, 0.0f);
    check (chunkNow (0) != bank && chunkNow (1) != program, "a rename changes both chunks (\"" + nameBefore + "\" to \"" + text (e, effGetProgramName, 0) + "\")");
    e->dispatcher (e, effSetChunk, 0, (VstIntPtr) bank.size(), bank.data(), 0.0f);
    check (chunkNow (0) == bank && text (e, effGetProgramName, 0) == nameBefore, "the bank chunk round-trips");
    const float modeBefore = e->getParameter (e, 2305);
    e->setParameter (e, 2305, modeBefore > 0.5f ? 0.0f : 1.0f);
    check (chunkNow (1) != program, "a new playing mode changes the program chunk");
    e->dispatcher (e, effSetChunk, 1, (VstIntPtr) program.size(), program.data(), 0.0f);
    check (chunkNow (1) == program && e->getParameter (e, 2305) == modeBefore, "the program chunk round-trips");

    // The project chunk brings back what every parameter read when it was taken, also
    // when the host sets the project's program after it (as hosts do on reopening).
    {
        e->setParameter (e, 2305, 1.0f);              // multi mode
        e->setParameter (e, 256 + 7, 100.0f / 127.0f); // channel 1 volume
        e->setParameter (e, 3 * 16 + 10, 0.25f);     // channel 4 level
        const auto project = chunkNow (0);
        std::vector<float> reads;
        for (int i = 0; i < e->numParams; ++i)
            reads.push_back (e->getParameter (e, i));
        const auto current = e->dispatcher (e, effGetProgram, 0, 0, nullptr, 0.0f);

        e->dispatcher (e, effSetProgram, 0, 7, nullptr, 0.0f);
        e->setParameter (e, 256 + 7, 0.0f);
        e->dispatcher (e, effSetChunk, 0, (VstIntPtr) project.size(), const_cast<char*> (project.data()), 0.0f);
        e->dispatcher (e, effSetProgram, 0, current, nullptr, 0.0f);
        int differing = 0;
        for (int i = 0; i < e->numParams; ++i)
            differing += e->getParameter (e, i) != reads[(size_t) i] ? 1 : 0;
        check (differing == 0 && e->dispatcher (e, effGetProgram, 0, 0, nullptr, 0.0f) == current,
               "the project chunk brings back every parameter and the program (" + std::to_string (differing) + " differ)");
    }

    // Blocks: silence out, whatever comes in.
    std::vector<float> inL (512, 0.5f), inR (512, 0.5f), outL (512, 1.0f), outR (512, 1.0f);
    float* ins[] = { inL.data(), inR.data() };
    float* outs[] = { outL.data(), outR.data() };
    for (int i = 0; i < 10; ++i)
        e->processReplacing (e, ins, outs, 512);
    bool silent = true;
    for (int i = 0; i < 512; ++i)
        silent = silent && outL[(size_t) i] == 0.0f && outR[(size_t) i] == 0.0f;
    check (silent, "outputs are silent");

    e->dispatcher (e, effMainsChanged, 0, 0, nullptr, 0.0f);
    e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f);
    check (beginEdits == endEdits, "every gesture the plug-in began was ended");

    std::printf ("host checks: %d passed, %d failed\n", passes, failures);
    return failures == 0 ? 0 : 1;
}
