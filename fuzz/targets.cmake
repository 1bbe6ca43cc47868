# The fuzz targets and what each is built from, shared by the libFuzzer
# build (fuzz/CMakeLists.txt, KIT_FUZZ) and the corpus replay of the test
# suite (tests/unit/fuzz_replay.cmake).  The tools' sources are compiled
# without their main (KIT_NO_MAIN), exactly as the unit tests use them.
set(KIT_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KIT_FUZZ_TARGETS orbit_record sunguard_args pointing_request fort75_pairs)

# kit_fuzz_executable(EXE TARGET [EXTRA_SOURCES...]): the executable EXE of
# fuzz target TARGET (fuzz/TARGET.cpp), with the code under test.
function(kit_fuzz_executable exe target)
  set(sources ${KIT_FUZZ_DIR}/${target}.cpp ${ARGN})
  set(includes ${KIT_FUZZ_DIR})
  set(libs)
  if(target STREQUAL "orbit_record")
    list(APPEND sources ${PROJECT_SOURCE_DIR}/orbit/passrange.cpp)
    list(APPEND includes ${PROJECT_SOURCE_DIR}/orbit)
    set(libs astro m)
  elseif(target STREQUAL "sunguard_args")
    # sunguard.cpp is included by the target itself, as by its unit test.
    list(APPEND includes ${PROJECT_SOURCE_DIR}/daynight)
    set(libs astro m)
  elseif(target STREQUAL "pointing_request")
    list(APPEND sources ${PROJECT_SOURCE_DIR}/limits/polarlimits.cpp)
    set(libs pointing m)
  elseif(target STREQUAL "fort75_pairs")
    list(APPEND sources ${PROJECT_SOURCE_DIR}/baseline/meanbaseline.cpp)
    list(APPEND includes ${PROJECT_SOURCE_DIR}/baseline)
    set(libs m)
  else()
    message(FATAL_ERROR "unknown fuzz target ${target}")
  endif()
  add_executable(${exe} ${sources})
  target_include_directories(${exe} PRIVATE ${includes})
  target_link_libraries(${exe} PRIVATE ${libs})
  target_compile_definitions(${exe} PRIVATE KIT_NO_MAIN)
endfunction()
