// Commands that read or write items: the window's buttons without the window.
#include <algorithm>
#include <set>

#include "cli/Commands.h"
#include "cli/FileChecks.h"
#include "cli/ItemReport.h"
#include "cli/TerminalText.h"
#include "core/Items.h"
#include "core/SettingsScreen.h"

namespace tessaro::cli {
namespace {

enum class Transfer { Read, Write };

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
// tells which of them the unit did not confirm.
JobResult RunJob(CliSession& session, const std::vector<int16_t>& items) {
  session.Dialogs().Forget();
  const std::set<int16_t>& served = session.Events().served;
  const auto servedCount = [&] {
    return static_cast<int>(std::count_if(items.begin(), items.end(), [&](int16_t item) { return served.contains(item); }));
  };
  CliSession::RunPlan plan;
  plan.finished = [&] { return session.EngineQuiet(); };
  plan.done = servedCount;
  plan.total = static_cast<int>(items.size());

  JobResult result;
  result.end = session.Run(plan);
  if (result.end != CliSession::RunEnd::Finished) session.Program().Engine.Cancel();
  for (int16_t item : items) {
    if (!served.contains(item)) result.missing.push_back(item);
  }
  result.boxesShown = !session.Dialogs().Shown().empty();
  return result;
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
  if (result.end == CliSession::RunEnd::Interrupted) console.ErrLine("tessaro-cli: interrupted");
  if (result.end == CliSession::RunEnd::Stalled) {
    console.ErrLine("tessaro-cli: no progress for " + std::to_string(StallTicks / TicksPerSecond) +
                    " s; the remaining requests were cancelled");
  }
  if (!ok) {
    console.ErrLine("tessaro-cli: " + std::to_string(result.missing.size()) + " of " + std::to_string(items.size()) +
                    " items were not " + (transfer == Transfer::Read ? "read" : "written") + ": " +
                    ItemList(result.missing));
  }
  return ok ? ExitDone : ExitUnitFailed;
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

int SaveReadValues(CliSession& session, const JobResult& result, int status) {
  const std::string& file = *session.Options().saveFile;
  Console& console = session.Out();
  if (status != ExitDone) {
    console.ErrLine("tessaro-cli: " + file + " not saved: the unit's settings were not all read");
    return status;
  }
  // The file is written from the settings screen, which cannot hold a value
  // outside its list: saving would put another value in its place.
  if (result.boxesShown) {
    console.ErrLine("tessaro-cli: " + file + " not saved: the unit holds values outside the settings lists");
    return ExitUnitFailed;
  }
  TessaroProgram& program = session.Program();
  program.Files.WriteSettingsFile(file);
  if (!SavedAsExpected(file, program.Store)) {
    console.ErrLine("tessaro-cli: cannot save " + file);
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
  SettingsStore& store = program.Store;
  const std::string& file = session.Options().file;
  Console& console = session.Out();

  session.Dialogs().Forget();
  // A load that fails leaves the store untouched; the marks show whether it ran.
  ClearItemValues(store);
  program.Files.ReadSettingsFile(file);
  const std::vector<std::string>& boxes = session.Dialogs().Shown();
  if (!store.ItemValues[LastUnitItem].IsText()) {
    console.ErrLine("tessaro-cli: cannot load " + file + (boxes.empty() ? "" : ": " + TerminalText(boxes.front())));
    return ExitUsage;
  }
  // What the screen cannot show it would replace by another value.
  if (!boxes.empty()) {
    console.ErrLine("tessaro-cli: " + file + " holds values outside the settings lists; nothing was written");
    return ExitUsage;
  }

  ScreenToAllItems(program.Screen);
  session.Events().served.clear();
  program.Engine.WriteAll();
  const std::vector<int16_t> items = ItemsWhere(IsWritableItem);
  const JobResult result = RunJob(session, items);
  return Report(session, items, result, Transfer::Write);
}

int ShowCommand(CliSession& session) {
  session.StartWithoutUnit();
  TessaroProgram& program = session.Program();
  SettingsStore& store = program.Store;
  const std::string& file = session.Options().file;

  session.Dialogs().Forget();
  ClearItemValues(store);
  program.Files.ReadSettingsFile(file);
  if (!store.ItemValues[LastUnitItem].IsText()) {
    const std::vector<std::string>& boxes = session.Dialogs().Shown();
    session.Out().ErrLine("tessaro-cli: cannot load " + file +
                          (boxes.empty() ? "" : ": " + TerminalText(boxes.front())));
    return ExitUsage;
  }
  // The file's own values, also where the screen would refuse one (it said so).
  std::vector<ItemRow> rows;
  for (int16_t item : ItemsWhere(IsReadableItem)) {
    rows.push_back(DescribeItem(item, store.FileValues[static_cast<std::size_t>(item)], program.Texts));
  }
  session.Out().Out(session.Options().format == OutputFormat::Json ? ItemJson("show", true, rows) : ItemTable(rows));
  return ExitDone;
}

}  // namespace tessaro::cli
