#pragma once

#include <cstdio>
#include <string>

namespace tessaro::cli {

// Where the front end writes: values to standard output, message lines and
// reports to standard error, and a progress line that only a terminal sees.
// All texts are UTF-8.
class Console {
 public:
  virtual ~Console() = default;
  virtual void Out(const std::string& text) = 0;
  // One line; the line end is added.
  virtual void ErrLine(const std::string& line) = 0;
  virtual void Progress(const std::string& text) = 0;
  // Removes the progress line.
  virtual void EndProgress() = 0;
};

// The process's own streams. The progress line is drawn only when standard
// error is a terminal, and taken away before any other line is written.
class StdConsole final : public Console {
 public:
  StdConsole(std::FILE* out, std::FILE* err, bool errIsTerminal);
  ~StdConsole() override;
  StdConsole(const StdConsole&) = delete;
  StdConsole& operator=(const StdConsole&) = delete;

  void Out(const std::string& text) override;
  void ErrLine(const std::string& line) override;
  void Progress(const std::string& text) override;
  void EndProgress() override;

 private:
  void Erase();
  void Draw();

  std::FILE* out_;
  std::FILE* err_;
  bool errIsTerminal_;
  std::string progress_;
  bool drawn_ = false;
};

}  // namespace tessaro::cli
