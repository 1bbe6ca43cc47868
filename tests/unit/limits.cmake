# Pointing-limit checkers: contract and mount conversion as pure functions
# (polarlimits.cpp built without its main), and the programs started without
# an argument zero.
kit_unit_test(limits_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/limits_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/spawn_program.cpp
          ${PROJECT_SOURCE_DIR}/limits/polarlimits.cpp
  LIBS pointing m)
target_compile_definitions(limits_test PRIVATE KIT_NO_MAIN)
add_dependencies(limits_test azellimits elevlimits polarlimits)
