# The shared library defines exactly the functions named in the export table, nothing more.
# Run with -DNM=... -DLIBRARY=... -DDEF=...
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(actual)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND actual ${name})
endforeach()

file(STRINGS ${DEF} entries REGEX "@[0-9]+")
set(expected)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^[ \t]*([A-Za-z_0-9]+).*" "\\1" name "${entry}")
  list(APPEND expected ${name})
endforeach()

list(SORT actual)
list(SORT expected)
list(LENGTH expected count)
if(NOT count EQUAL 45 OR NOT actual STREQUAL expected)
  message(FATAL_ERROR "exports of ${LIBRARY}:\n  ${actual}\nexpected (${count}):\n  ${expected}")
endif()
message(STATUS "${count} exports, as in the table")
