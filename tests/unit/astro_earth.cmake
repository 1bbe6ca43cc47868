kit_unit_test(astro_earth_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/unit/astro_earth_test.cpp
  LIBS astro)
target_include_directories(astro_earth_test PRIVATE ${PROJECT_SOURCE_DIR}/astro)
