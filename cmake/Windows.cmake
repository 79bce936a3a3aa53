# The Windows build's layout: every program and DLL in one folder, bin/, as they are installed on
# a bench, with the compiler's runtime DLLs beside them, so that a program starts from there with
# nothing else on the path. Our DLLs keep their plain names (Pelvoran.dll, Lusbapi.dll).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_SHARED_LIBRARY_PREFIX "")

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${found}" AND EXISTS "${found}")
    file(COPY ${found} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endif()
endforeach()

# A cross build runs its programs (the tests, and their discovery) under wine64 when it is there,
# in a wine prefix of the build's own, quietly and without a display.
if(CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(QUEV_WINE64 wine64 HINTS /usr/lib/wine)
  find_program(QUEV_WINESERVER wineserver HINTS /usr/lib/wine)
  if(QUEV_WINE64 AND QUEV_WINESERVER)
    set(wine_prefix ${CMAKE_BINARY_DIR}/wine)
    set(wine_env ${CMAKE_COMMAND} -E env --unset=DISPLAY WINEPREFIX=${wine_prefix}
        WINEDEBUG=-all)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_env} ${QUEV_WINE64})
    # The prefix is made once, by the build, so that tests started side by side find it ready;
    # the build waits until wine has shut down after it.
    add_custom_command(OUTPUT ${wine_prefix}/system.reg
                       COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
                       COMMAND ${wine_env} ${QUEV_WINESERVER} --wait
                       COMMENT "Creating the wine prefix")
    add_custom_target(wine_prefix ALL DEPENDS ${wine_prefix}/system.reg)
  endif()
endif()

# M_PI and its kin, which the C library declares for Windows only on request.
add_compile_definitions(_USE_MATH_DEFINES)
