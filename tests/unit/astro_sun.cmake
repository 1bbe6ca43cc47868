kit_unit_test(astro_sun_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/unit/astro_sun_test.cpp
  LIBS astro)
target_include_directories(astro_sun_test PRIVATE ${PROJECT_SOURCE_DIR}/astro)
