#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <type_traits>

#include "core/ItemValue.h"
#include "tests/support/ItemValueAssertions.h"

namespace tessaro {
namespace {

struct NumberOfTextRow {
  const char* name;
  const char* text;
  double expected;
};

class NumberValueOfTextTest : public ::testing::TestWithParam<NumberOfTextRow> {};

TEST_P(NumberValueOfTextTest, TakesTheLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(NumberValueOfText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberValueOfTextTest,
    ::testing::Values(NumberOfTextRow{"Empty", "", 0}, NumberOfTextRow{"Digits", "192", 192},
                      NumberOfTextRow{"DigitsThenLetters", "12abc", 12},
                      NumberOfTextRow{"LeadingBlanks", "   42", 42},
                      NumberOfTextRow{"LettersOnly", "abc", 0},
                      NumberOfTextRow{"Negative", "-1", -1},
                      NumberOfTextRow{"Fraction", "7.5", 7.5},
                      NumberOfTextRow{"StopsAtSecondNumber", "12 34", 12},
                      NumberOfTextRow{"SignAlone", "-", 0},
                      NumberOfTextRow{"LeadingZeros", "0192", 192},
                      NumberOfTextRow{"BlankBetweenSignAndDigits", "- 5", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberValueOfText, VeryLongDigitRunsGrowInsteadOfWrapping) {
  const double value = NumberValueOfText(std::string(400, '9'));
  EXPECT_GT(value, 1e300);
  EXPECT_FALSE(NearestInt16(value).has_value());
}

struct RoundingRow {
  double value;
  std::optional<int16_t> expected;
};

class NearestInt16Test : public ::testing::TestWithParam<RoundingRow> {};

TEST_P(NearestInt16Test, HalvesGoToTheEvenNeighbourAndRangeIsChecked) {
  EXPECT_EQ(NearestInt16(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, NearestInt16Test,
    ::testing::Values(RoundingRow{7.5, 8}, RoundingRow{6.5, 6}, RoundingRow{-2.5, -2},
                      RoundingRow{2.4999, 2}, RoundingRow{0.5, 0}, RoundingRow{1.5, 2},
                      RoundingRow{32767, 32767}, RoundingRow{32767.4, 32767},
                      RoundingRow{32767.5, std::nullopt}, RoundingRow{-32768, -32768},
                      RoundingRow{-32768.6, std::nullopt}, RoundingRow{99999, std::nullopt},
                      RoundingRow{std::numeric_limits<double>::infinity(), std::nullopt},
                      RoundingRow{std::numeric_limits<double>::quiet_NaN(), std::nullopt}));

TEST(TextOfNumber, HasNoLeadingBlankAndKeepsFractions) {
  EXPECT_EQ(TextOfNumber(0), "0");
  EXPECT_EQ(TextOfNumber(-1), "-1");
  EXPECT_EQ(TextOfNumber(250), "250");
  EXPECT_EQ(TextOfNumber(7.5), "7.5");
  EXPECT_EQ(TextOfNumber(-0.0), "0");
}

TEST(ItemValue, StartsAsTheNumberMinusOne) {
  const ItemValue value;
  EXPECT_TRUE(value.IsNumber());
  EXPECT_EQ(value.NumberValue(), -1);
  EXPECT_EQ(value.TextValue(), "-1");
}

TEST(ItemValue, ConvertsBetweenNumberAndText) {
  const ItemValue text("12 followed by letters");
  EXPECT_TRUE(text.IsText());
  EXPECT_EQ(text.NumberValue(), 12);
  EXPECT_EQ(text.NearestInteger(), 12);
  EXPECT_EQ(text.TextValue(), "12 followed by letters");

  const ItemValue number(3);
  EXPECT_EQ(number.TextValue(), "3");
  EXPECT_EQ(ItemValue(" 1000").NumberValue(), 1000);
}

TEST(ItemValue, EqualityDistinguishesNumberFromText) {
  EXPECT_EQ(ItemValue(2), ItemValue(2.0));
  EXPECT_EQ(ItemValue("2"), ItemValue(std::string("2")));
  EXPECT_NE(ItemValue(2), ItemValue("2"));
}

}  // namespace
}  // namespace tessaro

namespace tessaro::testing {
namespace {

// A value is made on purpose: nothing turns into one by accident, and a
// character is neither a number nor a text.
static_assert(!std::is_convertible_v<int, ItemValue>);
static_assert(!std::is_convertible_v<double, ItemValue>);
static_assert(!std::is_convertible_v<const char*, ItemValue>);
static_assert(!std::is_convertible_v<std::string, ItemValue>);
static_assert(!std::is_constructible_v<ItemValue, char>);

TEST(ItemValueComparison, SameKindAndContentTellsNumbersFromTexts) {
  struct Case {
    ItemValue a;
    ItemValue b;
    bool same;
  };
  const Case cases[] = {
      {ItemValue(2), ItemValue(2.0), true},     {ItemValue(2), ItemValue("2"), false},
      {ItemValue("2"), ItemValue("2"), true},   {ItemValue("2"), ItemValue("2 "), false},
      {ItemValue(), ItemValue(-1), true},       {ItemValue(-1), ItemValue("-1"), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a.SameKindAndContent(c.b), c.same) << c.a.TextValue() << " vs " << c.b.TextValue();
    EXPECT_EQ(c.b.SameKindAndContent(c.a), c.same);
  }
}

TEST(ItemValueComparison, OnlyTheNumberMinusOneIsNotObtained) {
  EXPECT_TRUE(ItemValue().IsNotObtained());
  EXPECT_TRUE(ItemValue(-1.0).IsNotObtained());
  EXPECT_FALSE(ItemValue("-1").IsNotObtained());
  EXPECT_FALSE(ItemValue(0).IsNotObtained());
  EXPECT_FALSE(ItemValue(std::string()).IsNotObtained());
}

}  // namespace
}  // namespace tessaro::testing
