#include "cli/Console.h"

namespace tessaro::cli {

StdConsole::StdConsole(std::FILE* out, std::FILE* err, bool errIsTerminal)
    : out_(out), err_(err), errIsTerminal_(errIsTerminal) {}

StdConsole::~StdConsole() { EndProgress(); }

void StdConsole::Out(const std::string& text) {
  // Both streams may share one terminal: the progress line goes first.
  Erase();
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fflush(out_);
  Draw();
}

void StdConsole::ErrLine(const std::string& line) {
  Erase();
  std::fwrite(line.data(), 1, line.size(), err_);
  std::fputc('\n', err_);
  Draw();
  std::fflush(err_);
}

void StdConsole::Progress(const std::string& text) {
  if (!errIsTerminal_ || text == progress_) return;
  progress_ = text;
  Erase();
  Draw();
  std::fflush(err_);
}

void StdConsole::EndProgress() {
  Erase();
  progress_.clear();
  std::fflush(err_);
}

void StdConsole::Erase() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", err_);
  drawn_ = false;
}

void StdConsole::Draw() {
  if (!errIsTerminal_ || progress_.empty()) return;
  std::fputs(progress_.c_str(), err_);
  drawn_ = true;
}

}  // namespace tessaro::cli
