#pragma once

// Whole files as byte strings, for setting up and checking what the program
// reads and writes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tessaro::testing {

// The file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the file's content with exactly these bytes.
inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tessaro::testing
