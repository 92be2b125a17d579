#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// A value made fit for one line of a settings file: each CR, LF or CR LF in it
// becomes one blank, so that the value can never split into two records (the
// second of which the reader would take as another setting).
std::string OneLineValue(std::string_view value);

// Appends one record and its CR LF line end.
void AppendSettingsLine(std::string& content, std::string_view line);

}  // namespace tessaro
