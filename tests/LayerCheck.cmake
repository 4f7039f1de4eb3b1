# cmake -DCHECK=cmake/CheckLayers.cmake -DWORK=DIR -P LayerCheck.cmake
# The layer check on a tree of two layers, low and high (which links low):
# every spelling of an include of high from low is refused; low's own and
# outside headers pass, as does high including low.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/low/Low.h "")
file(WRITE ${WORK}/src/high/High.h "#include \"low/Low.h\"\n#include \"../low/Low.h\"\n")
file(WRITE ${WORK}/rules.cmake "set(KALVERO_LAYER_ROOT ${WORK}/src)
set(KALVERO_LAYERS low high)
set(KALVERO_LAYER_FOLDERS low high)
set(KALVERO_LAYER_FOLDER_low low)
set(KALVERO_LAYER_ALLOWED_low low)
set(KALVERO_LAYER_FOLDER_high high)
set(KALVERO_LAYER_ALLOWED_high \"high;low\")
")

function(expect passes text)
    file(WRITE ${WORK}/src/low/Use.cpp "${text}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DRULES=${WORK}/rules.cmake -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(passes AND NOT result EQUAL 0)
        message(SEND_ERROR "refused: ${text}")
    elseif(NOT passes AND result EQUAL 0)
        message(SEND_ERROR "let through: ${text}")
    endif()
endfunction()

expect(TRUE "#include \"low/Low.h\"\n#include \"Low.h\"\n#include <vector>")
foreach(spelling IN ITEMS "#include \"high/High.h\"" "#include <high/High.h>"
        "#  include \"high/High.h\"" "  #include  \"high/High.h\"" "#\tinclude\t<high/High.h>"
        "#include \"../high/High.h\"" "#include \"low/../high/High.h\"" "#include HIGH")
    expect(FALSE "${spelling}")
endforeach()
