# The fuzz targets and the code each one exercises, shared by the libFuzzer
# build (fuzz/CMakeLists.txt, KIT_FUZZ) and the corpus replay of the test
# suite (tests/CMakeLists.txt).  A target reaches a tool's own functions
# through the tool's _functions library.
set(KIT_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
# (one line: fuzz/run reads the list from it)
set(KIT_FUZZ_TARGETS orbit_record fast_text sunguard_args pointing_request fort75_pairs passwindows_options passwindows_orbit)
set(KIT_FUZZ_LIBRARIES_orbit_record passrange_functions)
set(KIT_FUZZ_LIBRARIES_fast_text tracking)
set(KIT_FUZZ_LIBRARIES_sunguard_args sunguard_functions)
set(KIT_FUZZ_LIBRARIES_pointing_request limit_rules)
set(KIT_FUZZ_LIBRARIES_fort75_pairs meanbaseline_functions)
set(KIT_FUZZ_LIBRARIES_passwindows_options passwindows_functions)
set(KIT_FUZZ_LIBRARIES_passwindows_orbit passwindows_functions)
# A target's sources beyond its own file: the tests' in-process run of a
# program with its output kept.
set(KIT_FUZZ_SOURCES_passwindows_orbit ${KIT_FUZZ_DIR}/../tests/unit/captured_run.cpp)
# The fast text's target compares records as the differential checks do.
set(KIT_FUZZ_SOURCES_fast_text ${KIT_FUZZ_DIR}/../tests/unit/text_exactness.cpp)

# kit_fuzz_executable(EXE TARGET [EXTRA_SOURCES...]): the executable EXE of
# fuzz target TARGET (fuzz/TARGET.cpp) with the code under test.
function(kit_fuzz_executable exe target)
  add_executable(${exe} ${KIT_FUZZ_DIR}/${target}.cpp ${KIT_FUZZ_SOURCES_${target}} ${ARGN})
  target_include_directories(${exe} PRIVATE ${KIT_FUZZ_DIR} ${KIT_FUZZ_DIR}/../tests/unit)
  target_link_libraries(${exe} PRIVATE ${KIT_FUZZ_LIBRARIES_${target}})
endfunction()
