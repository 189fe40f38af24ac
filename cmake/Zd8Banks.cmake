# Our own built-in banks of programs, multis and FX chains. zd8-bankgen (tools/bankgen,
# which links JUCE only) writes them into the build folder at build time, and they are
# embedded as read-only data in the static library zd8_banks (namespace Zd8Banks,
# header Zd8Banks.h), which zd8_model (and the simulator) link. The generator is the source of truth: a
# change to it regenerates and re-embeds the banks.

set(ZD8_BANK_DIR ${CMAKE_CURRENT_BINARY_DIR}/banks)
set(ZD8_BANK_FILES
    ${ZD8_BANK_DIR}/programs.bank
    ${ZD8_BANK_DIR}/multis.bank
    ${ZD8_BANK_DIR}/fxchains.bank)

# juce_add_binary_data wants its inputs to exist when configuring. Placeholders are
# dated 1970 so that the generator's rule always finds them out of date.
file(MAKE_DIRECTORY ${ZD8_BANK_DIR})
foreach(bank IN LISTS ZD8_BANK_FILES)
    if(NOT EXISTS ${bank})
        file(WRITE ${bank} "")
        if(CMAKE_HOST_UNIX)
            execute_process(COMMAND touch -d @0 ${bank})
        endif()
    endif()
endforeach()

add_custom_command(OUTPUT ${ZD8_BANK_FILES}
    COMMAND zd8-bankgen ${ZD8_BANK_FILES}
    DEPENDS zd8-bankgen
    COMMENT "Generating the built-in banks"
    VERBATIM)

juce_add_binary_data(zd8_banks
    NAMESPACE Zd8Banks
    HEADER_NAME Zd8Banks.h
    SOURCES ${ZD8_BANK_FILES})

# JUCE's encoding rule depends only on its list of inputs, which it rewrites at every
# configure, and juceaide leaves unchanged outputs untouched, so the rule would run on
# every build and still never follow the banks. Instead: the list keeps a 1970 date,
# the rule depends on the banks themselves, and it dates its outputs when it runs.
# (APPEND names the rule by its first output.)
set(ZD8_BANK_CODE ${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_zd8_banks/JuceLibraryCode)
if(CMAKE_HOST_UNIX)
    execute_process(COMMAND touch -d @0 ${ZD8_BANK_CODE}/input_file_list)
endif()
add_custom_command(OUTPUT ${ZD8_BANK_CODE}/BinaryData1.cpp
    APPEND
    COMMAND ${CMAKE_COMMAND} -E touch
        ${ZD8_BANK_CODE}/BinaryData1.cpp ${ZD8_BANK_CODE}/BinaryData2.cpp
        ${ZD8_BANK_CODE}/BinaryData3.cpp ${ZD8_BANK_CODE}/Zd8Banks.h
    DEPENDS ${ZD8_BANK_FILES})

target_link_libraries(zd8_model PUBLIC zd8_banks)
