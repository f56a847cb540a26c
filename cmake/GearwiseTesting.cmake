include(GoogleTest)

# gearwise_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One test executable; each of its cases is registered with CTest. Window
# tests run headless and every test runs in a fixed locale.
function(gearwise_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8"
                   TIMEOUT 300)
endfunction()
