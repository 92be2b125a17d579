// tessaro-cli: the service tool without a window. See UsageText() or --help.
//
// The program folder (TessaroIP.set, default.set, TessaroPorts.set, Log/) is
// TESSARO_PROGRAM_FOLDER, else the folder of the executable, else (when that
// cannot be written, as once installed) the user's data folder, which the
// window program shares.

#include <QCoreApplication>
#include <QEventLoop>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "cli/Commands.h"
#include "core/Clock.h"
#include "program/PortChoice.h"
#include "program/ProgramFolder.h"
#include "serial/PortNames.h"
#include "serial/SystemPort.h"

namespace {

std::filesystem::path LocalPath(const QString& path) {
#if defined(_WIN32)
  // Windows names are UTF-16; the ANSI code page would lose letters outside it.
  return std::filesystem::path(path.toStdWString());
#else
  const QByteArray local = path.toLocal8Bit();
  return std::filesystem::path(std::string(local.constData(), static_cast<std::size_t>(local.size())));
#endif
}

std::filesystem::path ProgramFolder() {
  const char* chosen = std::getenv("TESSARO_PROGRAM_FOLDER");
  const std::filesystem::path executable = LocalPath(QCoreApplication::applicationDirPath());
  const tessaro::ProgramFolderChoice choice = tessaro::ChooseProgramFolder(
      {chosen != nullptr ? chosen : "", executable,
       LocalPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))});
  tessaro::PrepareProgramFolder(choice, tessaro::ShippedDefaultsPath(executable));
  return choice.folder;
}

#if defined(_WIN32)
// A console shows the progress line only when it understands the escape
// sequence that erases it (Windows 10 and later).
bool IsTerminal(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || GetConsoleMode(handle, &mode) == 0) return false;
  return SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

#else
bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }
#endif

// The arguments as UTF-8, which the options expect. Windows hands main() the
// ANSI code page, so there they come from the UTF-16 command line instead.
std::vector<std::string> Utf8Arguments(int argc, char* argv[]) {
#if defined(_WIN32)
  (void)argc;
  (void)argv;
  std::vector<std::string> args;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) args.push_back(all[i].toStdString());
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  // Stop signals are held back before anything can start a thread that
  // would otherwise take them.
  // Between ticks the event loop runs, so replies are taken as they arrive.
  tessaro::cli::SteadyTicks ticks(std::chrono::milliseconds(25), [](std::chrono::nanoseconds left) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(left), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
  });
  QCoreApplication application(argc, argv);
  // The same user data folder as the window program.
  QCoreApplication::setApplicationName(QStringLiteral("Tessaro-IP"));
  const std::vector<std::string> args = Utf8Arguments(argc, argv);

  const std::filesystem::path folder = ProgramFolder();

  tessaro::SystemClock clock;
  tessaro::cli::StdConsole console(stdout, stderr, IsTerminal(stderr));
  const tessaro::cli::CliWorld world{
      folder,
      clock,
      console,
      ticks,
      tessaro::BoundPortNaming(folder),
      [](tessaro::cli::DeviceNaming naming) -> std::unique_ptr<tessaro::BytePort> {
        return std::make_unique<tessaro::SystemBytePort>(std::move(naming));
      },
      [](int ms, std::function<void()> call) {
        QTimer::singleShot(ms, Qt::PreciseTimer, QCoreApplication::instance(), std::move(call));
      },
  };
  const tessaro::cli::PortsWorld ports{tessaro::ProcessEnvironment(), [] { return tessaro::ListPresentPorts(); }};
  return tessaro::cli::RunCli(args, world, ports);
}
