# Fails while the committed script API reference (COMMITTED) differs from what TOOL makes now.
set(generated ${CMAKE_CURRENT_BINARY_DIR}/script-api-check.md)
execute_process(COMMAND ${TOOL} ${generated} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${generated}
  RESULT_VARIABLE differs)
file(REMOVE ${generated})
if(differs)
  message(FATAL_ERROR "${COMMITTED} is out of date with the binding tables; regenerate it with "
    "`make api-reference` (or `cmake --build build --target api-reference`) and commit it.")
endif()
