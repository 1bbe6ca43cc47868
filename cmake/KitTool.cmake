# kit_tool(NAME SOURCE [FUNCTIONS] LIBRARIES lib...)
#
# One program of the kit, built from its one source file SOURCE (which
# holds its entry function) and installed with its manual page NAME.1:
#
#   NAME            the program, linked from NAME_objects and LIBRARIES
#   NAME_objects    the compiled source, entry function included, from which
#                   a variant of the program can be linked against other
#                   libraries (bench/ does so)
#   NAME_functions  with FUNCTIONS: a static library of the source compiled
#                   without its entry function (KIT_NO_MAIN), through which
#                   tests, fuzz targets and benchmarks call the program's
#                   own functions; its include directory is the program's
#                   folder, for the program's header.  Built only when
#                   something links it.
function(kit_tool name source)
  cmake_parse_arguments(ARG "FUNCTIONS" "" "LIBRARIES" ${ARGN})

  add_library(${name}_objects OBJECT ${source})
  target_link_libraries(${name}_objects PRIVATE ${ARG_LIBRARIES})

  add_executable(${name} $<TARGET_OBJECTS:${name}_objects>)
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${name}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  if(ARG_FUNCTIONS)
    add_library(${name}_functions STATIC EXCLUDE_FROM_ALL ${source})
    target_compile_definitions(${name}_functions PRIVATE KIT_NO_MAIN)
    target_include_directories(${name}_functions PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_functions PUBLIC ${ARG_LIBRARIES})
  endif()
endfunction()
