// Tessaro-IP: the service tool's window program.
//
//   tessaro-ip [/LOG] [/DEBUG] [--screenshot FILE [--tab N] [--settings-tab M] [--delay MS]]
//
// The program folder (settings, defaults, log) is the folder of the
// executable unless TESSARO_PROGRAM_FOLDER names another one.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "core/Clock.h"
#include "serial/QtSerialBytePort.h"
#include "ui/QtText.h"
#include "ui/UserPrompts.h"
#include "ui/frmHoofdscherm.h"

namespace {

struct Options {
  QStringList programArguments;  // what the program's own command line holds
  std::optional<QString> screenshot;
  int tab = 0;
  int settingsTab = 0;
  int delayMs = 800;  // long enough for the start-up refresh to have run
};

std::optional<Options> ParseOptions(const QStringList& arguments) {
  Options options;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    const QString& argument = arguments[index];
    const bool hasValue = index + 1 < arguments.size();
    if (argument == QLatin1String("--screenshot") && hasValue) {
      options.screenshot = arguments[++index];
    } else if ((argument == QLatin1String("--tab") || argument == QLatin1String("--settings-tab") ||
                argument == QLatin1String("--delay")) &&
               hasValue) {
      bool ok = false;
      const int value = arguments[++index].toInt(&ok);
      if (!ok || value < 0) return std::nullopt;
      if (argument == QLatin1String("--tab")) options.tab = value;
      if (argument == QLatin1String("--settings-tab")) options.settingsTab = value;
      if (argument == QLatin1String("--delay")) options.delayMs = value;
    } else if (argument.startsWith(QLatin1String("--"))) {
      return std::nullopt;
    } else {
      options.programArguments << argument;
    }
  }
  return options;
}

QString ProgramFolder() {
  const QByteArray chosen = qgetenv("TESSARO_PROGRAM_FOLDER");
  if (!chosen.isEmpty()) return QString::fromLocal8Bit(chosen);
  return QCoreApplication::applicationDirPath();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaro-IP"));

  const std::optional<Options> options = ParseOptions(QApplication::arguments());
  if (!options) {
    std::fprintf(stderr,
                 "usage: tessaro-ip [/LOG] [/DEBUG] [--screenshot FILE [--tab N] [--settings-tab M] [--delay MS]]\n");
    return 2;
  }

  tessaro::SystemClock clock;
  tessaro::QtSerialBytePort port;
  tessaro::QtUserPrompts prompts;
  const QString folder = ProgramFolder();
  QDir().mkpath(folder);
  tessaro::frmHoofdscherm window(
      tessaro::frmHoofdscherm::Environment{tessaro::PathFromQString(folder), clock, port, prompts});

  window.Form_Load(options->programArguments.join(QLatin1Char(' ')).toStdString());
  window.show();
  window.StartTimers();

  if (options->screenshot) {
    const Options& shot = *options;
    QTimer::singleShot(shot.delayMs, &window, [&window, shot] {
      const tessaro::MainWindowWidgets& widgets = window.Widgets();
      widgets.SSTab2->setCurrentIndex(shot.settingsTab);
      widgets.SSTab1->setCurrentIndex(shot.tab);
      window.activateWindow();
      QTimer::singleShot(200, &window, [&window, shot] {
        const bool saved = window.grab().save(*shot.screenshot, "PNG");
        if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(*shot.screenshot));
        window.close();
        QCoreApplication::exit(saved ? 0 : 1);
      });
    });
  }
  return QApplication::exec();
}
