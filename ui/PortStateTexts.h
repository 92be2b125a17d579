#pragma once

#include <QString>

namespace tessaro {

// What the communication frame says about the port.
enum class PortState { Steady, Lost, Back };

// The frame's words for a port state in the program's language (0 English,
// 1 Dutch, 2 German, 3 French; any other number gets English). The text
// table has no slot for them, so they live here. Steady says nothing.
QString PortStateText(PortState state, int language);

}  // namespace tessaro
