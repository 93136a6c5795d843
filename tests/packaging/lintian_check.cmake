# Builds the Debian package of BUILD_DIR with CPACK into OUT and runs lintian on it: any error
# (an "E:" line) fails. Without lintian on the machine the test says so and is skipped.
find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message("lintian is not installed: package not checked")
    return()
endif()

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB debs "${OUT}/*.deb")
list(LENGTH debs count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack -G DEB: status ${status}, ${count} packages\n${out}\n${err}")
endif()

execute_process(COMMAND "${LINTIAN}" --color never --fail-on error ${debs}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
# The warnings stay in the test's log for whoever looks.
message("${out}")
if(NOT status EQUAL 0 OR out MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian: status ${status}\n${err}")
endif()
