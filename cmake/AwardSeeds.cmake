# make_award_seeds FOLDER writes the tests' synthetic Award images, one of each
# layout: the seeds of fuzz_award_image and the image of docs/cli.md's example.
if(NOT TARGET make_award_seeds)
    add_executable(make_award_seeds ${PROJECT_SOURCE_DIR}/fuzz/MakeAwardSeeds.cpp
                                    ${PROJECT_SOURCE_DIR}/tests/bios/SyntheticImage.cpp
                                    ${PROJECT_SOURCE_DIR}/tests/support/TestBytes.cpp)
    target_include_directories(make_award_seeds PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(make_award_seeds PRIVATE kalvero_bios)
    kalvero_warnings(make_award_seeds)
endif()
