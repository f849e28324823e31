# Writes OUTPUT: the version the programs report, PROJECT_VERSION and the git
# commit of SOURCE_DIR when it is a checkout. Run at every build; the file is
# rewritten only when its text changes, so nothing rebuilds without need.
set(commit "")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short=10 HEAD
                    WORKING_DIRECTORY "${SOURCE_DIR}" OUTPUT_VARIABLE commit ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND "${GIT_EXECUTABLE}" status --porcelain --untracked-files=no
                    WORKING_DIRECTORY "${SOURCE_DIR}" OUTPUT_VARIABLE changes ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(commit AND changes)
        set(commit "${commit}-modified")
    endif()
endif()
set(text "#pragma once\n#define BUNLINE_VERSION \"${VERSION}\"\n#define BUNLINE_COMMIT \"${commit}\"\n")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT "${old}" STREQUAL "${text}")
    file(WRITE "${OUTPUT}" "${text}")
endif()
