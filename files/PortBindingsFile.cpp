#include "files/PortBindingsFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/Cp1252.h"
#include "files/SafeFileWriter.h"
#include "files/SettingsLineFormat.h"
#include "messages/TextFormat.h"

namespace tessaro {
namespace {

// The port number's field and the name's, as the program settings file lines them up.
constexpr std::size_t NumberField = 3;
constexpr std::size_t NameField = 16;
// Room for the number, the name and the arrow in front of a device.
constexpr std::size_t LongestLine = LongestBoundDevice + 64;

std::string PaddedLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string LineProblem(std::size_t lineNumber, const std::string& what) {
  return "line " + std::to_string(lineNumber) + ": " + what;
}

// Why one line of the file is not a binding; empty when it is one.
std::string ParseLine(std::string_view line, PortBindings& bindings) {
  if (line.size() > LongestLine) return "longer than " + std::to_string(LongestLine) + " characters";
  const auto arrow = line.find("->");
  if (arrow == std::string_view::npos) return "no \"->\"";
  std::string_view head = line.substr(0, arrow);
  while (!head.empty() && IsBlank(head.front())) head.remove_prefix(1);
  int port = 0;
  const auto [stop, error] = std::from_chars(head.data(), head.data() + head.size(), port);
  if (error != std::errc() || stop == head.data() || port < 1 || port > HighestComPort) {
    return "no COM port number 1.." + std::to_string(HighestComPort) + " at its start";
  }
  if (bindings.count(port) != 0) return "Com" + std::to_string(port) + " is bound twice";
  const std::string device = Cp1252ToUtf8(line.substr(arrow + 2));
  if (const std::string problem = BindableDeviceProblem(device); !problem.empty()) return problem;
  bindings[port] = device;
  return {};
}

}  // namespace

std::string BindableDeviceProblem(const std::string& device) {
  if (device.empty()) return "no device after \"->\"";
  if (device.size() > LongestBoundDevice) {
    return "a device path longer than " + std::to_string(LongestBoundDevice) + " characters";
  }
  if (device.front() != '/') return "the device \"" + device + "\" is not an absolute path";
  if (std::any_of(device.begin(), device.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
    return "a control character in the device path";
  }
  if (Cp1252ToUtf8(Utf8ToCp1252(device)) != device) return "the device \"" + device + "\" has a character the file cannot hold";
  return {};
}

std::string PortBindingsContent(const PortBindings& bindings) {
  std::string content;
  for (const auto& [port, device] : bindings) {
    const std::string name = "Com" + IntText(port);
    AppendSettingsLine(content, PaddedLeft(IntText(port), NumberField) + PaddedLeft(name, NameField) + " ->" +
                                    OneLineValue(Utf8ToCp1252(device)));
  }
  return content;
}

PortBindingsRead ParsePortBindings(std::string_view content) {
  PortBindingsRead read;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < content.size()) {
    auto end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view line = content.substr(start, end - start);
    ++lineNumber;
    if (!std::all_of(line.begin(), line.end(), IsBlank)) {
      if (std::string problem = ParseLine(line, read.bindings); !problem.empty()) {
        return {{}, LineProblem(lineNumber, problem)};
      }
    }
    // CR LF is one line end; a lone CR or LF is one too.
    start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return read;
}

std::filesystem::path PortBindingsPath(const std::filesystem::path& programFolder) {
  return programFolder / PortBindingsFileName;
}

PortBindingsRead ReadPortBindings(const std::filesystem::path& programFolder) {
  const std::filesystem::path path = PortBindingsPath(programFolder);
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return {};
  const auto named = [&path](const std::string& what) {
    return PortBindingsRead{{}, "the port bindings file " + path.string() + ": " + what};
  };
  if (!std::filesystem::is_regular_file(status)) return named("not a file");
  const auto size = std::filesystem::file_size(path, error);
  if (error) return named("cannot be read");
  if (size > LargestBindingsFile) return named("larger than " + std::to_string(LargestBindingsFile) + " bytes");
  std::ifstream in(path, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return named("cannot be read");
  PortBindingsRead read = ParsePortBindings(content);
  if (!read.problem.empty()) return named(read.problem);
  return read;
}

bool WritePortBindings(const std::filesystem::path& programFolder, const PortBindings& bindings) {
  for (const auto& [port, device] : bindings) {
    if (port < 1 || port > HighestComPort || !BindableDeviceProblem(device).empty()) return false;
  }
  return WriteFileSafely(PortBindingsPath(programFolder), PortBindingsContent(bindings));
}

}  // namespace tessaro
