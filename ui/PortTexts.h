#pragma once

#include <QString>

#include <cstdint>

namespace tessaro {

// Texts of the device picker and the program folder line. They exist only
// where ports have no COM names, so they stay out of the shared text table.
enum class PortText { Device, Standard, Absent, ProgramFolder };

// In the language of `taal` (0..3); English for any other value.
QString PortTextIn(PortText text, int16_t taal);

}  // namespace tessaro
