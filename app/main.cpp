// Tessaro-IP: the service tool's window program.
//
//   tessaro-ip [/LOG] [/DEBUG] [--screenshot FILE [--tab N] [--settings-tab M] [--delay MS]
//              [--window settings|about|guide] [--page P]] | --help
//
// --window pictures that window instead of the main window (--page: the
// guide's page 1 to 3). An unknown switch is reported on standard error and
// the window opens all the same.
//
// The program folder (settings, defaults, port bindings, log) is
// TESSARO_PROGRAM_FOLDER, else the folder of the executable, else (when that
// cannot be written, as once installed under /usr) the user's data folder.
//
// TESSARO_REPORT_STARTUP=1 prints "first frame after N ms" (from entering
// main() until the window's first paint has been handled) and ends the run.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <optional>

#include "app/WindowOptions.h"
#include "core/Clock.h"
#include "program/PortChoice.h"
#include "program/ProgramFolder.h"
#include "serial/SystemPort.h"
#include "ui/QtText.h"
#include "ui/UserPrompts.h"
#include "ui/AboutBox.h"
#include "ui/MainWindow.h"
#include "ui/ProgramSettingsDialog.h"
#include "ui/CoverGuide.h"

namespace {

using Options = tessaro::WindowOptions;

// The window a screenshot shows: the main window, or a secondary window
// opened the way the user opens it.
QWidget* ShowWindowToPicture(tessaro::MainWindow& window, const Options& shot) {
  const tessaro::MainWindowWidgets& widgets = window.Widgets();
  if (shot.window == QLatin1String("settings")) {
    widgets.Setup->trigger();
    return window.findChild<tessaro::ProgramSettingsDialog*>();
  }
  if (shot.window == QLatin1String("about")) {
    widgets.About->trigger();
    return window.findChild<tessaro::AboutBox*>();
  }
  if (shot.window == QLatin1String("guide")) {
    auto* guide = window.findChild<tessaro::CoverGuide*>();
    if (guide == nullptr) {
      window.ShowCoverGuide();
      guide = window.findChild<tessaro::CoverGuide*>();
    }
    if (guide == nullptr) return nullptr;
    guide->ShowInFront();
    for (int page = 1; page < shot.page; ++page) guide->Widgets().CmdVolgende->click();
    return guide;
  }
  return &window;
}

// Notices the main window's first paint and reports the time once the event
// loop is back, that is once the frame has gone to the display.
class FirstFrameReport final : public QObject {
 public:
  FirstFrameReport(QWidget& window, std::chrono::steady_clock::time_point started)
      : window_(window), started_(started) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, &window_, [this] {
        const auto elapsed = std::chrono::steady_clock::now() - started_;
        std::printf("first frame after %.1f ms\n", std::chrono::duration<double, std::milli>(elapsed).count());
        std::fflush(stdout);
        window_.close();
      });
    }
    return false;
  }

 private:
  QWidget& window_;
  std::chrono::steady_clock::time_point started_;
  bool seen_ = false;
};

std::filesystem::path ProgramFolder() {
  const std::filesystem::path executable = tessaro::PathFromQString(QCoreApplication::applicationDirPath());
  const tessaro::ProgramFolderChoice choice = tessaro::ChooseProgramFolder(
      {qEnvironmentVariable("TESSARO_PROGRAM_FOLDER").toStdString(), executable,
       tessaro::PathFromQString(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))});
  tessaro::PrepareProgramFolder(choice, tessaro::ShippedDefaultsPath(executable));
  return choice.folder;
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto started = std::chrono::steady_clock::now();
  // Answered before the application exists, so that it needs no display.
  QStringList early;
  for (int index = 0; index < argc; ++index) early << QString::fromLocal8Bit(argv[index]);
  if (tessaro::ParseWindowOptions(early).help) {
    std::fputs(tessaro::WindowUsageText(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaro-IP"));

  const Options parsed = tessaro::ParseWindowOptions(QApplication::arguments());
  const Options* options = &parsed;
  for (const QString& problem : parsed.problems) std::fprintf(stderr, "tessaro-ip: %s\n", qPrintable(problem));

  tessaro::SystemClock clock;
  const std::filesystem::path folder = ProgramFolder();
  tessaro::SystemBytePort port(tessaro::BoundPortNaming(folder));
  tessaro::QtUserPrompts prompts;
  tessaro::MainWindow window(tessaro::MainWindow::Environment{folder, clock, port, prompts});

  FirstFrameReport firstFrame(window, started);
  if (qEnvironmentVariable("TESSARO_REPORT_STARTUP") == QLatin1String("1")) window.installEventFilter(&firstFrame);

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
      QWidget* target = ShowWindowToPicture(window, shot);
      QTimer::singleShot(200, &window, [&window, target, shot] {
        const bool saved = target != nullptr && target->grab().save(*shot.screenshot, "PNG");
        if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(*shot.screenshot));
        window.close();
        QCoreApplication::exit(saved ? 0 : 1);
      });
    });
  }
  return QApplication::exec();
}
