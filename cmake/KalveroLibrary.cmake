# One library per source folder, linked only downwards. Each target names the
# libraries below it that it uses; configuring fails when a file of its folder
# includes a header of a folder it does not link, so a layer cannot come to
# lean on one above it unnoticed.

set(KALVERO_SOURCE_FOLDERS base document conversion lh5 bios editor qemu picture canvas shell cli)

# kalvero_layer(TARGET FOLDER folder [DEPENDS ...])
#   Links TARGET to DEPENDS and checks the includes of src/FOLDER against
#   them. FOLDER is the folder under src/ the target is made of
#   ("shell/platform"); DEPENDS are our libraries below it, and outside ones
#   (Qt6::Widgets).
function(kalvero_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "DEPENDS")
    get_target_property(type ${name} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${name} PRIVATE ${arg_DEPENDS})
    else()
        target_link_libraries(${name} PUBLIC ${arg_DEPENDS})
    endif()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)

    set(allowed ${arg_FOLDER})
    foreach(dependency IN LISTS arg_DEPENDS)
        get_property(below GLOBAL PROPERTY KALVERO_FOLDERS_${dependency})
        list(APPEND allowed ${below})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY KALVERO_FOLDERS_${name} ${allowed})
    set_property(GLOBAL PROPERTY KALVERO_FOLDER_OWNER_${arg_FOLDER} ${name})

    set(folder ${PROJECT_SOURCE_DIR}/src/${arg_FOLDER})
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
    foreach(file IN LISTS files)
        cmake_path(RELATIVE_PATH file BASE_DIRECTORY ${PROJECT_SOURCE_DIR}/src
                   OUTPUT_VARIABLE relative)
        # A subfolder that is a library of its own was checked as that.
        cmake_path(GET relative PARENT_PATH own)
        get_property(owner GLOBAL PROPERTY KALVERO_FOLDER_OWNER_${own})
        if(owner AND NOT own STREQUAL arg_FOLDER)
            continue()
        endif()
        file(STRINGS ${file} includes REGEX "^#include \"[a-z0-9]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"(.*)/[^/]*\".*" "\\1" included "${line}")
            string(REGEX REPLACE "/.*" "" top "${included}")
            if(NOT top IN_LIST KALVERO_SOURCE_FOLDERS)
                continue()
            endif()
            set(found FALSE)
            foreach(permitted IN LISTS allowed)
                if(included STREQUAL permitted OR included MATCHES "^${permitted}/")
                    set(found TRUE)
                endif()
            endforeach()
            if(NOT found)
                message(FATAL_ERROR "src/${relative} (${name}) includes \"${included}/\", a "
                                    "folder ${name} does not link (it links: ${allowed})")
            endif()
        endforeach()
    endforeach()
endfunction()

# kalvero_library(NAME FOLDER folder SOURCES ... [DEPENDS ...])
#   A static library of our own, checked as kalvero_layer checks.
function(kalvero_library name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "FOLDER" "SOURCES;DEPENDS")
    add_library(${name} STATIC ${arg_SOURCES})
    # The picture module links the core too.
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    kalvero_warnings(${name})
    kalvero_layer(${name} FOLDER ${arg_FOLDER} DEPENDS ${arg_DEPENDS})
endfunction()
