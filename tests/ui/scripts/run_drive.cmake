# Runs orvane-drive on a script in a fresh program folder and compares what
# it prints and its exit status with the expected ones.
#   cmake -DDRIVE=... -DSCRIPT=... -DEXPECTED=... -DEXPECTED_STATUS=... -P run_drive.cmake
foreach(var DRIVE SCRIPT EXPECTED EXPECTED_STATUS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_drive.cmake needs -D${var}=...")
  endif()
endforeach()

get_filename_component(name "${SCRIPT}" NAME_WE)
get_filename_component(script_dir "${SCRIPT}" DIRECTORY)
set(home "${CMAKE_CURRENT_BINARY_DIR}/drive_home_${name}")
file(REMOVE_RECURSE "${home}")
file(MAKE_DIRECTORY "${home}")

# Paths in a script are relative to the script's folder, or with -DIN_HOME=1
# to the fresh program folder (a script that writes files).
set(work_dir "${script_dir}")
if(IN_HOME)
  set(work_dir "${home}")
endif()
execute_process(COMMAND "${DRIVE}" --home "${home}" "${SCRIPT}"
  WORKING_DIRECTORY "${work_dir}"
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(REMOVE_RECURSE "${home}")

file(READ "${EXPECTED}" expected)
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "orvane-drive ended with status ${status}, expected ${EXPECTED_STATUS}\n${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "orvane-drive printed:\n${output}\nexpected:\n${expected}")
endif()
