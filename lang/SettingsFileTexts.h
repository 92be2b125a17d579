#pragma once

#include <string_view>

namespace tessaro {

// What the program says when it refuses a unit settings file, in each
// language. The text table has no slots for these, so they live here. UTF-8;
// each holds the marks {file}, {line}, {item}, {value} and {items} where
// they apply.
struct SettingsFileTexts {
  std::string_view cannotOpen;
  std::string_view notASetting;
  std::string_view noSettings;
  std::string_view notAWholeNumber;
  std::string_view notOffered;
  std::string_view itemsMissing;
};

// The texts of a language (0 English, 1 Dutch, 2 German, 3 French; any other
// number gets English).
const SettingsFileTexts& SettingsFileTextsFor(int language);

}  // namespace tessaro
