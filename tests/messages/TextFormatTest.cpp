#include "messages/TextFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {
namespace {

struct IntRow {
  const char* name;
  int value;
  std::string expected;
};

TEST(IntText, DecimalWithoutBlankOrZeros) {
  const std::vector<IntRow> rows = {
      {"zero is one digit, not empty", 0, "0"},
      {"largest 16-bit value", 32767, "32767"},
      {"three digits", 250, "250"},
      {"negative keeps its sign", -5, "-5"},
      {"smallest 16-bit value", -32768, "-32768"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IntText(row.value), row.expected) << row.name;
  }
}

struct HexRow {
  const char* name;
  int16_t value;
  std::string expected;
};

TEST(HexText, UpperCaseWithoutLeadingZeros) {
  const std::vector<HexRow> rows = {
      {"zero is one digit", 0, "0"},
      {"ten", 10, "A"},
      {"fifteen", 15, "F"},
      {"sixteen carries", 16, "10"},
      {"one byte", 255, "FF"},
      {"inner zeros kept", 4096, "1000"},
      {"largest positive", 32767, "7FFF"},
      {"minus one is 16-bit two's complement", -1, "FFFF"},
      {"smallest negative", -32768, "8000"},
      {"negative below FF00", -256, "FF00"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HexText(row.value), row.expected) << row.name;
  }
}

struct CharRow {
  const char* name;
  int code;
  std::string expected;
};

TEST(ControlCharName, NamesControlCodesAndPassesOtherBytes) {
  const std::vector<CharRow> rows = {
      {"NUL is spelled NULL", 0, "[NULL]"},
      {"start of text", 2, "[STX]"},
      {"line feed", 10, "[LF]"},
      {"carriage return", 13, "[CR]"},
      {"NAK is spelled NACK", 21, "[NACK]"},
      {"escape", 27, "[ESC]"},
      {"last control code", 31, "[US]"},
      {"blank is itself", 32, " "},
      {"letter", 65, "A"},
      {"tilde", 126, "~"},
      {"DEL is RUBOUT", 127, "[RUBOUT]"},
      {"high byte 128 is one byte", 128, std::string(1, '\x80')},
      {"sharp s byte", 0xDF, std::string(1, '\xDF')},
      {"top byte", 255, std::string(1, '\xFF')},
      {"below the byte range gives nothing", -1, ""},
      {"above the byte range gives nothing", 256, ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ControlCharName(row.code), row.expected) << row.name;
  }
}

TEST(ControlCharName, EveryControlCodeHasItsExactName) {
  const std::vector<std::string> names = {
      "[NULL]", "[SOH]", "[STX]", "[ETX]", "[EOT]", "[ENQ]",  "[ACK]", "[BEL]",
      "[BS]",   "[HT]",  "[LF]",  "[VT]",  "[FF]",  "[CR]",   "[SO]",  "[SI]",
      "[DLE]",  "[DC1]", "[DC2]", "[DC3]", "[DC4]", "[NACK]", "[SYN]", "[ETB]",
      "[CAN]",  "[EM]",  "[SUB]", "[ESC]", "[FS]",  "[GS]",   "[RS]",  "[US]",
  };
  for (int code = 0; code < 32; ++code) {
    EXPECT_EQ(ControlCharName(code), names[static_cast<size_t>(code)]) << "code " << code;
  }
  for (int code = 33; code < 256; ++code) {
    if (code != 127) {
      EXPECT_EQ(ControlCharName(code).size(), 1u) << "code " << code;
    }
  }
}

struct DigitRow {
  const char* name;
  std::string text;
  int16_t expected;
};

TEST(HexDigitValue, FirstCharacterOnly) {
  const std::vector<DigitRow> rows = {
      {"digit zero", "0", 0},
      {"digit nine", "9", 9},
      {"upper A", "A", 10},
      {"upper F", "F", 15},
      {"lower a", "a", 10},
      {"lower f", "f", 15},
      {"minus counts as F", "-", 15},
      {"G is no digit", "G", 0},
      {"lower g is no digit", "g", 0},
      {"blank", " ", 0},
      {"empty text", "", 0},
      {"only the first of 1A counts", "1A", 1},
      {"high byte", std::string(1, '\xC6'), 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HexDigitValue(row.text), row.expected) << row.name;
  }
}

TEST(HexDigitValue, ReadsBackEveryDigitOfHexText) {
  for (int16_t v = 0; v < 16; ++v) {
    EXPECT_EQ(HexDigitValue(HexText(v)), v);
  }
}

}  // namespace
}  // namespace tessaro
