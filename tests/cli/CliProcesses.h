#pragma once

// The built programs as child processes, with bounded waits.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/UnitSimProcess.h"

extern char** environ;

namespace tessaro::cli::testing {

using SteadyClock = std::chrono::steady_clock;

inline int MillisecondsLeft(SteadyClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

// The environment of this process without the variables that steer the
// programs, plus the given ones.
inline std::vector<std::string> Environment(const std::map<std::string, std::string>& extra) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    if (variable.rfind("TESSARO_", 0) == 0) continue;
    variables.push_back(variable);
  }
  for (const auto& [name, value] : extra) variables.push_back(name + "=" + value);
  return variables;
}

inline std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

struct Finished {
  int status = -1;  // exit status; -1 when killed or not started
  std::string out;
  std::string err;
};

// Runs a program to its end with its output collected; killed when it takes
// longer than `limit`.
inline Finished RunToEnd(std::vector<std::string> argv, const std::map<std::string, std::string>& env,
                         std::chrono::seconds limit = std::chrono::seconds(60)) {
  Finished result;
  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) return result;
  if (::pipe2(errPipe, O_CLOEXEC) != 0) {
    ::close(outPipe[0]);
    ::close(outPipe[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
  std::vector<std::string> variables = Environment(env);
  std::vector<char*> args = Pointers(argv);
  std::vector<char*> envp = Pointers(variables);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  if (spawned != 0) {
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    result.err = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
    return result;
  }

  const auto deadline = SteadyClock::now() + limit;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  bool killed = false;
  while (open > 0) {
    const int ready = ::poll(fds, 2, MillisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      ::kill(pid, SIGKILL);
      killed = true;
      break;
    }
    for (int index = 0; index < 2; ++index) {
      if (fds[index].fd < 0 || fds[index].revents == 0) continue;
      char chunk[4096];
      const ssize_t count = ::read(fds[index].fd, chunk, sizeof chunk);
      if (count > 0) {
        sinks[index]->append(chunk, static_cast<std::size_t>(count));
      } else {
        ::close(fds[index].fd);
        fds[index].fd = -1;
        --open;
      }
    }
  }
  for (pollfd& fd : fds) {
    if (fd.fd >= 0) ::close(fd.fd);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.status = !killed && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

#ifdef TESSARO_UNIT_SIM_PATH
// The simulated unit, running in the background for one test.
struct SimulatedUnit : tessaro::testing::UnitSimProcess {
  SimulatedUnit() : UnitSimProcess(TESSARO_UNIT_SIM_PATH) {}
};
#endif

// How long a test waits for the unit to come up or to report a line.
inline constexpr std::chrono::seconds kUnitWait{10};

}  // namespace tessaro::cli::testing
