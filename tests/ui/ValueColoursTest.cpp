// The "matches the unit" green as the user meets it: only a value the unit
// gave, shown unchanged, is green; hand edits and loaded files never are,
// whatever request is waiting.
#include <fstream>
#include <map>

#include "core/Items.h"
#include "presentation/SettingsLayout.h"
#include "tests/ui/UiFixture.h"

namespace tessaro::testing {
namespace {

class ValueColoursTest : public MainWindowTest {
 protected:
  // The widget whose text colour tells the value's state.
  QWidget* Field(int16_t item) const {
    if (item >= 150) return W().TxtTekstInput.at(item - 150);
    if (W().ComboInstellingen.count(item) != 0) return W().ComboInstellingen.at(item)->lineEdit();
    return W().TxtCharInput.at(item);
  }
  QColor Drawn(int16_t item) const { return Field(item)->palette().color(QPalette::Text); }
  bool Green(int16_t item) const { return Drawn(item) == ValueColourOf(ValueColour::MatchesUnit, *Field(item)); }
  // The field's plain text colour, as it was before any value colour.
  bool Plain(int16_t item) const { return Drawn(item) == ValueColourOf(ValueColour::DiffersFromUnit, *Field(item)); }
  // Every setting row's item, as the window shows them.
  static std::vector<int16_t> ShownItems() {
    std::vector<int16_t> items;
    for (const SettingsRow& row : SettingsRows()) {
      for (int16_t item : row.Items()) items.push_back(item);
    }
    return items;
  }
  // A unit's whole set in the program's own defaults file, then start-up.
  void StartWithDefaults() {
    const std::map<int, int> set = {{0, 1},   {5, 4},   {7, 25}, {10, 3},  {11, 1},  {12, 0},  {13, 1},
                                    {14, 0},  {15, 0},  {17, 0}, {18, 0},  {19, 1},  {20, 5},  {21, 2},
                                    {22, 0},  {23, 30}, {31, 192}, {32, 168}, {33, 1}, {34, 50}, {35, 0},
                                    {36, 4},  {37, 192}, {38, 168}, {39, 1}, {40, 1}, {41, 8}};
    std::ofstream out(folder.Path() / "default.set", std::ios::binary);
    for (int item = 0; item <= 249; ++item) {
      out << item << "    ->";
      if (item < 150) out << (set.count(item) != 0 ? set.at(item) : 0);
      out << "\r\n";
    }
    out.close();
    Start();
  }
  // As after a read of every item: the unit holds what the screen shows.
  void UnitGaveTheScreen() {
    for (int16_t item : ShownItems()) {
      auto* combo = W().ComboInstellingen.count(item) != 0 ? W().ComboInstellingen.at(item) : nullptr;
      Program().Store.UnitValues[static_cast<std::size_t>(item)] =
          combo != nullptr ? ItemValue(combo->currentIndex())
                           : ItemValue(FromQString(qobject_cast<QLineEdit*>(Field(item))->text()));
    }
    window->TmrUpdateVensters_Timer();
    for (int16_t item : ShownItems()) ASSERT_TRUE(Green(item)) << "item " << item << " before the change";
  }
  // A Read all under way: every item waits for the silent unit.
  void ReadAllUnderWay() {
    W().CmdLeesAlles->click();
    window->TmrAfhandel_Timer();
    ASSERT_EQ(Status(23), RequestRead);
  }
  void Retype(int16_t item, const QString& text) {
    auto* box = qobject_cast<QLineEdit*>(Field(item));
    box->setFocus();
    box->selectAll();
    TypeInto(box, text);
  }
};

// "-1" is what the store holds for a value never obtained; typed by hand it
// is the user's value, not the unit's.
TEST_F(ValueColoursTest, ATextTypedByHandIsNotGreenWhenTheUnitNeverGaveOne) {
  StartWithDefaults();
  Retype(23, QStringLiteral("-1"));
  window->TmrUpdateVensters_Timer();
  EXPECT_EQ(W().TxtCharInput.at(23)->text(), QStringLiteral("-1"));
  EXPECT_FALSE(Green(23));
  EXPECT_EQ(Drawn(23), ValueColourOf(ValueColour::OutOfRange, *Field(23)));  // not a value the unit takes
}

TEST_F(ValueColoursTest, AHandEditOfWhatTheUnitGaveTurnsGreenIntoPlainAndBack) {
  StartWithDefaults();
  UnitGaveTheScreen();
  for (int16_t item : {23, 31}) {
    Retype(item, QStringLiteral("45"));
    window->TmrUpdateVensters_Timer();
    EXPECT_TRUE(Plain(item)) << item;
  }
  Retype(23, QStringLiteral("30"));
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(Green(23));
}

TEST_F(ValueColoursTest, AnEditMadeWhileAReadWaitsIsNotGreen) {
  StartWithDefaults();
  UnitGaveTheScreen();
  ReadAllUnderWay();
  Retype(23, QStringLiteral("45"));
  Retype(31, QStringLiteral("10"));
  window->TmrUpdateVensters_Timer();
  EXPECT_TRUE(Plain(23));
  EXPECT_TRUE(Plain(31));
  EXPECT_TRUE(Green(32));  // untouched, still what the unit gave
}

TEST_F(ValueColoursTest, ValuesLoadedFromAFileAreNotGreen) {
  StartWithDefaults();
  prompts.saveAnswer = ScriptedPrompts::AcceptOffered;
  W().CmdOpslaanUnitGegevens->click();
  UnitGaveTheScreen();
  ReadAllUnderWay();

  prompts.openAnswer = [this](const FileDialogRequest&) {
    return QStringFromPath(folder.Path() / "Instellingen" / "NieuweInstellingen.cfg");
  };
  W().CmdLezenUnitgegevens->click();
  window->TmrUpdateVensters_Timer();
  for (int16_t item : ShownItems()) EXPECT_TRUE(Plain(item)) << "item " << item;
}

}  // namespace
}  // namespace tessaro::testing
