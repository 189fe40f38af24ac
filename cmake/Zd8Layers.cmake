# The layers of the engine and the window, each a static library of its own folder:
#
#   zd8_link -> zd8_model -> zd8_transfer -> zd8_arrangements -> zd8_engine -> zd8_editor
#
# (zd8_sim, the instrument simulator, stands beside them on zd8_link alone.) A layer links
# only the layers below it, and its include path holds only its own folder and theirs:
# each folder is reached through a link of its own under <build>/layers/<folder>/, so a
# file that includes a folder above its own does not compile. The build's LayerIncludes
# tests prove that it does not.

# zd8_layer(target folder [layer below ...]): the library of `folder`, all of its sources.
function(zd8_layer target folder)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/${folder}/main\\.cpp$")
    add_library(${target} STATIC ${sources})
    set(root ${CMAKE_BINARY_DIR}/layers/${folder})
    if(NOT EXISTS ${root}/${folder})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${ARGN})
    zd8_warnings(${target})
endfunction()

# The engine's layers (everything below the window). Under ZD8_FUZZ they are built with
# libFuzzer's coverage hooks (fuzz/CMakeLists.txt), which clang refuses to mix with a
# precompiled header built without them: the lowest layer then builds one, and the
# others reuse it.
set(ZD8_ENGINE_LAYERS)
function(zd8_engine_layer target folder)
    zd8_layer(${target} ${folder} ${ARGN})
    if(ZD8_FUZZ)
        if(target STREQUAL "zd8_link")
            zd8_precompiled_headers(${target})
        else()
            zd8_reuse_precompiled_headers(${target} zd8_link)
        endif()
    else()
        zd8_reuse_precompiled_headers(${target})
    endif()
    set(ZD8_ENGINE_LAYERS ${ZD8_ENGINE_LAYERS} ${target} PARENT_SCOPE)
endfunction()
