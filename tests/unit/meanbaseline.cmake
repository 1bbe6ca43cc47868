# meanbaseline: reader, reduction and output as pure functions
# (meanbaseline.cpp built without its main), and the program on a full device.
kit_unit_test(meanbaseline_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/meanbaseline_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/spawn_program.cpp
          ${PROJECT_SOURCE_DIR}/baseline/meanbaseline.cpp
  LIBS m)
target_include_directories(meanbaseline_test PRIVATE ${PROJECT_SOURCE_DIR}/baseline)
target_compile_definitions(meanbaseline_test PRIVATE KIT_NO_MAIN)
add_dependencies(meanbaseline_test meanbaseline)
