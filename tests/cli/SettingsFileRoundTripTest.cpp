// Every unit settings file the program writes loads again, whatever its
// settings screen held: the real lists, as the console front end builds them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ItemTable.h"
#include "core/ProgramSettings.h"
#include "core/SettingsStore.h"
#include "files/SettingsFiles.h"
#include "lang/LanguageTexts.h"
#include "presentation/MemoryControls.h"
#include "presentation/SettingsTransfer.h"
#include "tests/support/ItemValueAssertions.h"
#include "tests/support/RecordingDialogs.h"
#include "tests/support/TestFolder.h"

namespace tessaro {
namespace {

enum class ListEnd { None, First, Last };

TEST(SettingsFileRoundTrip, WhateverTheScreenHoldsLoadsBack) {
  const std::vector<std::string> typed = {"255", "-3a", "999", "", "  7", "-32768", "abc"};
  for (const ListEnd end : {ListEnd::None, ListEnd::First, ListEnd::Last}) {
    testing::TestFolder folder;
    SettingsStore store;
    ProgramSettings settings;
    LanguageTexts texts;
    int16_t language = German;
    texts.FillTextTable(language);
    MemoryControls controls;
    testing::RecordingDialogs dialogs;
    SettingsTransfer screen(store, texts, controls, dialogs);
    screen.InitSettingsScreen();
    SettingsFiles files(folder.Path(), store, settings, screen);

    std::size_t next = 0;
    for (const ItemInfo& info : ItemTable()) {
      if (info.control == ItemControl::Combo) {
        ComboControl* combo = controls.ComboInstellingen(info.item);
        combo->SetSelectedIndex(end == ListEnd::None ? -1 : end == ListEnd::First ? 0 : combo->EntryCount() - 1);
      } else if (info.control == ItemControl::CharBox) {
        controls.TxtCharInput(info.item)->SetText(typed[next++ % typed.size()]);
      } else {
        controls.TxtTekstInput(info.item - 150)->SetText("00:1E:C0 ->" + std::to_string(info.item));
      }
    }
    const auto path = folder.Path() / "site.cfg";
    files.WriteSettingsFile(path);
    const auto saved = store.FileValues;
    for (auto& value : store.ItemValues) value = ItemValue("before");

    const auto refused = files.ReadSettingsFile(path);
    ASSERT_FALSE(refused) << refused->message;
    EXPECT_TRUE(dialogs.criticalErrors.empty()) << dialogs.criticalErrors.front().text;
    for (int item = 0; item <= LastUnitItem; ++item) {
      const ItemValue expected = item < 150 ? ItemValue(static_cast<int>(*saved[item].NearestInteger()))
                                            : ItemValue(saved[item].TextValue());
      EXPECT_EQ(store.ItemValues[item], expected) << "item " << item;
    }

    files.WriteDefaultSettings();
    EXPECT_FALSE(files.ReadDefaultSettings());
  }
}

}  // namespace
}  // namespace tessaro
