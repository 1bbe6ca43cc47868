# sunguard: the argument scan as a pure function (sunguard.cpp built without
# its main), and the program itself on a sample of the reference instants,
# without an argument zero, and with its output on a full device.
kit_unit_test(sunguard_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sunguard_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/spawn_program.cpp
  LIBS astro)
target_include_directories(sunguard_test PRIVATE ${PROJECT_SOURCE_DIR}/daynight)
target_compile_definitions(sunguard_test PRIVATE KIT_NO_MAIN)
add_dependencies(sunguard_test sunguard)
