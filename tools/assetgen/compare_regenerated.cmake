# Regenerates the asset set into WORK_DIR with ASSETGEN and compares it, file by
# file and byte by byte, with the committed SOURCE_DATA folder. Any changed,
# missing or extra file fails.
#   cmake -DASSETGEN=... -DSOURCE_DATA=.../data -DWORK_DIR=... -P compare_regenerated.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var ASSETGEN SOURCE_DATA WORK_DIR)
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

file(GLOB_RECURSE committed RELATIVE "${SOURCE_DATA}" "${SOURCE_DATA}/*")
file(GLOB_RECURSE generated RELATIVE "${WORK_DIR}/data" "${WORK_DIR}/data/*")
list(SORT committed)
list(SORT generated)

set(problems "")
foreach(file IN LISTS generated)
  if(NOT file IN_LIST committed)
    list(APPEND problems "not committed: data/${file}")
  else()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                            "${SOURCE_DATA}/${file}" "${WORK_DIR}/data/${file}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      list(APPEND problems "differs from the generator: data/${file}")
    endif()
  endif()
endforeach()
foreach(file IN LISTS committed)
  if(NOT file IN_LIST generated)
    list(APPEND problems "not generated: data/${file}")
  endif()
endforeach()

list(LENGTH generated count)
if(problems)
  string(REPLACE ";" "\n  " text "${problems}")
  message(FATAL_ERROR "data/ does not match assetgen's output (regenerate with the "
                      "regenerate-data target):\n  ${text}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "all ${count} files of data/ match assetgen's output")
