#!/usr/bin/env bash
# Draws the logo and the cover-opening guide pictures into this folder and
# the program icon in its menu sizes into packaging/icons/, as PNG files
# (assets/source/DrawPictures.cpp), using the program icon's own drawing. Needs g++ and Qt's development files; run it after changing the
# drawings and keep the PNG files with the change.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046  # pkg-config prints several words on purpose
g++ -std=c++20 -O1 -Wall -Wextra -Werror -fPIC -I.. \
  source/DrawPictures.cpp ../ui/ProgramIcon.cpp -o "$work/draw-pictures" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/draw-pictures" . ../packaging/icons
echo "drew logo.png guide-1.png guide-2.png guide-3.png and packaging/icons/*/apps/tessaro-ip.png"
