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

NewFileWrite WriteSafely(const std::filesystem::path& target, std::string_view content, bool replace) {
  // A read-only file is one the user wants kept, as Windows' own programs do.
  // Windows' MoveFileExW refuses it as well, but Wine's does not.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return replace ? NewFileWrite::Failed : NewFileWrite::Exists;
  }

  std::filesystem::path temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = TemporaryPath(target, GetCurrentProcessId(), attempt);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return NewFileWrite::Failed;

  bool ok = WriteAll(file, content) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  // Without MOVEFILE_REPLACE_EXISTING the move refuses a target that exists.
  const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH : MOVEFILE_WRITE_THROUGH;
  const bool moved = ok && MoveFileExW(temporary.c_str(), target.c_str(), flags);
  const DWORD moveError = moved ? ERROR_SUCCESS : GetLastError();
  if (moved) return NewFileWrite::Written;
  DeleteFileW(temporary.c_str());
  if (ok && (moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS)) return NewFileWrite::Exists;
  return NewFileWrite::Failed;
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

// Puts the finished temporary file in place of `target`, or beside nothing:
// a hard link fails on an existing target where a rename would replace it.
NewFileWrite PlaceNew(const std::filesystem::path& temporary, const std::filesystem::path& target) {
  if (::link(temporary.c_str(), target.c_str()) == 0) {
    ::unlink(temporary.c_str());
    return NewFileWrite::Written;
  }
  if (errno == EEXIST) return NewFileWrite::Exists;
  // A file system without hard links: the test and the rename are two steps.
  struct stat existing {};
  if (::lstat(target.c_str(), &existing) == 0) return NewFileWrite::Exists;
  return ::rename(temporary.c_str(), target.c_str()) == 0 ? NewFileWrite::Written : NewFileWrite::Failed;
}

NewFileWrite WriteSafely(const std::filesystem::path& target, std::string_view content, bool replace) {
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
    temporary = TemporaryPath(target, static_cast<unsigned long>(::getpid()), attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) break;
  }
  if (fd < 0) return NewFileWrite::Failed;

  if (replace) CopyPermissions(target, fd);
  bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  NewFileWrite result = NewFileWrite::Failed;
  if (ok && replace) {
    result = ::rename(temporary.c_str(), target.c_str()) == 0 ? NewFileWrite::Written : NewFileWrite::Failed;
  } else if (ok) {
    result = PlaceNew(temporary, target);
  }
  if (result != NewFileWrite::Written) {
    ::unlink(temporary.c_str());
    return result;
  }
  SyncFolder(target);
  return result;
}

#endif

}  // namespace

bool WriteFileSafely(const std::filesystem::path& target, std::string_view content) {
  return WriteSafely(target, content, true) == NewFileWrite::Written;
}

NewFileWrite WriteNewFileSafely(const std::filesystem::path& target, std::string_view content) {
  return WriteSafely(target, content, false);
}

}  // namespace tessaro
