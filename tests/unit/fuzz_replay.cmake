# The committed fuzz corpora (fuzz/corpus/<target>/), replayed through each
# fuzz target with the ordinary compiler: one test per target, in the plain
# and in the sanitizer build.
include(${PROJECT_SOURCE_DIR}/fuzz/targets.cmake)
foreach(target IN LISTS KIT_FUZZ_TARGETS)
  kit_fuzz_executable(replay_${target} ${target}
                      ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  set_target_properties(replay_${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                        ${CMAKE_CURRENT_BINARY_DIR})
  add_test(NAME fuzz-replay/${target}
           COMMAND replay_${target} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
endforeach()
