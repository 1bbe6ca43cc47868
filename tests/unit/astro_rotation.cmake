kit_unit_test(astro_rotation_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/unit/astro_rotation_test.cpp
  LIBS astro)
