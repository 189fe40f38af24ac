# The editor's pictures, our own vector art. zd8-picgen (tools/picgen, which links JUCE
# only) draws every picture of editor/kit/PictureCatalogue.h at build time into one zip of
# PNGs, which is embedded as read-only data in the static library zd8_pictures
# (namespace Zd8Pictures, header Zd8Pictures.h), which zd8_editor links. The generator is
# the source of truth: a change to it redraws and re-embeds the pictures.

set(ZD8_PICTURE_DIR ${CMAKE_BINARY_DIR}/pictures)
set(ZD8_PICTURE_ZIP ${ZD8_PICTURE_DIR}/pictures.zip)

# juce_add_binary_data wants its input to exist when configuring. The placeholder is
# dated 1970 so that the generator's rule always finds it out of date.
file(MAKE_DIRECTORY ${ZD8_PICTURE_DIR})
if(NOT EXISTS ${ZD8_PICTURE_ZIP})
    file(WRITE ${ZD8_PICTURE_ZIP} "")
    if(CMAKE_HOST_UNIX)
        execute_process(COMMAND touch -d @0 ${ZD8_PICTURE_ZIP})
    endif()
endif()

add_custom_command(OUTPUT ${ZD8_PICTURE_ZIP}
    COMMAND zd8-picgen ${ZD8_PICTURE_ZIP}
    DEPENDS zd8-picgen
    COMMENT "Drawing the editor's pictures"
    VERBATIM)

juce_add_binary_data(zd8_pictures
    NAMESPACE Zd8Pictures
    HEADER_NAME Zd8Pictures.h
    SOURCES ${ZD8_PICTURE_ZIP})

# JUCE's encoding rule depends only on its list of inputs, which it rewrites at every
# configure, and juceaide leaves unchanged outputs untouched, so the rule would run on
# every build and still never follow the pictures. Instead: the list keeps a 1970 date,
# the rule depends on the zip itself, and it dates its outputs when it runs.
# (APPEND names the rule by its first output.)
set(ZD8_PICTURE_CODE ${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_zd8_pictures/JuceLibraryCode)
if(CMAKE_HOST_UNIX)
    execute_process(COMMAND touch -d @0 ${ZD8_PICTURE_CODE}/input_file_list)
endif()
add_custom_command(OUTPUT ${ZD8_PICTURE_CODE}/BinaryData1.cpp
    APPEND
    COMMAND ${CMAKE_COMMAND} -E touch ${ZD8_PICTURE_CODE}/BinaryData1.cpp ${ZD8_PICTURE_CODE}/Zd8Pictures.h
    DEPENDS ${ZD8_PICTURE_ZIP})

target_link_libraries(zd8_editor PUBLIC zd8_pictures)
