# Installs the build in BUILD_DIR twice, once under a prefix and once staged under DESTDIR, and
# checks that the installed runner starts and that the tools are beside it.
set(root ${CMAKE_CURRENT_BINARY_DIR}/install-check)
file(REMOVE_RECURSE ${root})

function(check_installed bin)
  foreach(tool tarn tarn_fontgen tarn_compile_script)
    if(NOT EXISTS ${bin}/${tool})
      message(FATAL_ERROR "${bin}/${tool} was not installed")
    endif()
  endforeach()
  execute_process(COMMAND ${bin}/tarn --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT version STREQUAL "tarn ${VERSION}\n")
    message(FATAL_ERROR "installed tarn --version gave '${version}' (status ${status})")
  endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root}/prefix
  OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status})")
endif()
check_installed(${root}/prefix/bin)

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}/stage
  ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /opt/tarn OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install with DESTDIR failed (${status})")
endif()
check_installed(${root}/stage/opt/tarn/bin)
if(NOT EXISTS ${root}/stage/opt/tarn/share/doc/tarn/docs/script-api.md)
  message(FATAL_ERROR "the script API reference was not installed")
endif()
file(REMOVE_RECURSE ${root})
