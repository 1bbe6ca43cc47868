// replay_main.cpp - runs a fuzz target on the inputs of a corpus with an
// ordinary compiler, without libFuzzer, so that the test suite replays the
// committed corpora in every build (plain and under the sanitizers).
//
//   replay_<target> PATH...
//
// Each PATH is an input file or a directory whose regular files are inputs
// (in name order).  Every input is read into a heap block of exactly its
// size and passed to LLVMFuzzerTestOneInput; a property that fails stops the
// run there (see fuzz_check.h).  Exit status 0 when every input was
// replayed, 1 when a path cannot be read or no input was found at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size);

namespace {

// Replays one input file; false when it cannot be read.
bool replay_file(const std::filesystem::path &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    std::fprintf(stderr, "replay: cannot open %s\n", path.c_str());
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  // A block of exactly the input's size: one byte too far is out of bounds.
  std::unique_ptr<std::uint8_t[]> input(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), input.get());
  LLVMFuzzerTestOneInput(input.get(), bytes.size());
  return true;
}

} // namespace

int main(int argc, char *argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "Usage: %s CORPUS-DIR-OR-FILE...\n",
                 argc > 0 ? argv[0] : "replay");
    return 1;
  }
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) {
      if (!replay_file(path))
        return 1;
      ++replayed;
      continue;
    }
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(path, ec))
      if (entry.is_regular_file())
        files.push_back(entry.path());
    if (ec) {
      std::fprintf(stderr, "replay: cannot list %s\n", path.c_str());
      return 1;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path &file : files) {
      if (!replay_file(file))
        return 1;
      ++replayed;
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  if (replayed == 0) {
    std::fprintf(stderr, "replay: no input found\n");
    return 1;
  }
  return 0;
}
