# Regenerates the asset set into WORK_DIR with ASSETGEN and compares it, file by
# file and byte by byte, with the committed data/ and icons/ folders under
# SOURCE_ROOT. Any changed, missing or extra file fails.
#   cmake -DASSETGEN=... -DSOURCE_ROOT=... -DWORK_DIR=... -P compare_regenerated.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var ASSETGEN SOURCE_ROOT WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare_regenerated.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${ASSETGEN}" "${WORK_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "assetgen failed (${result})")
endif()

set(problems "")
set(count 0)
foreach(folder data icons)
  file(GLOB_RECURSE committed RELATIVE "${SOURCE_ROOT}" "${SOURCE_ROOT}/${folder}/*")
  file(GLOB_RECURSE generated RELATIVE "${WORK_DIR}" "${WORK_DIR}/${folder}/*")
  foreach(file IN LISTS generated)
    if(NOT file IN_LIST committed)
      list(APPEND problems "not committed: ${file}")
    else()
      execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                              "${SOURCE_ROOT}/${file}" "${WORK_DIR}/${file}"
                      RESULT_VARIABLE differs)
      if(NOT differs EQUAL 0)
        list(APPEND problems "differs from the generator: ${file}")
      endif()
    endif()
  endforeach()
  foreach(file IN LISTS committed)
    if(NOT file IN_LIST generated)
      list(APPEND problems "not generated: ${file}")
    endif()
  endforeach()
  list(LENGTH generated folder_count)
  math(EXPR count "${count} + ${folder_count}")
endforeach()

if(problems)
  string(REPLACE ";" "\n  " text "${problems}")
  message(FATAL_ERROR "data/ and icons/ do not match assetgen's output (regenerate with the "
                      "regenerate-data target):\n  ${text}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "all ${count} files of data/ and icons/ match assetgen's output")
