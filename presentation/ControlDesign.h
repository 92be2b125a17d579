#pragma once

namespace tessaro::control_design {

// The main window's setting control arrays as designed: how many members
// some have, which members exist and which are visible before start-up
// touches them. The window and the in-memory controls are both built from
// this, so the settings routines see the same arrays in either.

inline constexpr int CharLegendCount = 79;
inline constexpr int TekstLegendCount = 83;
inline constexpr int ItemButtonCount = 66;

bool ComboPresent(int index);
bool ComboShownAtLoad(int index);
bool CharInputPresent(int index);
bool CharLegendShownAtLoad(int index);
bool ItemButtonShownAtLoad(int index);
bool TekstLegendPresent(int index);
bool IntLegendPresent(int index);

}  // namespace tessaro::control_design
