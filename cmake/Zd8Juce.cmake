# JUCE's modules, compiled once into one static library that the plug-in, the tests,
# the simulator and the tools all link. Nothing of ours is in here, so editing our
# code never recompiles JUCE.

add_library(zd8_juce STATIC)

target_link_libraries(zd8_juce
    PRIVATE
        juce::juce_audio_utils
        juce::juce_audio_processors
        juce::juce_audio_devices
        juce::juce_gui_extra
    PUBLIC
        juce::juce_recommended_config_flags)

set(ZD8_JUCE_DEFINITIONS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_MODAL_LOOPS_PERMITTED=0)

target_compile_definitions(zd8_juce PUBLIC ${ZD8_JUCE_DEFINITIONS})

# The module targets are linked privately (so their sources compile only here); hand
# their include folders and module definitions on to everyone who links us.
target_include_directories(zd8_juce SYSTEM INTERFACE
    $<TARGET_PROPERTY:zd8_juce,INCLUDE_DIRECTORIES>)
target_compile_definitions(zd8_juce INTERFACE
    $<TARGET_PROPERTY:zd8_juce,COMPILE_DEFINITIONS>)

# JUCE's sources trip many warnings that are not ours to fix.
target_compile_options(zd8_juce PRIVATE -w)

# Debian's JUCE uses the system's image libraries; they must follow our JUCE library on
# every link line.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZD8_IMAGE_LIBS REQUIRED IMPORTED_TARGET libpng libjpeg)
target_link_libraries(zd8_juce PUBLIC PkgConfig::ZD8_IMAGE_LIBS)
