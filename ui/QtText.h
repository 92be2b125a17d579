#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace tessaro {

// The program's texts are Windows-1252 bytes; Qt speaks Unicode. These are
// the only crossings between the two.
QString ToQString(const std::string& cp1252);
std::string FromQString(const QString& text);

// File names as the platform spells them (not Windows-1252).
std::filesystem::path PathFromQString(const QString& name);
QString QStringFromPath(const std::filesystem::path& path);

// A caption for a button, menu entry, tab or frame: a literal "&" stays an
// ampersand instead of marking a shortcut key.
QString CaptionText(const std::string& cp1252);

}  // namespace tessaro
