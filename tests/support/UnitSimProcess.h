#pragma once

// The simulated unit as a child process. Its stdout is read without blocking
// (so a chatty --hex run never stalls on a full pipe) and kept line by line,
// so the caller's ticks and the unit's report lines interleave in one thread.
// Free of the test framework and of the program's code, so the benchmarks and
// the simulator's own tests can use it too.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
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

  // Its stdin is /dev/null: it never reads the test run's terminal.
  bool Start(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
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

  // Starts the unit and waits for its "PTY <path>" line: the path, or empty
  // when the unit did not come up.
  std::string Launch(const std::vector<std::string>& args, std::chrono::milliseconds limit) {
    if (!Start(args)) return {};
    const auto line = WaitForNextLine("PTY ", limit);
    return line ? line->substr(4) : std::string();
  }

  // Takes in whatever the simulator has printed so far; never waits.
  void Drain() { ReadFor(std::chrono::milliseconds(0)); }

  // The first line printed so far or within `limit` that starts with `prefix`.
  std::optional<std::string> WaitForLine(const std::string& prefix, std::chrono::milliseconds limit) {
    const auto at = WaitFor(prefix, limit, 0);
    return at ? std::optional<std::string>(lines_[*at]) : std::nullopt;
  }

  // The next such line after the last one this returned: lines passed on the
  // way (all lines read, when none comes) go into Seen() and are not looked
  // at again.
  std::optional<std::string> WaitForNextLine(const std::string& prefix, std::chrono::milliseconds limit) {
    const auto at = WaitFor(prefix, limit, seen_);
    seen_ = at ? *at + 1 : lines_.size();
    return at ? std::optional<std::string>(lines_[*at]) : std::nullopt;
  }

  bool HasLine(const std::string& prefix) const { return Find(prefix, 0) < lines_.size(); }

  std::size_t Count(const std::string& prefix) const {
    return static_cast<std::size_t>(
        std::count_if(lines_.begin(), lines_.end(), [&](const std::string& line) { return Starts(line, prefix); }));
  }

  // Lines starting with `prefix`, in the order printed.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    std::copy_if(lines_.begin(), lines_.end(), std::back_inserter(found),
                 [&](const std::string& line) { return Starts(line, prefix); });
    return found;
  }

  const std::vector<std::string>& Lines() const { return lines_; }

  // Every line printed so far, for failure messages.
  std::string Transcript() const { return Joined(lines_.size()); }

  // The lines WaitForNextLine has passed.
  std::string Seen() const { return Joined(seen_); }

  // SIGTERM, then SIGKILL if it has not ended within five seconds; the exit
  // code, or -1. Its output is read while it ends.
  int Stop() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      const auto deadline = Clock::now() + std::chrono::seconds(5);
      int status = 0;
      pid_t done = 0;
      while ((done = ::waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
        if (out_ >= 0) {
          ReadFor(std::chrono::milliseconds(10));
        } else {
          ::poll(nullptr, 0, 10);
        }
      }
      if (done == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
      }
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      pid_ = -1;
      Drain();
    }
    Close();
    return exitCode_;
  }

 private:
  static bool Starts(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

  std::size_t Find(const std::string& prefix, std::size_t from) const {
    for (std::size_t i = from; i < lines_.size(); ++i) {
      if (Starts(lines_[i], prefix)) return i;
    }
    return lines_.size();
  }

  // The index of the first line from `from` on that starts with `prefix`,
  // reading for at most `limit` until one comes.
  std::optional<std::size_t> WaitFor(const std::string& prefix, std::chrono::milliseconds limit, std::size_t from) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
      const std::size_t found = Find(prefix, from);
      if (found < lines_.size()) return found;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0 || out_ < 0) return std::nullopt;
      ReadFor(std::min(left, std::chrono::milliseconds(20)));
    }
  }

  // Waits at most `wait` for output, then takes in all there is; the end of
  // the output closes the pipe.
  void ReadFor(std::chrono::milliseconds wait) {
    if (out_ < 0) return;
    pollfd pfd{out_, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(wait.count())) <= 0) return;
    char chunk[4096];
    ssize_t n = 0;
    while ((n = ::read(out_, chunk, sizeof chunk)) > 0) partial_.append(chunk, static_cast<std::size_t>(n));
    for (auto nl = partial_.find('\n'); nl != std::string::npos; nl = partial_.find('\n')) {
      lines_.push_back(partial_.substr(0, nl));
      partial_.erase(0, nl + 1);
    }
    if (n == 0) Close();
  }

  void Close() {
    if (out_ >= 0) ::close(out_);
    out_ = -1;
  }

  std::string Joined(std::size_t count) const {
    std::string text;
    for (std::size_t i = 0; i < count && i < lines_.size(); ++i) text += lines_[i] + "\n";
    return text;
  }

  std::string program_;
  pid_t pid_ = -1;
  int out_ = -1;
  int exitCode_ = -1;
  std::size_t seen_ = 0;  // lines WaitForNextLine has passed
  std::string partial_;
  std::vector<std::string> lines_;
};

}  // namespace tessaro::testing
