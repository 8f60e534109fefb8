#include "platform/rtl/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a save replaces: a symbolic link is followed, so that the file it
// points to is written and the link stays.
std::string SaveTarget(const std::string& fileName) {
  std::error_code ec;
  if (std::filesystem::is_symlink(fileName, ec)) {
    const std::filesystem::path real = std::filesystem::canonical(fileName, ec);
    if (!ec) return real.string();
  }
  return fileName;
}

// The user may write the file, or it is not there yet.
int UserMayWrite(const std::string& fileName) {
  if (::faccessat(AT_FDCWD, fileName.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT) return 0;
  return errno;
}

SaveAccessCheck saveAccessCheck = &UserMayWrite;

[[noreturn]] void ThrowCreateError(const std::string& fileName, const std::string& failure, int err) {
  const std::string head = failure.empty() ? "Não foi possível criar o arquivo " + fileName : failure;
  throw EFCreateError(head + ": " + SystemErrorText(err));
}

}  // namespace

SaveAccessCheck SetSaveAccessCheck(SaveAccessCheck check) {
  const SaveAccessCheck old = saveAccessCheck;
  saveAccessCheck = check ? check : &UserMayWrite;
  return old;
}

void ReplaceFileContents(const std::string& fileName, std::string_view bytes, const std::string& failure) {
  const std::string target = SaveTarget(fileName);
  // Renaming over a file needs only the folder's permission; the file's own
  // says whether it may be replaced.
  if (const int err = saveAccessCheck(target)) ThrowCreateError(fileName, failure, err);

  // A new file of our own beside the target, never one of the user's.
  std::string temp = target + kTemporarySaveSuffix + "XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) ThrowCreateError(fileName, failure, errno);

  // A replaced file keeps its permissions; a new one gets the usual ones.
  struct stat old;
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }

  int err = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    ThrowCreateError(fileName, failure, err);
  }
}

std::string KeepFileCopy(const std::string& fileName, const std::string& suffix) {
  const int in = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) ThrowCreateError(fileName + suffix, {}, errno);
  std::string bytes;
  char buffer[65536];
  int err = 0;
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(in);
  if (err != 0) ThrowCreateError(fileName + suffix, {}, err);

  for (int k = 1;; ++k) {
    const std::string copy = fileName + suffix + (k == 1 ? std::string() : "-" + std::to_string(k));
    // Never over a file that is there already.
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) ThrowCreateError(copy, {}, errno);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
      ::unlink(copy.c_str());
      ThrowCreateError(copy, {}, err);
    }
    return copy;
  }
}
