# One library per source folder, linked only downwards. Each target names the
# libraries below it that it uses; every build fails when a file of its folder
# includes a header of a folder it does not link, however the include is
# spelled (cmake/CheckLayers.cmake), so a layer cannot come to lean on one
# above it unnoticed.

set(KALVERO_SOURCE_FOLDERS base document conversion lh5 bios editor qemu picture canvas shell cli)
# Runs before every library of ours is built, on every build.
add_custom_target(kalvero_layer_check ALL
    COMMAND ${CMAKE_COMMAND} -DRULES=${CMAKE_BINARY_DIR}/layer-rules.cmake
            -P ${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake
    COMMENT "Checking that each library includes only what it links"
    VERBATIM)

# kalvero_layer(TARGET FOLDER folder [DEPENDS ...])
#   Links TARGET to DEPENDS and has the includes of src/FOLDER checked against
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
    add_dependencies(${name} kalvero_layer_check)

    set(allowed ${arg_FOLDER})
    foreach(dependency IN LISTS arg_DEPENDS)
        get_property(below GLOBAL PROPERTY KALVERO_FOLDERS_${dependency})
        list(APPEND allowed ${below})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_property(GLOBAL PROPERTY KALVERO_FOLDERS_${name} ${allowed})
    string(MAKE_C_IDENTIFIER ${name} id)
    string(CONCAT rules "list(APPEND KALVERO_LAYERS ${id})\n"
           "list(APPEND KALVERO_LAYER_FOLDERS ${arg_FOLDER})\n"
           "set(KALVERO_LAYER_FOLDER_${id} ${arg_FOLDER})\n"
           "set(KALVERO_LAYER_ALLOWED_${id} \"${allowed}\")\n")
    set_property(GLOBAL APPEND_STRING PROPERTY KALVERO_LAYER_RULES "${rules}")
endfunction()

# Writes what the check reads, once every library is known.
function(kalvero_write_layer_rules)
    get_property(rules GLOBAL PROPERTY KALVERO_LAYER_RULES)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/layer-rules.cmake
         CONTENT "set(KALVERO_LAYER_ROOT ${PROJECT_SOURCE_DIR}/src)\n${rules}")
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL kalvero_write_layer_rules)

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
