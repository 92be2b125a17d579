#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Dialogs.h"
#include "tests/support/ItemValueAssertions.h"
#include "core/ProgramSettings.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"
#include "messages/MessageLog.h"
#include "protocol/EngineDriver.h"
#include "protocol/EngineScreen.h"
#include "protocol/ProtocolEngine.h"
#include "serial/Datacom.h"
#include "tests/support/FakeBytePort.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"

namespace tessaro::testing {

using Bytes = std::vector<uint8_t>;

// The window as the engine sees it: progress box, bar, item rows, test-call inputs.
class FakeEngineScreen final : public EngineScreen {
 public:
  struct Row {
    std::string legend;
    std::string shown;
  };

  void AppendProgress(const std::string& text) override { progress += text; }
  void SetProgressBar(bool visible, int minimum, int maximum, int value) override {
    barVisible = visible;
    barMinimum = minimum;
    barMaximum = maximum;
    barValue = value;
  }
  bool HasVisibleRow(int16_t item) override { return rows.contains(item); }
  std::string Legend(int16_t item) override { return rows.contains(item) ? rows[item].legend : ""; }
  std::string ShownText(int16_t item) override { return rows.contains(item) ? rows[item].shown : ""; }
  std::string TestPagerAddress() override { return pagerAddress; }
  std::string TestPagerDisplayInfo() override { return pagerMessage; }
  int16_t TestBleepCode() override { return bleepCode; }

  std::string progress;
  bool barVisible = false;
  int barMinimum = -1;
  int barMaximum = -1;
  int barValue = -1;
  std::map<int16_t, Row> rows;
  std::string pagerAddress;
  std::string pagerMessage;
  int16_t bleepCode = -1;
};

// Shows a value as its text in the item's row and takes the row's text back.
class FakeSettingsScreen final : public SettingsScreen {
 public:
  FakeSettingsScreen(SettingsStore& store, FakeEngineScreen& screen) : store_(store), screen_(screen) {}
  void ItemToScreen(int16_t item) override {
    itemToScreen.push_back(item);
    if (screen_.rows.contains(item)) screen_.rows[item].shown = store_.ItemValues[item].TextValue();
  }
  void ScreenToItem(int16_t item) override {
    screenToItem.push_back(item);
    if (screen_.rows.contains(item)) store_.ItemValues[item] = ItemValue(screen_.rows[item].shown);
  }
  std::vector<int16_t> itemToScreen;
  std::vector<int16_t> screenToItem;

 private:
  SettingsStore& store_;
  FakeEngineScreen& screen_;
};

class FakeDialogs final : public Dialogs {
 public:
  struct Box {
    std::string text;
    std::string caption;
  };
  void ShowCriticalError(const std::string& text, const std::string& caption) override {
    boxes.push_back({text, caption});
    if (onShow) onShow();
  }
  std::vector<Box> boxes;
  std::function<void()> onShow;  // sees the program's state while the box opens
};

// A reply frame built independently of the code under test:
// SOH LEN 01 00 answer data... checksum.
inline Bytes ReplyFrame(uint8_t answer, const Bytes& data) {
  Bytes frame = {0x01, static_cast<uint8_t>(5 + data.size()), 0x01, 0x00, answer};
  frame.insert(frame.end(), data.begin(), data.end());
  int sum = 0;
  for (uint8_t byte : frame) sum += byte;
  frame.push_back(static_cast<uint8_t>((256 - sum % 256) % 256));
  return frame;
}

// A read reply laid out like a write request: ACK "W" US n RS "w" US value RS.
inline Bytes ItemReply(uint8_t item, const Bytes& value) {
  Bytes data = {'W', 0x1F, item, 0x1E, 'w', 0x1F};
  data.insert(data.end(), value.begin(), value.end());
  data.push_back(0x1E);
  return ReplyFrame(0x06, data);
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline const Bytes kAttention = {0x01, 0x01, 0x80, 0x7F};

// The whole engine over a fake port, a real MessageLog in a temporary folder
// with a fixed clock, the English text table and fake window seams.
class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture()
      : log(folder.Path(), clock, settings),
        datacom(port, log, texts),
        settingsScreen(store, screen),
        engine(store, settings, datacom, log, texts, screen, settingsScreen, dialogs) {
    settings.Logfile = 2;
    int16_t language = English;
    texts.FillTextTable(language);
    ClearItemValues(store);
    ClearUnitValues(store);
    log.SetLineListener([this](const std::string& line) { lines.push_back(line.substr(9)); });
    screen.rows[5] = {"Address Length", "1"};
    screen.rows[7] = {"Message Length", "1"};
    screen.rows[18] = {"ESPA simulation Bosch fixed info", "0"};
    screen.rows[21] = {"ESPA mode", "1"};
    screen.rows[23] = {"Enhanced Mode Timeout", "60"};
    screen.rows[100] = {"Int setting", "0"};
    screen.rows[150] = {"MAC", ""};
  }

  // Opens the port as start-up does and starts the engine; the start-up
  // lines and the initial delay are out of the way afterwards.
  void Start() {
    ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
    engine.EngineTick(10);
    ASSERT_EQ(engine.EngineState, engine_state::Idle);
    Tick(engine.DelayCountdown);
    lines.clear();
  }

  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) engine.EngineTick(0);
  }

  // Ticks until the predicate holds; the number of ticks it took, or -1.
  int TickUntil(const std::function<bool()>& done, int limit = 2000) {
    for (int ticks = 0; ticks <= limit; ++ticks) {
      if (done()) return ticks;
      engine.EngineTick(0);
    }
    return -1;
  }

  // Serves the lowest pending item request up to the point where its frame
  // is on the wire (or was refused): one tick to pick it, one to send it.
  // The line counts as busy so no attention frame comes first.
  void SendPendingRequest() {
    engine.IdleCountdown = 50;
    port.written.clear();
    Tick(2);
  }

  // Reads of items 21 and 23 pending and 21's request on the wire, sent
  // without the attention frame; the written bytes cleared.
  void SendReadOf21And23() {
    store.ItemStatus[21] = RequestRead;
    store.ItemStatus[23] = RequestRead;
    engine.IdleCountdown = 50;
    Tick(2);
    ASSERT_EQ(engine.EngineState, engine_state::ReadSoh);
    port.written.clear();
  }

  void Feed(const Bytes& bytes) { port.Feed(bytes); }

  // A Write all of what the screen shows, as the window asks for one.
  WriteAllCommand ScreenWriteAll(bool backup) {
    ScreenToAllItems(settingsScreen);
    return {store.ItemValues, backup};
  }

  bool LinesContain(const std::string& text) const {
    for (const auto& line : lines) {
      if (line == text) return true;
    }
    return false;
  }

  TestFolder folder;
  FixedClock clock{{2024, 3, 5, 14, 3, 7}};
  ProgramSettings settings;
  LanguageTexts texts;
  SettingsStore store;
  FakeBytePort port;
  MessageLog log;
  Datacom datacom;
  FakeEngineScreen screen;
  FakeSettingsScreen settingsScreen;
  FakeDialogs dialogs;
  ProtocolEngine engine;
  std::vector<std::string> lines;  // logged lines without their time stamp
};

// Answers every complete request frame written to the port: reads with the
// value byte(s) of `charValue` / `intValue` / `text`, writes with `writeAnswer`.
struct FakeUnit {
  explicit FakeUnit(FakeBytePort& port) : port(port) {}

  void Respond() {
    while (cursor < port.written.size()) {
      const std::size_t left = port.written.size() - cursor;
      const uint8_t* at = port.written.data() + cursor;
      if (left >= 4 && at[0] == 0x01 && at[1] == 0x01 && at[2] == 0x80 && at[3] == 0x7F) {
        cursor += 4;
        continue;
      }
      if (left < 2 || left < static_cast<std::size_t>(at[1]) + 1) return;
      const Bytes frame(at, at + at[1] + 1);
      cursor += frame.size();
      if (frame.size() > 7) seen.emplace_back(static_cast<char>(frame[5]), frame[7]);
      if (frame.size() > 7 && frame[5] == 'w') {
        const uint8_t item = frame[7];
        if (item >= 150) {
          port.Feed(ItemReply(item, TextBytes(text)));
        } else if (item >= 100) {
          port.Feed(ItemReply(item, {static_cast<uint8_t>(intValue & 0xFF), static_cast<uint8_t>(intValue >> 8)}));
        } else {
          port.Feed(ItemReply(item, {charValue}));
        }
      } else if (frame.size() > 7 && frame[5] == 'W') {
        port.Feed(ReplyFrame(writeAnswer, {'W', 0x1F, frame[7], 0x1E}));
      }
    }
  }

  FakeBytePort& port;
  std::size_t cursor = 0;
  std::vector<std::pair<char, int>> seen;  // ('w', item) reads, ('W', item) writes
  uint8_t charValue = 1;
  int intValue = 1000;
  std::string text = "t";
  uint8_t writeAnswer = 0x06;
};

// The front end's one-shot timer, fired by hand.
struct PendingCalls {
  struct Call {
    int ms;
    std::function<void()> call;
  };
  EngineDriver::Later Later() {
    return [this](int ms, std::function<void()> call) { calls.push_back({ms, std::move(call)}); };
  }
  void FireAll() {
    auto due = std::move(calls);
    calls.clear();
    for (auto& call : due) call.call();
  }
  std::vector<Call> calls;
};

}  // namespace tessaro::testing
