#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tessaro {

// The window program's command line. Only the screenshot switches are
// ours; every other word belongs to the program (/LOG, /DEBUG). A switch we
// do not know, or one with a bad value, is reported and passed by: the
// window opens all the same.
struct WindowOptions {
  QStringList programArguments;  // what the program's own command line holds
  std::optional<QString> screenshot;
  int tab = 0;
  int settingsTab = 0;
  int delayMs = 800;  // long enough for the start-up refresh to have run
  QString window;     // empty: the main window
  int page = 1;
  bool help = false;
  QStringList problems;  // one line per argument passed by, for standard error
};

// arguments[0] is the program itself.
WindowOptions ParseWindowOptions(const QStringList& arguments);

// What --help prints; the manual page says the same at more length.
const char* WindowUsageText();

}  // namespace tessaro
