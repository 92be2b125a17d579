// tessaro-cli: the service tool without a window. See UsageText() or --help.
//
// The program folder (TessaroIP.set, default.set, Log/) is the folder of the
// executable unless TESSARO_PROGRAM_FOLDER names another one.

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "cli/Commands.h"
#include "core/Clock.h"
#include "serial/PortNames.h"
#include "serial/QtSerialBytePort.h"

namespace {

std::filesystem::path ProgramFolder() {
  const char* chosen = std::getenv("TESSARO_PROGRAM_FOLDER");
  if (chosen != nullptr && *chosen != '\0') return std::filesystem::path(chosen);
  const QByteArray folder = QCoreApplication::applicationDirPath().toLocal8Bit();
  return std::filesystem::path(std::string(folder.constData(), static_cast<std::size_t>(folder.size())));
}

bool IsTerminal(std::FILE* stream) {
#if !defined(_WIN32)
  return ::isatty(::fileno(stream)) != 0;
#else
  (void)stream;
  return false;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  // Stop signals are held back before anything can start a thread that
  // would otherwise take them.
  tessaro::cli::SteadyTicks ticks(std::chrono::milliseconds(25), [] { QCoreApplication::processEvents(); });
  // The serial port's notifications need the application object; the ticks
  // drive everything, so its event loop never runs.
  QCoreApplication application(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);

  const std::filesystem::path folder = ProgramFolder();
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);

  tessaro::SystemClock clock;
  tessaro::cli::StdConsole console(stdout, stderr, IsTerminal(stderr));
  const tessaro::cli::CliWorld world{
      folder,
      clock,
      console,
      ticks,
      [](int portNumber) { return tessaro::PortDeviceName(portNumber); },
      [](tessaro::cli::DeviceNaming naming) -> std::unique_ptr<tessaro::BytePort> {
        return std::make_unique<tessaro::QtSerialBytePort>(std::move(naming));
      },
  };
  return tessaro::cli::RunCli(args, world);
}
