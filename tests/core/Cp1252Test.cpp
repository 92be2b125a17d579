#include <gtest/gtest.h>

#include "core/Cp1252.h"

namespace tessaro {
namespace {

TEST(Cp1252, ConvertsTheLanguagesCharacters) {
  EXPECT_EQ(Utf8ToCp1252("Schließen"), "Schlie\xDF" "en");
  EXPECT_EQ(Utf8ToCp1252("Paramètres"), "Param\xE8tres");
  EXPECT_EQ(Utf8ToCp1252("d'œuvre"), "d'\x9Cuvre");
  EXPECT_EQ(Utf8ToCp1252("€"), "\x80");
  EXPECT_EQ(Cp1252ToUtf8("\xC9tendue"), "Étendue");
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, MalformedOrUnmappableInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");          // cut-off sequence
  EXPECT_EQ(Utf8ToCp1252("\xFF" "b"), "?b");        // invalid lead byte
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82" "c"), "??c");   // sequence broken by a plain byte
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");     // CJK has no code
}

}  // namespace
}  // namespace tessaro
