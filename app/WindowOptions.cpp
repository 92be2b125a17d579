#include "app/WindowOptions.h"

namespace tessaro {
namespace {

bool IsNumberSwitch(const QString& argument) {
  return argument == QLatin1String("--tab") || argument == QLatin1String("--settings-tab") ||
         argument == QLatin1String("--delay") || argument == QLatin1String("--page");
}

bool IsWindowName(const QString& name) {
  return name == QLatin1String("settings") || name == QLatin1String("about") || name == QLatin1String("guide");
}

}  // namespace

WindowOptions ParseWindowOptions(const QStringList& arguments) {
  WindowOptions options;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    const QString& argument = arguments[index];
    const bool hasValue = index + 1 < arguments.size();
    if (argument == QLatin1String("--help")) {
      options.help = true;
    } else if (argument == QLatin1String("--screenshot") && hasValue) {
      options.screenshot = arguments[++index];
    } else if (argument == QLatin1String("--window") && hasValue) {
      const QString& name = arguments[++index];
      if (IsWindowName(name)) {
        options.window = name;
      } else {
        options.problems << QStringLiteral("unknown window \"%1\" ignored").arg(name);
      }
    } else if (IsNumberSwitch(argument) && hasValue) {
      bool ok = false;
      const QString& text = arguments[++index];
      const int value = text.toInt(&ok);
      if (!ok || value < 0) {
        options.problems << QStringLiteral("%1 %2: not a number, ignored").arg(argument, text);
        continue;
      }
      if (argument == QLatin1String("--tab")) options.tab = value;
      if (argument == QLatin1String("--settings-tab")) options.settingsTab = value;
      if (argument == QLatin1String("--delay")) options.delayMs = value;
      if (argument == QLatin1String("--page")) options.page = value;
    } else if (argument.startsWith(QLatin1String("--"))) {
      options.problems << QStringLiteral("unknown argument \"%1\" ignored").arg(argument);
    } else {
      options.programArguments << argument;
    }
  }
  return options;
}

const char* WindowUsageText() {
  return "Usage: tessaro-ip [/LOG] [/DEBUG] [--screenshot FILE [--tab N] [--settings-tab M] [--delay MS]\n"
         "                  [--window settings|about|guide] [--page P]]\n"
         "Reads, edits and writes the settings of a Tessaro-IP unit over its serial diagnostic port.\n"
         "\n"
         "  /LOG                     debug level 1 (works as without it; the about box cycles from there)\n"
         "  /DEBUG                   debug level 2: the per-item buttons, \"Save as default\" and more\n"
         "                           detail in the progress box\n"
         "  --screenshot FILE        save a picture of the window as FILE (PNG) and end\n"
         "  --tab N                  with --screenshot: show the main window's tab N first (0 = the first)\n"
         "  --settings-tab M         with --screenshot: show the settings tab M first\n"
         "  --delay MS               with --screenshot: take the picture after MS milliseconds (default 800)\n"
         "  --window settings|about|guide\n"
         "                           with --screenshot: picture that window instead of the main window\n"
         "  --page P                 with --window guide: the guide's page P (1 to 3)\n"
         "  --help                   this text\n"
         "\n"
         "An unknown switch is reported on standard error and the window opens all the same.\n"
         "Port n is the device named by the environment variable TESSARO_COM<n>, else the device\n"
         "bound to n in the program settings dialog (TessaroPorts.set), else /dev/ttyS<n-1>;\n"
         "TESSARO_SERIAL_BY_ID names the folder of stable device names (default /dev/serial/by-id).\n"
         "The program folder (TessaroIP.set, default.set, TessaroPorts.set, Log/) is\n"
         "TESSARO_PROGRAM_FOLDER, else the folder of the program, else (when that cannot be\n"
         "written) the user's data folder. TESSARO_REPORT_STARTUP=1 prints the time to the first\n"
         "frame and ends the run.\n";
}

}  // namespace tessaro
