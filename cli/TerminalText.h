#pragma once

#include <string>
#include <string_view>

namespace tessaro::cli {

// Windows-1252 text made safe for a UTF-8 terminal: control characters,
// which a unit's text could carry, become their bracketed names ("[ESC]"),
// and the five codes without a character (which would arrive as terminal
// control codes) become "?". Nothing the unit sends can steer the terminal.
std::string TerminalText(std::string_view cp1252);

}  // namespace tessaro::cli
