# Every program run as a process on garbage (random bytes, huge numbers,
# nan and inf, 1 MB lines, 100 KB arguments and paths, broken input files),
# each run under timeout(1).
kit_unit_test(garbage_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/garbage_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/spawn_program.cpp)
add_dependencies(garbage_test passrange sunguard azellimits elevlimits
                 polarlimits meanbaseline)
