#pragma once

#include <QString>

namespace tessaro {

// Words of the program's own that the text table has no slot for, in the
// program's language (0 English, 1 Dutch, 2 German, 3 French; any other
// number gets English).

// What the communication frame says about the port.
enum class PortState { Steady, Lost, Back };

// Steady says nothing.
QString PortStateText(PortState state, int language);

enum class ResetWord { Button, Question };

QString ResetText(ResetWord word, int language);

}  // namespace tessaro
