# Checks a shipped desktop file with a tool that reports problems without
# failing on them. Run with cmake -P and:
#   CHECK=desktop  TOOL=desktop-file-validate  FILE=the .desktop file
#     fails on any output: warnings and hints go to stdout with exit code 0.
#   CHECK=mime  TOOL=update-mime-database  FILE=the MIME package  WORK=a scratch folder
#     builds a database from that package alone (a parse error is only printed)
#     and checks that *.gwcase and the magic string reach the case type.

cmake_minimum_required(VERSION 3.25)

if(CHECK STREQUAL "desktop")
    execute_process(COMMAND ${TOOL} ${FILE}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR NOT output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate (exit ${result}):\n${output}")
    endif()

elseif(CHECK STREQUAL "mime")
    set(type application/x-gearwise-case)
    file(REMOVE_RECURSE ${WORK})
    file(MAKE_DIRECTORY ${WORK}/packages)
    configure_file(${FILE} ${WORK}/packages/ca.gearwise.Planner.xml COPYONLY)
    execute_process(COMMAND ${TOOL} ${WORK}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "Failed to parse|[Ee]rror|[Ww]arning")
        message(FATAL_ERROR "update-mime-database (exit ${result}):\n${output}")
    endif()
    set(missing)
    file(STRINGS ${WORK}/globs2 globs)
    if(NOT "50:${type}:*.gwcase" IN_LIST globs)
        list(APPEND missing "the glob *.gwcase")
    endif()
    file(STRINGS ${WORK}/subclasses parents)
    if(NOT "${type} application/json" IN_LIST parents)
        list(APPEND missing "application/json as its parent")
    endif()
    # The magic file is binary: take its printable runs.
    file(STRINGS ${WORK}/magic magic)
    list(JOIN magic "\n" magic)
    string(FIND "${magic}" "[80:${type}]" at)
    string(FIND "${magic}" "\"format\": \"gearwise-case\"" string_at)
    if(at EQUAL -1 OR string_at EQUAL -1)
        list(APPEND missing "the magic string")
    endif()
    file(READ ${WORK}/${type}.xml merged)
    if(NOT merged MATCHES "<comment xml:lang=\"fr\">")
        list(APPEND missing "the French comment")
    endif()
    if(missing)
        list(JOIN missing ", " missing)
        message(FATAL_ERROR "The MIME database lacks ${missing} for ${type}")
    endif()

else()
    message(FATAL_ERROR "CHECK must be desktop or mime, not '${CHECK}'")
endif()
