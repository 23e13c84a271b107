# Runs one scenario through korvane-replay and compares its transcript with SCRIPT's .expected.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(expected_file ${dir}/${name}.expected)
execute_process(COMMAND ${REPLAY} ${SCRIPT}
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT EXISTS ${expected_file})
  message(FATAL_ERROR "no ${expected_file}; the transcript was:\n${actual}")
endif()
file(READ ${expected_file} expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "korvane-replay exited ${rc}\n${actual}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual "${actual}")
  execute_process(COMMAND diff -u ${expected_file} ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual
    OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "transcript differs from ${name}.expected:\n${difference}")
endif()
