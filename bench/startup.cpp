// startup - whole-process wall time per call of several commands, against
// the first one as the baseline.
//
//   startup ROUNDS DIR -- CMD1 ARGS... -- CMD2 ARGS... ...
//
// Each round starts every command once, in turn, so that all of them see the
// same machine load; a command's figure is its median over the rounds.
// Commands run in DIR with standard output and error on /dev/null.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

double run_once(std::vector<char *> &argv, const posix_spawn_file_actions_t *fa) {
  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], fa, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    std::exit(1);
  }
  int status;
  waitpid(pid, &status, 0);
  const auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(t1 - t0).count();
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 5 || std::string(argv[3]) != "--") {
    std::fprintf(stderr, "usage: startup ROUNDS DIR -- CMD ARGS... [-- CMD ARGS...]\n");
    return 1;
  }
  const int rounds = std::atoi(argv[1]);
  if (chdir(argv[2]) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  std::vector<std::vector<char *>> commands;
  for (int i = 3; i < argc; ++i) {
    if (std::string(argv[i]) == "--")
      commands.emplace_back();
    else
      commands.back().push_back(argv[i]);
  }
  for (auto &c : commands)
    c.push_back(nullptr);

  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);

  std::vector<std::vector<double>> times(commands.size());
  for (int r = 0; r < rounds; ++r)
    for (std::size_t i = 0; i < commands.size(); ++i)
      times[i].push_back(run_once(commands[i], &fa));

  double baseline = 0.0;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    auto &t = times[i];
    std::sort(t.begin(), t.end());
    const double median = t[t.size() / 2];
    if (i == 0)
      baseline = median;
    std::string name;
    for (char *a : commands[i]) {
      if (a == nullptr)
        continue;
      const std::string word(a);
      if (!name.empty())
        name += ' ';
      name += word.substr(word.rfind('/') + 1);
    }
    std::printf("%-32s median %7.1f us  min %7.1f us  %5.2f x baseline\n",
                name.c_str(), median, t.front(), median / baseline);
  }
  return 0;
}
