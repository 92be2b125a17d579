#include "tools/soak/SoakRun.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/ItemTable.h"
#include "core/Items.h"
#include "presentation/MemoryControls.h"
#include "program/TessaroProgram.h"
#include "protocol/EngineDriver.h"
#include "serial/QtSerialBytePort.h"
#include "tests/support/UnitSimProcess.h"
#include "tools/soak/RandomSettings.h"
#include "tools/soak/RequestLedger.h"

namespace tessaro::soak {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr int kComNumber = 74;
constexpr const char* kComVariable = "TESSARO_COM74";
// Longest a round may take: a give-up after three time-outs, a replug and
// the reopen that follows fit well inside it.
constexpr auto kRoundLimit = 90s;
const std::vector<std::string> kFaultKinds = {"no-reply", "no-len", "bad-checksum", "nack", "too-long",
                                              "cut-off",  "noise",  "other-item",   "short", "ack-only"};

const char* KindName(TransactionKind kind) {
  switch (kind) {
    case TransactionKind::Read: return "read";
    case TransactionKind::Write: return "write";
    case TransactionKind::TestCall: return "test call";
    case TransactionKind::Reset: return "reset";
  }
  return "?";
}

const char* OutcomeName(TransactionOutcome outcome) {
  switch (outcome) {
    case TransactionOutcome::Done: return "done";
    case TransactionOutcome::Refused: return "refused";
    case TransactionOutcome::Failed: return "failed";
    case TransactionOutcome::Cancelled: return "cancelled";
    case TransactionOutcome::GivenUp: return "given up";
  }
  return "?";
}

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The window's part, without a window: the progress box keeps its last lines.
class SoakScreen final : public EngineScreen {
 public:
  void AppendProgress(const std::string& text) override {
    progress += text;
    if (progress.size() > 4000) progress.erase(0, progress.size() - 2000);
  }
  void SetProgressBar(bool, int, int, int) override {}
  bool HasVisibleRow(int16_t item) override { return rows != nullptr && rows->HasVisibleRow(item); }
  std::string Legend(int16_t item) override { return rows != nullptr ? rows->Legend(item) : std::string(); }
  std::string ShownText(int16_t item) override { return rows != nullptr ? rows->ShownText(item) : std::string(); }
  std::string TestPagerAddress() override { return "1234"; }
  std::string TestPagerDisplayInfo() override { return "soak"; }
  int16_t TestBleepCode() override { return 1; }

  SettingsTransfer* rows = nullptr;
  std::string progress;
};

class SoakDialogs final : public Dialogs {
 public:
  void ShowCriticalError(const std::string& text, const std::string&) override {
    ++shown;
    last = text;
  }
  int shown = 0;
  std::string last;
};

// What the engine reported: per round, and in total for the table. Every
// event also goes to the ledger of requests.
class SoakEvents final : public EngineEvents {
 public:
  explicit SoakEvents(RequestLedger& ledger) : ledger_(ledger) {}

  void ItemRead(int16_t item, const ItemValue& value) override {
    confirmed.insert_or_assign(item, value);
    ledger_.ItemRead(item, value);
  }
  void ItemWritten(int16_t item, const ItemValue& value) override {
    confirmed.insert_or_assign(item, value);
    writtenSinceBatch = true;
    ledger_.ItemWritten(item, value);
  }
  void TransactionFinished(TransactionKind kind, int16_t item, TransactionOutcome outcome) override {
    ++outcomes[{kind, outcome}];
    ++transactionsThisRound;
    ledger_.TransactionFinished(kind, item, outcome);
  }
  void BatchFinished(BatchKind kind, TransactionOutcome outcome) override {
    ++batches[{kind, outcome}];
    lastBatch = {kind, outcome};
    writtenSinceBatch = false;
    ledger_.BatchFinished(kind, outcome);
  }
  void UnitLine(const std::string&) override { ++unitLines; }
  void PortLost() override { ++portLost; }
  void PortBack() override {
    ++portBack;
    ledger_.PortBack();
  }

  void NewRound() {
    lastBatch.reset();
    writtenSinceBatch = false;
    transactionsThisRound = 0;
  }

  std::map<int16_t, ItemValue> confirmed;  // the last value the unit sent or confirmed
  std::map<std::pair<TransactionKind, TransactionOutcome>, long> outcomes;
  std::map<std::pair<BatchKind, TransactionOutcome>, long> batches;
  std::optional<std::pair<BatchKind, TransactionOutcome>> lastBatch;  // of this round
  bool writtenSinceBatch = false;
  long transactionsThisRound = 0;
  long unitLines = 0;
  long portLost = 0;
  long portBack = 0;

 private:
  RequestLedger& ledger_;
};

enum class Command { ReadAll, WriteAll, ReadItems, WriteItems, TestCall, Reset, Listen };

const char* CommandName(Command command) {
  switch (command) {
    case Command::ReadAll: return "read-all";
    case Command::WriteAll: return "write-all";
    case Command::ReadItems: return "read items";
    case Command::WriteItems: return "write items";
    case Command::TestCall: return "test call";
    case Command::Reset: return "reset";
    case Command::Listen: return "listen";
  }
  return "?";
}

// What an impatient user presses while a command's work still runs.
std::vector<Command> ImpatientPresses(Command running) {
  switch (running) {
    case Command::ReadAll: return {Command::ReadAll, Command::TestCall, Command::Reset};
    case Command::WriteAll: return {Command::ReadItems, Command::WriteItems, Command::TestCall, Command::Reset};
    case Command::ReadItems: return {Command::WriteAll};
    case Command::WriteItems: return {Command::ReadAll};
    case Command::TestCall:
    case Command::Reset:
    case Command::Listen: return {};
  }
  return {};
}

// A press planned for the moment this many transactions of the round ended.
struct PlannedPress {
  long afterTransactions;
  Command press;
};

class Soak {
 public:
  explicit Soak(const SoakOptions& options)
      : options_(options),
        random_(options.seed),
        link_(options.folder + "/unit"),
        program_(TessaroProgram::World{options.folder, clock_, port_, dialogs_, controls_, screen_, nullptr}),
        ledger_(program_.Store),
        events_(ledger_),
        driver_(program_.Engine, [](int ms, std::function<void()> call) {
          QTimer::singleShot(ms, Qt::PreciseTimer, QCoreApplication::instance(), std::move(call));
        }) {
    screen_.rows = &program_.Screen;
    program_.Engine.SetEvents(&events_);
    port_.SetArrivalHandler([this] { driver_.Arrived(); });
    ticker_.setTimerType(Qt::PreciseTimer);
    ticker_.setInterval(25);
    QObject::connect(&ticker_, &QTimer::timeout, [this] { driver_.Tick(); });
  }

  ~Soak() {
    port_.SetArrivalHandler({});
    program_.Engine.SetEvents(nullptr);
  }

  int Run() {
    ::setenv(kComVariable, link_.c_str(), 1);
    // The unit starts with settings of the run's own choosing, so every value
    // read back can be checked against what the unit holds.
    for (int16_t item : SoakSettingItems()) unitHolds_[item] = RandomSettingValue(item, random_, program_.Texts);
    if (!StartUnit(false)) return Violation("the simulated unit did not start");
    program_.StartProgram("", [](ProgramSettings& settings) { settings.Compoort = kComNumber - 1; });
    if (!program_.Engine.Started()) return Violation("the port did not open on " + link_);
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      initialUnit_.push_back(program_.Store.UnitValues[static_cast<std::size_t>(item)]);
    }
    ticker_.start();
    startKb_ = ResidentKb();

    const auto end = SteadyClock::now() + std::chrono::duration_cast<SteadyClock::duration>(
                                              std::chrono::duration<double>(options_.seconds));
    while (SteadyClock::now() < end) {
      ++round_;
      if (std::bernoulli_distribution(0.25)(random_) && !StartUnit(true)) return Violation("the unit did not return");
      if (const std::string problem = RunRound(); !problem.empty()) return Violation(problem);
      if (round_ == 10) round10Kb_ = ResidentKb();
    }
    const long endKb = ResidentKb();
    ticker_.stop();
    const long base = round10Kb_ > 0 ? round10Kb_ : startKb_;
    if (endKb > base + base / 10) return Violation("memory grew from " + std::to_string(base) + " kB to " +
                                                   std::to_string(endKb) + " kB");
    PrintTable();
    unit_.reset();
    return 0;
  }

 private:
  // A new unit on the same link: the old one is pulled out first, so the
  // engine loses its port and must find the new one. Faults and hang-ups at
  // random; `replug` false for the first start.
  bool StartUnit(bool replug) {
    ReadUnitLines();
    if (unit_) {
      unit_->Stop();
      ++replugs_;
    }
    clean_ = !replug || std::bernoulli_distribution(0.4)(random_);
    std::vector<std::string> args{"--link", link_, "--status-every", "1", "--quit-after",
                                  std::to_string(static_cast<long>(options_.seconds) + 600), "--seed",
                                  std::to_string(random_())};
    if (!options_.paced) args.push_back("--no-pace");
    if (!clean_) {
      const int kinds = std::uniform_int_distribution<int>(1, 2)(random_);
      for (int i = 0; i < kinds; ++i) {
        const std::string& kind = kFaultKinds[std::uniform_int_distribution<std::size_t>(0, kFaultKinds.size() - 1)(random_)];
        const int count = std::uniform_int_distribution<int>(1, 6)(random_);
        args.insert(args.end(), {"--fault", kind + ":" + std::to_string(count)});
        ++faults_[kind];
      }
      if (std::bernoulli_distribution(0.3)(random_)) {
        args.insert(args.end(), {"--hangup-after", std::to_string(std::uniform_int_distribution<int>(1, 30)(random_)),
                                 "--return-after", "0.5"});
        ++hangupsPlanned_;
      }
    }
    for (const auto& [item, value] : unitHolds_) args.insert(args.end(), {"--set", std::to_string(item) + "=" + std::to_string(value)});
    unitArgs_ = args;
    unit_ = std::make_unique<testing::UnitSimProcess>(options_.simulator);
    unitLinesSeen_ = 0;
    return unit_->Start(args) && unit_->WaitForLine("PTY ", 5000ms).has_value();
  }

  // What the unit says it now holds ("SET <item> <value>"), and hang-ups.
  void ReadUnitLines() {
    if (!unit_) return;
    unit_->Drain();
    const auto& lines = unit_->Lines();
    for (; unitLinesSeen_ < lines.size(); ++unitLinesSeen_) {
      const std::string& line = lines[unitLinesSeen_];
      if (line.rfind("HANGUP", 0) == 0) ++hangups_;
      if (line.rfind("SET ", 0) != 0) continue;
      std::istringstream fields(line.substr(4));
      int item = 0;
      int value = 0;
      if (fields >> item >> value && unitHolds_.contains(static_cast<int16_t>(item))) {
        unitHolds_[static_cast<int16_t>(item)] = value;
      }
    }
  }

  // Runs the event loop until `done` holds or the time is up.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = SteadyClock::now() + limit;
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    bool met = done();
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
      ReadUnitLines();
      met = done();
      if (met || SteadyClock::now() >= deadline) loop.quit();
    });
    if (!met) {
      check.start();
      loop.exec();
    }
    return met;
  }

  std::vector<int16_t> SomeItems(const std::vector<int16_t>& from) {
    std::vector<int16_t> items;
    const int count = std::uniform_int_distribution<int>(1, 3)(random_);
    for (int i = 0; i < count; ++i) items.push_back(from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)]);
    return items;
  }

  void SetOnScreen(int16_t item) {
    program_.Store.ItemValues[static_cast<std::size_t>(item)] = ItemValue(RandomSettingValue(item, random_, program_.Texts));
    program_.Screen.ItemToScreen(item);
  }

  // Asks as a button would, through the ledger.
  void Press(Command command) {
    ProtocolEngine& engine = program_.Engine;
    switch (command) {
      case Command::ReadAll:
        ledger_.AskBatch(BatchKind::ReadAll, engine.ReadAllRequest, [&] { engine.ReadAll(); });
        break;
      case Command::WriteAll:
        for (int16_t item : SoakSettingItems()) SetOnScreen(item);
        // The soak checks the engine's own bookkeeping; a backup of every
        // write would fill its folder with files.
        ledger_.AskBatch(BatchKind::WriteAll, engine.WriteAllRequest, [&] {
          ScreenToAllItems(program_.Screen);
          engine.WriteAll({program_.Store.ItemValues, false});
        });
        break;
      case Command::ReadItems:
        for (int16_t item : SomeItems(readable_)) ledger_.AskItem(item, [&] { engine.ReadItem(item); });
        break;
      case Command::WriteItems:
        for (int16_t item : SomeItems(SoakSettingItems())) {
          SetOnScreen(item);
          ledger_.AskItem(item, [&] { engine.WriteItem(item); });
        }
        break;
      case Command::TestCall:
        ledger_.AskSpecial(TransactionKind::TestCall, engine.TestCallRequest, [&] { engine.TestCall(); });
        break;
      case Command::Reset:
        ledger_.AskSpecial(TransactionKind::Reset, engine.ResetRequest, [&] { engine.Reset(); });
        break;
      case Command::Listen: break;
    }
  }

  // Most rounds with work that takes a while get one or two presses at
  // random points of it: after so many of its transactions ended.
  std::vector<PlannedPress> PlanImpatience(Command command) {
    const std::vector<Command> presses = ImpatientPresses(command);
    if (presses.empty() || !std::bernoulli_distribution(0.6)(random_)) return {};
    const long span = command == Command::ReadAll    ? static_cast<long>(readable_.size())
                      : command == Command::WriteAll ? static_cast<long>(SoakSettingItems().size())
                                                     : 3;
    std::vector<PlannedPress> plan;
    for (int i = std::uniform_int_distribution<int>(1, 2)(random_); i > 0; --i) {
      plan.push_back({std::uniform_int_distribution<long>(0, span)(random_),
                      presses[std::uniform_int_distribution<std::size_t>(0, presses.size() - 1)(random_)]});
    }
    std::sort(plan.begin(), plan.end(),
              [](const PlannedPress& a, const PlannedPress& b) { return a.afterTransactions < b.afterTransactions; });
    return plan;
  }

  // Presses those whose moment has come while work still runs; a press
  // whose moment comes after the work ended is not made.
  void PressWhenDue(Command running, std::vector<PlannedPress>& plan) {
    while (!plan.empty() && events_.transactionsThisRound >= plan.front().afterTransactions) {
      const Command press = plan.front().press;
      plan.erase(plan.begin());
      if (program_.Engine.Quiet()) continue;
      ++impatient_[std::string(CommandName(press)) + " during " + CommandName(running)];
      Press(press);
    }
  }

  std::string RunRound() {
    ProtocolEngine& engine = program_.Engine;
    events_.NewRound();
    const Command command = static_cast<Command>(
        std::discrete_distribution<int>({20, 12, 20, 20, 8, 5, 10})(random_));
    running_ = CommandName(command);
    ++commands_[running_];
    if (command == Command::Listen) {
      RunUntil([] { return false; }, std::chrono::milliseconds(std::uniform_int_distribution<int>(300, 1500)(random_)));
    }
    Press(command);
    std::vector<PlannedPress> plan = PlanImpatience(command);
    const bool settled = RunUntil(
        [&] {
          PressWhenDue(command, plan);
          return engine.Quiet() && !engine.PortIsLost();
        },
        kRoundLimit);
    ReadUnitLines();
    if (!settled) return "the engine is not back to idle: state " + std::to_string(StateNumber(engine.EngineState));

    // Every request ended in exactly one reported way.
    if (!ledger_.Problem().empty()) return ledger_.Problem();
    if (const std::string unended = ledger_.Unended(); !unended.empty()) return unended;

    // Nothing in UnitValues that the unit did not send or confirm.
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      const ItemValue& held = program_.Store.UnitValues[static_cast<std::size_t>(item)];
      const auto found = events_.confirmed.find(item);
      const ItemValue& expected = found != events_.confirmed.end() ? found->second : initialUnit_[static_cast<std::size_t>(item)];
      if (!held.SameKindAndContent(expected)) {
        ++valuesLost_;
        return "item " + std::to_string(item) + " holds " + held.TextValue() + " that the unit never sent (" +
               expected.TextValue() + ")";
      }
    }
    // After a clean read-all from a clean unit, what the program holds is
    // what the unit holds.
    if (clean_ && events_.lastBatch == std::pair{BatchKind::ReadAll, TransactionOutcome::Done} &&
        !events_.writtenSinceBatch) {
      ++readAllsCompared_;
      for (const auto& [item, value] : unitHolds_) {
        const ItemValue& held = program_.Store.UnitValues[static_cast<std::size_t>(item)];
        if (held.NumberValue() != value) {
          ++valuesLost_;
          return "after a read-all item " + std::to_string(item) + " holds " + held.TextValue() +
                 " where the unit holds " + std::to_string(value);
        }
      }
    }
    return {};
  }

  int Violation(const std::string& what) {
    std::fprintf(stderr,
                 "tessaro-soak: VIOLATION in round %ld (seed %u, running: %s): %s\n"
                 "  unit started with:", round_, options_.seed, running_.c_str(), what.c_str());
    for (const auto& arg : unitArgs_) std::fprintf(stderr, " %s", arg.c_str());
    std::fprintf(stderr, "\n  last message lines:\n");
    for (const std::string& line : program_.Log.MessageLines()) {
      if (!line.empty()) std::fprintf(stderr, "    %s\n", line.c_str());
    }
    std::fprintf(stderr, "  progress box ends:\n%s\n", screen_.progress.c_str());
    PrintTable();
    return 1;
  }

  void PrintTable() const {
    std::printf("soak: seed %u, %.0f s, %ld rounds\n", options_.seed, options_.seconds, round_);
    std::printf("  commands:");
    for (const auto& [name, count] : commands_) std::printf("  %s %ld", name.c_str(), count);
    std::printf("\n  requests by kind and outcome:\n");
    for (const auto& [key, count] : events_.outcomes) {
      std::printf("    %-10s %-10s %ld\n", KindName(key.first), OutcomeName(key.second), count);
    }
    std::printf("  batches by kind and outcome:\n");
    for (const auto& [key, count] : events_.batches) {
      std::printf("    %-10s %-10s %ld\n", key.first == BatchKind::ReadAll ? "read-all" : "write-all",
                  OutcomeName(key.second), count);
    }
    std::printf("  impatient presses while work ran:\n");
    for (const auto& [name, count] : impatient_) std::printf("    %-26s %ld\n", name.c_str(), count);
    std::printf("  presses that joined a pending request %ld, refused at once without a port %ld,\n"
                "  item requests dropped by a give-up or a lost port %ld\n",
                ledger_.Joined(), ledger_.AnsweredAtOnce(), ledger_.Dropped());
    std::printf("  faults injected (episodes):");
    for (const auto& [kind, count] : faults_) std::printf("  %s %ld", kind.c_str(), count);
    std::printf("\n  replugs %ld, hang-ups by the unit %ld of %ld set up, port lost %ld, port back %ld, give-up boxes %d\n",
                replugs_, hangups_, hangupsPlanned_, events_.portLost, events_.portBack, dialogs_.shown);
    std::printf("  unit lines heard %ld, clean read-alls compared with the unit %ld\n", events_.unitLines,
                readAllsCompared_);
    std::printf("  values lost: %ld\n", valuesLost_);
    std::printf("  memory: %ld kB at start, %s after round 10, %ld kB at the end\n", startKb_,
                round10Kb_ > 0 ? (std::to_string(round10Kb_) + " kB").c_str() : "not reached", ResidentKb());
  }

  const SoakOptions& options_;
  std::mt19937 random_;
  std::string link_;
  SystemClock clock_;
  QtSerialBytePort port_;
  SoakDialogs dialogs_;
  MemoryControls controls_;
  SoakScreen screen_;
  TessaroProgram program_;
  RequestLedger ledger_;
  SoakEvents events_;
  EngineDriver driver_;
  QTimer ticker_;
  std::unique_ptr<testing::UnitSimProcess> unit_;
  std::size_t unitLinesSeen_ = 0;
  std::vector<std::string> unitArgs_;
  std::map<int16_t, int> unitHolds_;
  std::vector<ItemValue> initialUnit_;
  std::vector<int16_t> readable_ = [] {
    std::vector<int16_t> items;
    for (const ItemInfo& info : ItemTable()) {
      if (info.readable) items.push_back(info.item);
    }
    return items;
  }();
  bool clean_ = true;
  long round_ = 0;
  std::string running_ = "start-up";
  std::map<std::string, long> commands_;
  std::map<std::string, long> impatient_;
  std::map<std::string, long> faults_;
  long replugs_ = 0;
  long hangups_ = 0;
  long hangupsPlanned_ = 0;
  long valuesLost_ = 0;
  long readAllsCompared_ = 0;
  long startKb_ = 0;
  long round10Kb_ = 0;
};

}  // namespace

int RunSoak(const SoakOptions& options) {
  Soak soak(options);
  return soak.Run();
}

}  // namespace tessaro::soak
