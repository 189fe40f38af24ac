// The VST 2 plug-in's window in a Windows window of our own, as a Windows host shows it:
// loads the DLL through VSTPluginMain, opens the editor in a top-level window sized to
// what the editor asks for, and runs until the window is closed (WM_CLOSE), then closes
// the editor and the plug-in. Runs under wine (tests/host/wine-window.sh), which takes
// the screenshot and closes the window.
// Usage: zd8-vst-editor-host path\to\plugin.dll   (exit code 0 = opened and closed cleanly)

#define FST2VST 1
#include <pluginterfaces/fst/fst.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace
{
    const char* const windowClass = "Zd8VstEditorHost";
    // xdotool finds the window by this title.
    const char* const windowTitle = "ZD8 VST 2 editor";

    AEffect* effect = nullptr;
    bool editorOpen = false;

    VstIntPtr hostCallback (AEffect*, int opcode, int, VstIntPtr, void* ptr, float)
    {
        switch (opcode)
        {
            case audioMasterVersion: return 2400;
            case audioMasterGetSampleRate: return 48000;
            case audioMasterGetBlockSize: return 512;
            case audioMasterGetProductString:
                if (ptr != nullptr)
                    std::strcpy (static_cast<char*> (ptr), "zd8-vst-editor-host");
                return 1;
            default: return 0;
        }
    }

    LRESULT CALLBACK windowProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message)
        {
            case WM_TIMER:
                if (editorOpen)
                    effect->dispatcher (effect, effEditIdle, 0, 0, nullptr, 0.0f);
                return 0;
            case WM_CLOSE:
                // The editor goes before its parent window does.
                if (editorOpen)
                {
                    effect->dispatcher (effect, effEditClose, 0, 0, nullptr, 0.0f);
                    editorOpen = false;
                }
                DestroyWindow (window);
                return 0;
            case WM_DESTROY:
                PostQuitMessage (0);
                return 0;
            default:
                return DefWindowProcA (window, message, wParam, lParam);
        }
    }
}

int main (int argc, char** argv)
{
    std::setvbuf (stdout, nullptr, _IONBF, 0);
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: %s plugin.dll\n", argv[0]);
        return 2;
    }

    HMODULE module = LoadLibraryA (argv[1]);
    if (module == nullptr)
    {
        std::printf ("FAILED loading %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    using MainProc = AEffect* (*) (audioMasterCallback);
    const auto entry = reinterpret_cast<MainProc> (reinterpret_cast<void*> (GetProcAddress (module, "VSTPluginMain")));
    effect = entry != nullptr ? entry (hostCallback) : nullptr;
    if (effect == nullptr || (effect->flags & effFlagsHasEditor) == 0)
    {
        std::printf ("FAILED: no effect with an editor\n");
        return 1;
    }
    effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher (effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher (effect, effSetBlockSize, 0, 512, nullptr, 0.0f);
    effect->dispatcher (effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    WNDCLASSA wc {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA (nullptr);
    wc.lpszClassName = windowClass;
    wc.hCursor = LoadCursor (nullptr, IDC_ARROW);
    RegisterClassA (&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND window = CreateWindowA (windowClass, windowTitle, style, 0, 0, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);

    effect->dispatcher (effect, effEditOpen, 0, 0, window, 0.0f);
    editorOpen = true;

    // The window's client area takes the editor's size.
    ERect* rect = nullptr;
    effect->dispatcher (effect, effEditGetRect, 0, 0, &rect, 0.0f);
    if (rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top)
    {
        std::printf ("FAILED: the editor reports no size\n");
        return 1;
    }
    RECT frame { 0, 0, rect->right - rect->left, rect->bottom - rect->top };
    AdjustWindowRect (&frame, style, FALSE);
    SetWindowPos (window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow (window, SW_SHOW);
    UpdateWindow (window);
    SetTimer (window, 1, 50, nullptr);
    std::printf ("editor open: %d x %d\n", rect->right - rect->left, rect->bottom - rect->top);

    MSG message;
    while (GetMessageA (&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage (&message);
        DispatchMessageA (&message);
    }

    effect->dispatcher (effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary (module);
    std::printf ("editor closed\n");
    return 0;
}
