# Compresses IN into OUT the way Debian wants documentation: best compression, and neither the
# file name nor a time stamp inside, so that the same input always gives the same bytes.
execute_process(COMMAND "${GZIP}" -9n -c "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${OUT}")
    message(FATAL_ERROR "gzip ${IN}: ${status}")
endif()
