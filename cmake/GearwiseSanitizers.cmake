# GEARWISE_SANITIZE: every library, program and test built with ASan and
# UBSan; the first finding ends the process, so the test that triggers it
# fails. GEARWISE_BUILD_FUZZ: the same, plus libFuzzer's coverage, for the
# targets under fuzz/. Both need clang.
if(NOT (GEARWISE_SANITIZE OR GEARWISE_BUILD_FUZZ))
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "GEARWISE_SANITIZE and GEARWISE_BUILD_FUZZ need clang: "
                        "configure a fresh build folder with -DCMAKE_CXX_COMPILER=clang++")
endif()

# float-cast-overflow is named although `undefined` holds it, so that a
# compiler that left it out of the group would still check it.
set(GEARWISE_SANITIZER_CHECKS address,undefined,float-cast-overflow)
add_compile_options(-fsanitize=${GEARWISE_SANITIZER_CHECKS} -fno-sanitize-recover=all -fno-omit-frame-pointer
                    # Optimised a little so the suite runs in reasonable
                    # time, with the line tables the reports need.
                    -O1 -gline-tables-only)
add_link_options(-fsanitize=${GEARWISE_SANITIZER_CHECKS})
if(GEARWISE_BUILD_FUZZ)
    # Coverage in every library; only the fuzz targets link the driver.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The environment of every test, inherited by the programs the tests start.
# LeakSanitizer stays on: Qt's own allocations are still reachable at exit,
# so it reports nothing of theirs.
set(GEARWISE_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
