# The plug-in formats: VST 2 (the reference), VST3, LV2 and the Standalone program.
# JUCE's VST 2 wrapper includes pluginterfaces/vst2.x/*.h; our folder vst2sdk/ forwards
# those to FST.

juce_set_vst2_sdk_path(${CMAKE_SOURCE_DIR}/vst2sdk)

# Windows (cross-compiled): VST 2, VST3 and the Standalone. Not LV2: its build step runs
# a program of the target system (juce_lv2_helper loads the built plug-in to write its
# Turtle files), which cannot run on the build machine, and Windows hosts rarely load LV2.
if(WIN32)
    set(ZD8_PLUGIN_FORMATS VST VST3 Standalone)
else()
    set(ZD8_PLUGIN_FORMATS VST VST3 LV2 Standalone)
endif()

juce_add_plugin(ZD8Plugin
    PRODUCT_NAME "BrisvaneZD8"
    PLUGIN_NAME "Brisvane VST"
    COMPANY_NAME "Brisvane"
    PLUGIN_MANUFACTURER_CODE Bris
    PLUGIN_CODE BZD8
    DESCRIPTION "Editor, librarian and live controller for the ZD8 stage piano"
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT TRUE
    NEEDS_MIDI_OUTPUT TRUE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS TRUE
    COPY_PLUGIN_AFTER_BUILD FALSE
    VST2_CATEGORY kPlugCategEffect
    VST3_CATEGORIES Fx
    LV2URI "https://brisvane.invalid/plugins/zd8"
    FORMATS ${ZD8_PLUGIN_FORMATS})

# Debian's JUCE defines JucePlugin_LV2URI from the product name before it reads LV2URI.
target_compile_definitions(ZD8Plugin PUBLIC JucePlugin_LV2URI="https://brisvane.invalid/plugins/zd8")

# The shared-code target holds only the entry point, the demo device and the processor
# handover of the VST 2 entry; everything else is in the engine and zd8_editor. Its
# folder is reached as "formats/..." through a link of its own, as the layers are.
target_sources(ZD8Plugin PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PluginEntry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoDevice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcessorHandover.cpp)
set(formats_root ${CMAKE_BINARY_DIR}/layers/formats)
if(NOT EXISTS ${formats_root}/formats)
    file(MAKE_DIRECTORY ${formats_root})
    file(CREATE_LINK ${CMAKE_CURRENT_LIST_DIR} ${formats_root}/formats SYMBOLIC)
endif()
target_include_directories(ZD8Plugin PUBLIC ${formats_root})
target_link_libraries(ZD8Plugin PUBLIC zd8_editor zd8_sim)
zd8_warnings(ZD8Plugin)

# The VST 2 entry is ours (VstExports.cpp, VstEntryPoint): the wrapper's VSTPluginMain
# is renamed so that ours can call it and take over the calls it gets wrong for us. The
# wrapper's Linux "main" alias calls the renamed function directly: the link points
# "main" at our VSTPluginMain instead. FST's header warns (#warning) where it is unsure.
target_compile_definitions(ZD8Plugin_VST PRIVATE VSTPluginMain=zd8JuceVstPluginMain)
set(vst_entry_sources ${CMAKE_CURRENT_LIST_DIR}/VstExports.cpp ${CMAKE_CURRENT_LIST_DIR}/VstEntryPoint.cpp)
target_sources(ZD8Plugin_VST PRIVATE ${vst_entry_sources})
set_source_files_properties(${vst_entry_sources} PROPERTIES
    COMPILE_OPTIONS "-Wall;-Wextra;-Werror;-Wno-unused-parameter;-Wno-cpp")
if(NOT WIN32)
    target_link_options(ZD8Plugin_VST PRIVATE -Wl,--defsym=main=VSTPluginMain)
endif()

if(WIN32)
    # The cross compiler does not search /usr/include: reach FST's headers through a
    # folder of ours.
    set(fst_include ${CMAKE_BINARY_DIR}/fst-include)
    file(MAKE_DIRECTORY ${fst_include}/pluginterfaces)
    file(CREATE_LINK /usr/include/pluginterfaces/fst ${fst_include}/pluginterfaces/fst SYMBOLIC)
    target_include_directories(ZD8Plugin SYSTEM PUBLIC ${fst_include})
    # BrisvaneZD8.dll, as Windows names DLLs (MinGW would add "lib").
    set_target_properties(ZD8Plugin_VST PROPERTIES PREFIX "")

    # The VST 2 test host, run under wine by tests/host/wine-vst.sh.
    add_executable(zd8-vst-host ${CMAKE_SOURCE_DIR}/tests/host/Zd8VstHost.cpp)
    target_include_directories(zd8-vst-host SYSTEM PRIVATE ${fst_include})
    target_compile_options(zd8-vst-host PRIVATE -Wall -Wextra -Werror -Wno-deprecated-declarations -Wno-cpp)

    # The VST 2 editor in a window of its own, run under wine by tests/host/wine-window.sh.
    add_executable(zd8-vst-editor-host ${CMAKE_SOURCE_DIR}/tests/host/Zd8VstEditorHost.cpp)
    target_include_directories(zd8-vst-editor-host SYSTEM PRIVATE ${fst_include})
    target_compile_options(zd8-vst-editor-host PRIVATE -Wall -Wextra -Werror -Wno-deprecated-declarations -Wno-cpp)

    # The VST3 test host, on the SDK's interfaces that JUCE ships (tests/host/wine-vst3.sh).
    set(vst3_sdk ${JUCE_MODULES_DIR}/juce_audio_processors/format_types/VST3_SDK)
    add_executable(zd8-vst3-host ${CMAKE_SOURCE_DIR}/tests/host/Zd8Vst3Host.cpp
        ${vst3_sdk}/pluginterfaces/base/funknown.cpp
        ${vst3_sdk}/pluginterfaces/base/coreiids.cpp
        ${vst3_sdk}/public.sdk/source/vst/vstinitiids.cpp
        ${vst3_sdk}/public.sdk/source/common/memorystream.cpp)
    target_include_directories(zd8-vst3-host SYSTEM PRIVATE ${vst3_sdk})
    set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/host/Zd8Vst3Host.cpp PROPERTIES
        COMPILE_OPTIONS "-Wall;-Wextra;-Werror")
    target_link_libraries(zd8-vst3-host PRIVATE ole32)
endif()
