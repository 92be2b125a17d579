#include "cli/CliSession.h"

#include <algorithm>
#include <utility>

#include "cli/ItemReport.h"
#include "cli/TerminalText.h"
#include "presentation/SettingsLegends.h"

namespace tessaro::cli {

CliSession::CliSession(const CliWorld& world, const CliOptions& options)
    : world_(world),
      options_(options),
      port_(world.makePort(Naming())),
      dialogs_(world.console, options.format == OutputFormat::Json),
      reports_(world.console, options.verbose, options.format == OutputFormat::Json),
      engineScreen_(reports_) {
  program_ = std::make_unique<TessaroProgram>(
      TessaroProgram::World{world.programFolder, world.clock, *port_, dialogs_, controls_, engineScreen_, nullptr});
  engineScreen_.AttachRows(program_->Screen);
  dialogs_.BeforeEachBox([this] {
    engineScreen_.FlushProgress();
    reports_.ShowHeld();
  });
  program_->Log.SetLineListener([this](const std::string& line) { OnMessageLine(line); });
  events_.reports = &reports_;
  events_.texts = &program_->Texts;
  program_->Engine.SetEvents(&events_);
  driver_ = std::make_unique<EngineDriver>(program_->Engine, world.later);
  port_->SetArrivalHandler([this] { driver_->Arrived(); });
}

CliSession::~CliSession() {
  Shutdown();
  port_->SetArrivalHandler({});
  // The log outlives nothing it could still call into.
  program_->Log.SetLineListener(nullptr);
  program_->Engine.SetEvents(nullptr);
}

DeviceNaming CliSession::Naming() const {
  if (options_.device) {
    const std::string device = *options_.device;
    return [device](int /*portNumber*/) { return device; };
  }
  return world_.standardNaming;
}

void CliSession::AdjustSettings(ProgramSettings& settings) const {
  if (options_.port) settings.Compoort = static_cast<int16_t>(*options_.port - 1);
  if (options_.language) settings.Taal = *options_.language;
}

bool CliSession::StartWithUnit() {
  program_->StartProgram(options_.debug ? "/DEBUG" : "",
                         [this](ProgramSettings& settings) { AdjustSettings(settings); });
  // The engine starts only on a port that opened; only that one is closed again.
  portStarted_ = program_->Engine.Started();
  if (!portStarted_) reports_.ShowHeld();  // why the port did not open
  return portStarted_;
}

void CliSession::StartWithoutUnit() {
  TessaroProgram& program = *program_;
  if (options_.debug) program.Store.DebugLevel = 2;
  program.Files.ReadProgramSettings();
  AdjustSettings(program.Settings);
  program.Texts.FillTextTable(program.Settings.Taal);
  program.Screen.InitSettingsScreen();
  WriteSettingsLegends(controls_, program.Texts);
}

void CliSession::Shutdown() {
  engineScreen_.FlushProgress();
  world_.console.EndProgress();
  if (!portStarted_) return;
  portStarted_ = false;
  program_->Link.CloseComPort();
}

std::string CliSession::PortDescription() const {
  const std::string device = PortDevice();
  return "COM" + std::to_string(program_->Settings.Compoort + 1) + (device.empty() ? std::string() : " (" + device + ")");
}

std::string CliSession::PortDevice() const { return Naming()(program_->Settings.Compoort + 1); }

CliSession::RunEnd CliSession::Run(const RunPlan& plan) {
  long ticks = 0;
  long quietTicks = 0;
  int lastDone = -1;
  int lastPending = -1;
  RunEnd end = RunEnd::Finished;
  for (;;) {
    if (plan.tickLimit && ticks >= *plan.tickLimit) {
      end = RunEnd::TimeUp;
      break;
    }
    if (!world_.ticks.NextTick()) {
      end = RunEnd::Interrupted;
      break;
    }
    ++ticks;
    driver_->Tick();

    if (plan.done) {
      const int done = plan.done();
      const int pending = PendingRequests();
      world_.console.Progress(ProgressText(CommandName(options_.command), std::min(done, plan.total), plan.total));
      if (done != lastDone || pending != lastPending) {
        quietTicks = 0;
        lastDone = done;
        lastPending = pending;
      } else if (++quietTicks >= StallTicks) {
        end = RunEnd::Stalled;
        break;
      }
    }
    if (plan.finished && plan.finished()) break;
  }
  engineScreen_.FlushProgress();
  // What came after the last verdict: a give-up's cancel line, the failed
  // reopens of a lost port, what a run cut short was doing.
  reports_.ShowHeld();
  world_.console.EndProgress();
  return end;
}

bool CliSession::EngineQuiet() const { return program_->Engine.Quiet(); }

int CliSession::PendingRequests() const {
  const auto& status = program_->Store.ItemStatus;
  return static_cast<int>(std::count_if(status.begin(), status.end(), [](int16_t code) { return code > 0; }));
}

void CliSession::RouteUnitLines(std::function<void(const std::string&)> sink) { unitLineSink_ = std::move(sink); }

namespace {

// The port's own lines on opening and closing (each transaction of its own
// reopens the port): only --verbose shows them. A port that fails to open
// or close says so in other lines.
bool OpensOrClosesThePort(const std::string& messageLine, const LanguageTexts& texts) {
  const std::size_t blank = messageLine.find(' ');
  const std::string text = blank == std::string::npos ? messageLine : messageLine.substr(blank + 1);
  return text == texts.Text(slot::ComportClosed) + "." ||
         (text.starts_with("Com: ") && text.find(" " + texts.Text(slot::OpenedWith) + ": ") != std::string::npos);
}

}  // namespace

void CliSession::OnMessageLine(const std::string& line) {
  if (events_.TakeUnitLine() && unitLineSink_) {
    unitLineSink_(line);
  } else if (options_.verbose || !OpensOrClosesThePort(line, program_->Texts)) {
    reports_.MessageLine(TerminalText(line));
  }
}

}  // namespace tessaro::cli
