#pragma once

// The simulated unit as a child process. Its stdout is read without blocking
// and kept line by line, so the window's ticks and the unit's report lines
// can be interleaved in one thread.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace tessaro::testing {

class UnitSimProcess {
 public:
  using Clock = std::chrono::steady_clock;

  explicit UnitSimProcess(std::string program) : program_(std::move(program)) {}
  ~UnitSimProcess() { Stop(); }
  UnitSimProcess(const UnitSimProcess&) = delete;
  UnitSimProcess& operator=(const UnitSimProcess&) = delete;

  bool Start(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    std::vector<std::string> all{program_};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int rc = ::posix_spawn(&pid_, program_.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    out_ = fds[0];
    ::fcntl(out_, F_SETFL, O_NONBLOCK);
    if (rc != 0) pid_ = -1;
    return rc == 0;
  }

  // Takes in whatever the simulator has printed so far; never waits.
  void Drain() {
    if (out_ < 0) return;
    char chunk[4096];
    for (;;) {
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) break;
      partial_.append(chunk, static_cast<std::size_t>(n));
    }
    for (auto nl = partial_.find('\n'); nl != std::string::npos; nl = partial_.find('\n')) {
      lines_.push_back(partial_.substr(0, nl));
      partial_.erase(0, nl + 1);
    }
  }

  // Waits at most `limit` for a line starting with `prefix`.
  bool WaitForLine(const std::string& prefix, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
      Drain();
      if (HasLine(prefix)) return true;
      if (Clock::now() >= deadline || out_ < 0) return false;
      pollfd pfd{out_, POLLIN, 0};
      ::poll(&pfd, 1, 20);
    }
  }

  bool HasLine(const std::string& prefix) const {
    return std::any_of(lines_.begin(), lines_.end(),
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  }

  // Lines starting with `prefix`, in the order printed.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : lines_) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }

  std::string Transcript() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
  }

  // SIGTERM and a bounded wait, then SIGKILL.
  void Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      const auto deadline = Clock::now() + std::chrono::seconds(5);
      int status = 0;
      while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
          ::kill(pid_, SIGKILL);
          ::waitpid(pid_, &status, 0);
          break;
        }
        ::poll(nullptr, 0, 10);
      }
      pid_ = -1;
    }
    if (out_ >= 0) {
      Drain();
      ::close(out_);
      out_ = -1;
    }
  }

 private:
  std::string program_;
  pid_t pid_ = -1;
  int out_ = -1;
  std::string partial_;
  std::vector<std::string> lines_;
};

}  // namespace tessaro::testing
