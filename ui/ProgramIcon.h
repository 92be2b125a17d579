#pragma once

#include <QIcon>
#include <QPixmap>

namespace tessaro {

// The program icon, drawn here so that it needs no image file: a pager with
// radio waves on a blue tile.
QPixmap ProgramIconPixmap(int size);
inline constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QIcon ProgramIcon();

}  // namespace tessaro
