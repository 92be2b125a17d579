#include "files/SafeFileWriter.h"

#include <algorithm>
#include <cstddef>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessaro {

namespace {

// Large writes go in slices that every platform call accepts in one piece.
constexpr std::size_t WriteSlice = std::size_t{1} << 20;
constexpr int TemporaryNameAttempts = 100;

std::filesystem::path TemporaryPath(const std::filesystem::path& target, unsigned long processId,
                                    int attempt) {
  std::filesystem::path temporary = target;
  temporary += "." + std::to_string(processId) + "-" + std::to_string(attempt) + ".tmp";
  return temporary;
}

}  // namespace

#ifdef _WIN32

namespace {

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD slice = static_cast<DWORD>(std::min(content.size(), WriteSlice));
    DWORD written = 0;
    // Anything less than the whole slice means the disk is full: give up.
    if (!WriteFile(file, content.data(), slice, &written, nullptr) || written != slice) {
      return false;
    }
    content.remove_prefix(slice);
  }
  return true;
}

}  // namespace

bool WriteFileSafely(const std::filesystem::path& target, std::string_view content) {
  // A read-only file is one the user wants kept, as Windows' own programs do.
  // Windows' MoveFileExW refuses it as well, but Wine's does not.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;

  std::filesystem::path temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = TemporaryPath(target, GetCurrentProcessId(), attempt);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return false;

  bool ok = WriteAll(file, content) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

#else

namespace {

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const std::size_t slice = std::min(content.size(), WriteSlice);
    const ssize_t written = ::write(fd, content.data(), slice);
    if (written < 0 && errno == EINTR) continue;
    // Anything less than the whole slice means the disk is full: give up.
    if (written < 0 || static_cast<std::size_t>(written) != slice) return false;
    content.remove_prefix(slice);
  }
  return true;
}

// The new file takes over the permissions of the one it replaces.
void CopyPermissions(const std::filesystem::path& target, int fd) {
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    (void)::fchmod(fd, old.st_mode & 07777);
  }
}

// Makes the rename itself durable; a folder that cannot be synced is no failure.
void SyncFolder(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileSafely(const std::filesystem::path& target, std::string_view content) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = TemporaryPath(target, static_cast<unsigned long>(::getpid()), attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) break;
  }
  if (fd < 0) return false;

  CopyPermissions(target, fd);
  bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

#endif

}  // namespace tessaro
