include(GoogleTest)

# gearwise_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One test executable; each of its cases is registered with CTest. Window
# tests run headless and every test runs in a fixed locale; in the sanitizer
# build each also gets the sanitizers' options.
function(gearwise_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        DISCOVERY_TIMEOUT 60
        TEST_LIST ${name}_TESTS
        PROPERTIES TIMEOUT 300)
    # The environment is a list, which gtest_discover_tests' PROPERTIES
    # would cut to its first entry: it is set on the discovered cases by a
    # script that CTest reads after them.
    set(environment QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8 ${GEARWISE_SANITIZER_ENVIRONMENT})
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
    file(WRITE ${script} "if(${name}_TESTS)\n"
                         "    set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${environment}]==])\n"
                         "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
