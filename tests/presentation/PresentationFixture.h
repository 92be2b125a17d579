#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "core/SettingsStore.h"
#include "tests/support/ItemValueAssertions.h"
#include "lang/LanguageTexts.h"
#include "presentation/SettingsTransfer.h"
#include "tests/support/FakeSettingsControls.h"
#include "tests/support/RecordingDialogs.h"

namespace tessaro::testing {

// A settings screen on fake controls with the English texts, set up as at
// start-up: store cleared, choice lists built.
class PresentationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseLanguage(English);
    ClearItemValues(store);
    ClearUnitValues(store);
    screen.InitSettingsScreen();
  }

  void UseLanguage(int16_t language) { taal.FillTextTable(language); }

  ItemValue& Value(int item) { return store.ItemValues[static_cast<std::size_t>(item)]; }
  ItemValue& Unit(int item) { return store.UnitValues[static_cast<std::size_t>(item)]; }
  int16_t& Status(int item) { return store.ItemStatus[static_cast<std::size_t>(item)]; }

  SettingsStore store;
  LanguageTexts taal;
  FakeSettingsControls controls;
  RecordingDialogs dialogs;
  SettingsTransfer screen{store, taal, controls, dialogs};
};

}  // namespace tessaro::testing
