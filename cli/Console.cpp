#include "cli/Console.h"

#include <string_view>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>

#include <string>
#endif

namespace tessaro::cli {

namespace {

// A Windows console is given the text as UTF-16: bytes would be read in the
// console's own code page, and the C library may convert them on the way.
void Write(std::FILE* stream, std::string_view text) {
#if defined(_WIN32)
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0) {
    std::fflush(stream);
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
#endif
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

StdConsole::StdConsole(std::FILE* out, std::FILE* err, bool errIsTerminal)
    : out_(out), err_(err), errIsTerminal_(errIsTerminal) {}

StdConsole::~StdConsole() { EndProgress(); }

void StdConsole::Out(const std::string& text) {
  // Both streams may share one terminal: the progress line goes first.
  Erase();
  Write(out_, text);
  std::fflush(out_);
  Draw();
}

void StdConsole::ErrLine(const std::string& line) {
  Erase();
  Write(err_, line + "\n");
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
  Write(err_, "\r\x1b[K");
  drawn_ = false;
}

void StdConsole::Draw() {
  if (!errIsTerminal_ || progress_.empty()) return;
  Write(err_, progress_);
  drawn_ = true;
}

}  // namespace tessaro::cli
