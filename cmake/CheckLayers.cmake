# cmake -DRULES=FILE -P CheckLayers.cmake
# Fails when a file of a library's folder includes a header of a folder that
# library does not link. Every include is read, however it is spelled: <>
# or "", blanks around the #, paths through .. or relative to the file's own
# folder; each is resolved as the compiler would find it (beside the file for
# "", then under the source root) before its folder is judged. An include
# that names no file in quotes or brackets (a macro) is refused.
#
# RULES sets KALVERO_LAYER_ROOT (the source root), KALVERO_LAYERS (the
# libraries), and for each library N: KALVERO_LAYER_FOLDER_N (its folder
# under the root) and KALVERO_LAYER_ALLOWED_N (the folders it may include).

cmake_minimum_required(VERSION 3.25)
include(${RULES})

set(failures "")
foreach(name IN LISTS KALVERO_LAYERS)
    set(folder ${KALVERO_LAYER_FOLDER_${name}})
    file(GLOB_RECURSE files ${KALVERO_LAYER_ROOT}/${folder}/*.h ${KALVERO_LAYER_ROOT}/${folder}/*.cpp)
    foreach(file IN LISTS files)
        cmake_path(RELATIVE_PATH file BASE_DIRECTORY ${KALVERO_LAYER_ROOT} OUTPUT_VARIABLE relative)
        cmake_path(GET relative PARENT_PATH own)
        # A subfolder that is a library of its own is checked as that.
        if(NOT own STREQUAL folder AND own IN_LIST KALVERO_LAYER_FOLDERS)
            continue()
        endif()
        cmake_path(GET file PARENT_PATH here)
        file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS lines)
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
                list(APPEND failures "${relative}: an include this check cannot read: ${line}")
                continue()
            endif()
            set(spelled "${CMAKE_MATCH_2}")
            cmake_path(ABSOLUTE_PATH spelled BASE_DIRECTORY ${here} NORMALIZE
                       OUTPUT_VARIABLE beside)
            cmake_path(ABSOLUTE_PATH spelled BASE_DIRECTORY ${KALVERO_LAYER_ROOT} NORMALIZE
                       OUTPUT_VARIABLE fromRoot)
            if(CMAKE_MATCH_1 STREQUAL "\"" AND EXISTS ${beside})
                set(target ${beside})
            elseif(EXISTS ${fromRoot})
                set(target ${fromRoot})
            else()
                continue() # a header from elsewhere: the system, Qt, the build
            endif()
            cmake_path(IS_PREFIX KALVERO_LAYER_ROOT ${target} NORMALIZE inside)
            if(NOT inside)
                continue()
            endif()
            cmake_path(RELATIVE_PATH target BASE_DIRECTORY ${KALVERO_LAYER_ROOT}
                       OUTPUT_VARIABLE included)
            cmake_path(GET included PARENT_PATH included)
            set(found FALSE)
            foreach(permitted IN LISTS KALVERO_LAYER_ALLOWED_${name})
                if(included STREQUAL permitted OR included MATCHES "^${permitted}/")
                    set(found TRUE)
                endif()
            endforeach()
            if(NOT found)
                list(APPEND failures "${relative} (${name}) includes ${spelled}, from ${included}/, "
                                     "a folder ${name} does not link (it links: "
                                     "${KALVERO_LAYER_ALLOWED_${name}})")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "${text}")
endif()
