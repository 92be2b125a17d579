// Commands that read or write items: the window's buttons without the window.
#include <algorithm>
#include <set>

#include "cli/Commands.h"
#include "cli/FileChecks.h"
#include "cli/ItemReport.h"
#include "cli/TerminalText.h"
#include "core/Items.h"
#include "core/SettingsScreen.h"
#include "files/UnitSettingsFile.h"

namespace tessaro::cli {
namespace {

enum class Transfer { Read, Write };

bool Json(const CliSession& session) { return session.Options().format == OutputFormat::Json; }

// The store's mark for a value not obtained from the unit yet.
bool Obtained(const ItemValue& value) { return !value.IsNotObtained(); }

std::vector<int16_t> ItemsWhere(int16_t (*member)(int)) {
  std::vector<int16_t> items;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (member(item) >= 0) items.push_back(item);
  }
  return items;
}

std::string ItemList(const std::vector<int16_t>& items) {
  std::string list;
  for (int16_t item : items) list += (list.empty() ? "" : ", ") + std::to_string(item);
  return list;
}

struct JobResult {
  CliSession::RunEnd end = CliSession::RunEnd::Finished;
  std::vector<int16_t> missing;
  bool boxesShown = false;
};

// Runs the engine until the requests placed for `items` are served, then
// tells which of them the unit did not confirm (in `confirmed`). The unit
// confirms `steps` reads and writes on the way.
JobResult RunJob(CliSession& session, const std::vector<int16_t>& items, const std::set<int16_t>& confirmed,
                 int steps) {
  session.Dialogs().Forget();
  const int confirmedBefore = session.Events().confirmations;
  CliSession::RunPlan plan;
  plan.finished = [&] { return session.EngineQuiet(); };
  plan.done = [&] { return session.Events().confirmations - confirmedBefore; };
  plan.total = steps;

  JobResult result;
  result.end = session.Run(plan);
  if (result.end != CliSession::RunEnd::Finished) session.Program().Engine.Cancel();
  for (int16_t item : items) {
    if (!confirmed.contains(item)) result.missing.push_back(item);
  }
  result.boxesShown = !session.Dialogs().Shown().empty();
  return result;
}

JobResult RunJob(CliSession& session, const std::vector<int16_t>& items) {
  return RunJob(session, items, session.Events().served, static_cast<int>(items.size()));
}

// Prints what the unit holds of the items it confirmed, says what went
// wrong, and gives the exit status.
int Report(CliSession& session, const std::vector<int16_t>& items, const JobResult& result, Transfer transfer) {
  TessaroProgram& program = session.Program();
  std::vector<ItemRow> rows;
  for (int16_t item : items) {
    const ItemValue& value = program.Store.UnitValues[static_cast<std::size_t>(item)];
    if (Obtained(value)) rows.push_back(DescribeItem(item, value, program.Texts));
  }
  const bool ok = result.missing.empty();
  const std::string command = CommandName(session.Options().command);
  session.Out().Out(session.Options().format == OutputFormat::Json ? ItemJson(command, ok, rows) : ItemTable(rows));

  Console& console = session.Out();
  const bool json = Json(session);
  if (result.end == CliSession::RunEnd::Interrupted) console.ErrLine(FailureLine(json, "interrupted"));
  if (result.end == CliSession::RunEnd::Stalled) {
    console.ErrLine(FailureLine(json, "no progress for " + std::to_string(StallTicks / TicksPerSecond) +
                                          " s; the remaining requests were cancelled"));
  }
  const std::string done = transfer == Transfer::Read ? "read" : "written";
  if (!ok && json) {
    for (int16_t item : result.missing) console.ErrLine(FailureLine(json, "item " + std::to_string(item) + " was not " + done, item));
  } else if (!ok) {
    console.ErrLine(FailureLine(json, std::to_string(result.missing.size()) + " of " + std::to_string(items.size()) +
                                          " items were not " + done + ": " + ItemList(result.missing)));
  }
  return ok ? ExitDone : ExitUnitFailed;
}

// A unit settings file that is not taken: the reader's own message, which
// names the file and the line or items at fault.
int Refused(CliSession& session, const UnitFileError& error) {
  const std::optional<int> item = error.items.size() == 1 ? std::optional<int>(error.items.front()) : std::nullopt;
  session.Out().ErrLine(FailureLine(Json(session), TerminalText(error.message), item));
  return ExitUsage;
}

int ReadItems(CliSession& session, const std::vector<int16_t>& items) {
  SettingsStore& store = session.Program().Store;
  for (int16_t item : items) {
    store.UnitValues[static_cast<std::size_t>(item)] = ItemValue();
    session.Events().served.erase(item);
    session.Program().Engine.ReadItem(item);
  }
  const JobResult result = RunJob(session, items);
  return Report(session, items, result, Transfer::Read);
}

// Nothing was written: the unit's settings could not be kept first.
int BackupFailed(CliSession& session, const EngineEventRecord::Backup& backup) {
  const bool json = Json(session);
  session.Out().Out(json ? ItemJson(CommandName(session.Options().command), false, {}) : std::string());
  if (backup.outcome == BackupOutcome::NotSaved) {
    session.Out().ErrLine(FailureLine(json, "cannot save the backup " + TerminalText(backup.file) +
                                                "; nothing was written to the unit"));
    return ExitUsage;
  }
  session.Out().ErrLine(
      FailureLine(json, "the unit's settings could not all be read for the backup; nothing was written to the unit"));
  return ExitUnitFailed;
}

int SaveReadValues(CliSession& session, const JobResult& result, int status) {
  const std::string& file = *session.Options().saveFile;
  Console& console = session.Out();
  const bool json = Json(session);
  if (status != ExitDone) {
    console.ErrLine(FailureLine(json, file + " not saved: the unit's settings were not all read"));
    return status;
  }
  // The file is written from the settings screen, which cannot hold a value
  // outside its list: saving would put another value in its place.
  if (result.boxesShown) {
    console.ErrLine(FailureLine(json, file + " not saved: the unit holds values outside the settings lists"));
    return ExitUnitFailed;
  }
  TessaroProgram& program = session.Program();
  program.Files.WriteSettingsFile(file);
  if (!SavedAsExpected(file, program.Store)) {
    console.ErrLine(FailureLine(json, "cannot save " + file));
    return ExitUsage;
  }
  return ExitDone;
}

}  // namespace

int ReadAllCommand(CliSession& session) {
  TessaroProgram& program = session.Program();
  const std::vector<int16_t> items = ItemsWhere(IsReadableItem);
  for (int16_t item : items) program.Store.UnitValues[static_cast<std::size_t>(item)] = ItemValue();
  session.Events().served.clear();
  program.Engine.ReadAll();
  const JobResult result = RunJob(session, items);
  const int status = Report(session, items, result, Transfer::Read);
  if (!session.Options().saveFile) return status;
  return SaveReadValues(session, result, status);
}

int ReadCommand(CliSession& session, const std::vector<int16_t>& items) { return ReadItems(session, items); }

int WriteCommand(CliSession& session) {
  TessaroProgram& program = session.Program();
  SettingsStore& store = program.Store;
  std::vector<int16_t> items;
  for (const WriteAssignment& write : session.Options().writes) {
    const auto index = static_cast<std::size_t>(write.item);
    // As the window: the value is shown, then taken from the screen and sent.
    store.ItemValues[index] = ItemValue(write.value);
    program.Screen.ItemToScreen(write.item);
    program.Screen.ScreenToItem(write.item);
    store.UnitValues[index] = ItemValue();
    session.Events().served.erase(write.item);
    program.Engine.WriteItem(write.item);
    items.push_back(write.item);
  }
  const JobResult result = RunJob(session, items);
  return Report(session, items, result, Transfer::Write);
}

int WriteAllCommand(CliSession& session) {
  TessaroProgram& program = session.Program();
  // A file that is refused loads nothing, and nothing is written.
  if (const auto refused = program.Files.ReadSettingsFile(session.Options().file)) return Refused(session, *refused);

  ScreenToAllItems(program.Screen);
  EngineEventRecord& events = session.Events();
  events.served.clear();
  events.written.clear();
  events.backup.reset();
  const bool backup = !session.Options().noBackup;
  program.Engine.WriteAll({program.Store.ItemValues, backup});
  const std::vector<int16_t> items = ItemsWhere(IsWritableItem);
  // This run opened the port, so a backup reads every writable item first.
  const int steps = static_cast<int>(items.size()) * (backup ? 2 : 1);
  const JobResult result = RunJob(session, items, events.written, steps);
  if (events.backup && events.backup->outcome != BackupOutcome::Saved) return BackupFailed(session, *events.backup);
  return Report(session, items, result, Transfer::Write);
}

int CheckSettingsFile(CliSession& session) {
  session.StartWithoutUnit();
  TessaroProgram& program = session.Program();
  const UnitFileRead read = ReadUnitSettingsFile(session.Options().file, program.Settings.Taal, program.Screen);
  return read.error ? Refused(session, *read.error) : ExitDone;
}

int ShowCommand(CliSession& session) {
  session.StartWithoutUnit();
  TessaroProgram& program = session.Program();
  const UnitFileRead read = ReadUnitSettingsFile(session.Options().file, program.Settings.Taal, program.Screen);
  if (read.error) return Refused(session, *read.error);
  std::vector<ItemRow> rows;
  for (int16_t item : ItemsWhere(IsReadableItem)) {
    rows.push_back(DescribeItem(item, read.values[static_cast<std::size_t>(item)], program.Texts));
  }
  session.Out().Out(Json(session) ? ItemJson("show", true, rows) : ItemTable(rows));
  return ExitDone;
}

}  // namespace tessaro::cli
