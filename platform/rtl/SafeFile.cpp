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

// Links followed before a save gives up, as the kernel does.
constexpr int kMaxLinkHops = 40;

// The file a save writes: symbolic links are followed, one that points
// nowhere too, so that the file named is replaced or created and the links
// stay. A relative target counts from the link's folder. 0, or ELOOP when
// the chain does not end.
int SaveTarget(const std::string& fileName, std::string& target) {
  namespace fs = std::filesystem;
  fs::path path = fileName;
  for (int hops = 0;; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) break;
    if (hops == kMaxLinkHops) return ELOOP;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return ec.value();
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  target = path.string();
  return 0;
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
  std::string target;
  if (const int err = SaveTarget(fileName, target)) ThrowCreateError(fileName, failure, err);
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
