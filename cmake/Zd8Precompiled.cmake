# Precompiled headers. Almost every file of ours includes JUCE's GUI and audio module
# headers, whose parsing took about 3.5 s of every file's compile: compiled once per
# target instead, a file costs only its own code. Test programs share the test support
# library's header (JUCE, GoogleTest and GoogleMock) instead of compiling one each.
#
# A precompiled header is seen by every file of its target, so a file that forgets an
# include of JUCE's still compiles here; builds with ZD8_PRECOMPILED_HEADERS=OFF (the
# ThreadSanitizer stage of tools/test) compile every file of our libraries on its own
# includes alone.

option(ZD8_PRECOMPILED_HEADERS "Precompile JUCE's headers for our targets" ON)
# The test programs may keep theirs where the code under test compiles without (the
# include check is about our libraries' files, and the tests are half of the work).
option(ZD8_TEST_PRECOMPILED_HEADERS "Precompile JUCE's and GoogleTest's headers for the tests"
       ${ZD8_PRECOMPILED_HEADERS})

set(ZD8_PRECOMPILED
    <juce_core/juce_core.h>
    <juce_events/juce_events.h>
    <juce_graphics/juce_graphics.h>
    <juce_gui_basics/juce_gui_basics.h>
    <juce_audio_basics/juce_audio_basics.h>
    <juce_audio_devices/juce_audio_devices.h>
    <juce_audio_processors/juce_audio_processors.h>)

# zd8_precompiled_headers(target [header ...]): JUCE's headers and the given ones.
function(zd8_precompiled_headers target)
    if(ZD8_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ZD8_PRECOMPILED} ${ARGN})
    endif()
endfunction()

# zd8_reuse_precompiled_headers(target [from]): the header already built for `from`
# (default zd8_pch, JUCE's headers alone), whose compile options `target` shares. A
# target with options of its own (the fuzzers' coverage instrumentation) needs a header
# of its own instead: clang refuses a header built with other code generation options.
function(zd8_reuse_precompiled_headers target)
    set(from zd8_pch)
    if(ARGC GREATER 1)
        set(from ${ARGV1})
    endif()
    if(ZD8_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} REUSE_FROM ${from})
        # The header is built for a library (-fPIC), and GCC refuses it for code built
        # for an executable (-fPIE); the later option wins.
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_compile_options(${target} PRIVATE -fPIC)
        endif()
    endif()
endfunction()

# JUCE's headers, precompiled once for every target of ours that needs nothing more.
if(ZD8_PRECOMPILED_HEADERS)
    set(pch_source ${CMAKE_BINARY_DIR}/zd8_pch.cpp)
    if(NOT EXISTS ${pch_source})
        file(WRITE ${pch_source} "// The precompiled JUCE headers' own translation unit.\n")
    endif()
    add_library(zd8_pch OBJECT ${pch_source})
    target_link_libraries(zd8_pch PRIVATE zd8_juce)
    zd8_warnings(zd8_pch)
    zd8_precompiled_headers(zd8_pch)
endif()
