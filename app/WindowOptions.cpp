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
    if (argument == QLatin1String("--screenshot") && hasValue) {
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

}  // namespace tessaro
