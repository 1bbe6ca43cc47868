# passrange: the orbit record reader as a function (passrange.cpp built
# without its main), and the program on the reference orbits.
kit_unit_test(passrange_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/passrange_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/spawn_program.cpp
          ${PROJECT_SOURCE_DIR}/orbit/passrange.cpp
  LIBS astro m)
target_include_directories(passrange_test PRIVATE ${PROJECT_SOURCE_DIR}/orbit)
target_compile_definitions(passrange_test PRIVATE KIT_NO_MAIN)
add_dependencies(passrange_test passrange)
