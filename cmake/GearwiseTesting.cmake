# gearwise_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One test program, registered with CTest as one test: a fault that makes
# the code loop then costs one timeout per program instead of one per case,
# and the program's own report names the cases that failed. Window tests run
# headless and every test runs in a fixed locale; in the sanitizer build each
# also gets the sanitizers' options and more time.
# Run some cases only: ./<name> --gtest_filter='Suite.*' in the build folder.
if(GEARWISE_SANITIZE)
    set(GEARWISE_TEST_TIMEOUT 900)
else()
    set(GEARWISE_TEST_TIMEOUT 60)
endif()

function(gearwise_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${GEARWISE_TEST_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;${GEARWISE_SANITIZER_ENVIRONMENT}")
endfunction()
