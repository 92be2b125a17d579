#pragma once

// The simulated unit as a child process. Its stdout is read without blocking
// (so a chatty --hex run never stalls on a full pipe) and kept line by line.
// Free of the test framework, so the benchmarks can use it too.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace tessaro::testing {

class SimProcess {
 public:
  using Clock = std::chrono::steady_clock;

  explicit SimProcess(std::string program) : program_(std::move(program)) {}
  ~SimProcess() { Stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

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
  void Drain() { ReadFor(std::chrono::milliseconds(0)); }

  // The first line from index `from` on that starts with `prefix`, waiting at
  // most `limit` for it.
  std::optional<std::string> WaitForLine(const std::string& prefix, std::chrono::milliseconds limit,
                                         std::size_t from = 0) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
      for (std::size_t i = from; i < lines_.size(); ++i) {
        if (lines_[i].rfind(prefix, 0) == 0) return lines_[i];
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0 || out_ < 0) return std::nullopt;
      ReadFor(std::min(left, std::chrono::milliseconds(20)));
    }
  }

  const std::vector<std::string>& Lines() const { return lines_; }

  std::size_t Count(const std::string& prefix) const {
    return static_cast<std::size_t>(std::count_if(lines_.begin(), lines_.end(), [&](const std::string& line) {
      return line.rfind(prefix, 0) == 0;
    }));
  }

  // Every line printed so far, for failure messages.
  std::string Transcript() const {
    std::string text;
    for (const auto& line : lines_) text += line + "\n";
    return text;
  }

  // SIGTERM, then SIGKILL if it has not ended within two seconds; the exit
  // code, or -1.
  int Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      const auto deadline = Clock::now() + std::chrono::seconds(2);
      int status = 0;
      pid_t done = 0;
      while ((done = ::waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
        ReadFor(std::chrono::milliseconds(10));
      }
      if (done == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
      }
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      pid_ = -1;
      Drain();
    }
    if (out_ >= 0) ::close(out_);
    out_ = -1;
    return exitCode_;
  }

 private:
  void ReadFor(std::chrono::milliseconds wait) {
    if (out_ < 0) return;
    pollfd pfd{out_, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(wait.count())) <= 0) return;
    char chunk[4096];
    for (ssize_t n; (n = ::read(out_, chunk, sizeof chunk)) > 0;) partial_.append(chunk, static_cast<std::size_t>(n));
    for (auto nl = partial_.find('\n'); nl != std::string::npos; nl = partial_.find('\n')) {
      lines_.push_back(partial_.substr(0, nl));
      partial_.erase(0, nl + 1);
    }
  }

  std::string program_;
  pid_t pid_ = -1;
  int out_ = -1;
  int exitCode_ = -1;
  std::string partial_;
  std::vector<std::string> lines_;
};

}  // namespace tessaro::testing
