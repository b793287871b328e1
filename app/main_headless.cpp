// vepa4-headless: runs the game without a window (see app/runner.h).
#include <cstdio>

#include "app/runner.h"

int main(int argc, char** argv) {
  vepa::RunnerOptions options;
  std::string error;
  if (!vepa::ParseRunnerArgs(argc, argv, options, &error)) {
    std::fprintf(stderr,
                 "vepa4-headless: %s\n"
                 "usage: vepa4-headless --data DIR [--seed N] [--start SCENE[:ARG]] "
                 "[--script FILE] [--ticks N] [--shot T:FILE.png]... [--no-sound] "
                 "[--set NAME=VALUE]...\n",
                 error.c_str());
    return 2;
  }
  vepa::RunnerResult r = vepa::RunHeadless(options);
  if (r.ExitCode != 0) {
    std::fprintf(stderr, "vepa4-headless: %s\n", r.Error.c_str());
    return r.ExitCode;
  }
  std::printf("%s\n", r.Json.c_str());
  return 0;
}
