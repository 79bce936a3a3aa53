# Each shared library loads on its own: every library it needs is found and every symbol it uses
# is defined by it or by them. Run with -DLDD=... -DLIBRARIES=<path;path...>
foreach(library IN LISTS LIBRARIES)
  execute_process(COMMAND ${LDD} -r ${library} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR "${out}${err}" MATCHES "undefined symbol|not found")
    message(FATAL_ERROR "${library} does not load on its own:\n${out}${err}")
  endif()
  message(STATUS "${library}: no undefined symbol")
endforeach()
