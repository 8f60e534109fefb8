#include "storage/PersistUnit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Control characters (of a name read from a damaged file) become "?".
std::string Printable(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  char32_t cp = 0;
  while (pos < text.size()) {
    if (!Utf8Next(text, pos, cp) || (cp < 0x20 && cp != '\n') || (cp >= 0x7F && cp < 0xA0) || cp == 0xFFFD)
      out += '?';
    else
      Utf8Append(out, cp);
  }
  return out;
}

[[noreturn]] void ThrowCreateError(const std::string& fileName, int err) {
  throw EFCreateError("Não foi possível criar o arquivo " + fileName + ": " + SystemErrorText(err));
}

std::ifstream OpenForReading(const std::string& fileName) {
  std::error_code ec;
  if (std::filesystem::is_directory(fileName, ec))
    throw EFOpenError("Não foi possível abrir o arquivo " + fileName + ": " + SystemErrorText(EISDIR));
  errno = 0;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    const int err = errno;
    if (err == ENOENT || err == 0 || !std::filesystem::exists(fileName, ec))
      throw EFOpenError("Arquivo não encontrado: " + fileName);
    throw EFOpenError("Não foi possível abrir o arquivo " + fileName + ": " + SystemErrorText(err));
  }
  return in;
}

// Up to `limit` bytes from the start of the file.
std::string ReadFile(const std::string& fileName, std::size_t limit) {
  std::ifstream in = OpenForReading(fileName);
  std::string data;
  char buffer[65536];
  while (data.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - data.size());
    in.read(buffer, static_cast<std::streamsize>(want));
    data.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) throw EReadError("Não foi possível ler o arquivo " + fileName);
  return data;
}

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

}  // namespace

void SaveComponent(const std::string& fileName, const TComponent& root) {
  const std::string image = WriteComponentImage(root);
  const std::string target = SaveTarget(fileName);

  // A new file of our own beside the target, never one of the user's.
  std::string temp = target + kTemporarySaveSuffix + "XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) ThrowCreateError(fileName, errno);

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
  if (!WriteAll(fd, image) || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    ThrowCreateError(fileName, err);
  }
}

void SaveComponentAs(const std::string& fileName, TFileRoot& root) {
  const std::string old = root.Filename();
  root.SetFilename(ExtractFileName(fileName));
  try {
    SaveComponent(fileName, root);
  } catch (...) {
    root.SetFilename(old);
    throw;
  }
}

void CheckStoredClass(const std::string& fileName, const std::string& className) {
  const std::string head = ReadFile(fileName, 5 + className.size());
  if (head.size() < 5 + className.size() || head.compare(5, className.size(), className) != 0)
    throw Exception(kMsgWrongStoredClass + className);
}

void LoadComponent(const std::string& fileName, TComponent& root) {
  CheckStoredClass(fileName, root.ClassName());
  const std::string image = ReadFile(fileName, std::string::npos);
  try {
    ReadComponentImage(image, root);
  } catch (const EReadError& e) {
    throw EReadError(kMsgDamagedFile1 + ExtractFileName(fileName) + kMsgDamagedFile2 + "\n" + Printable(e.Message()));
  }
}

// ---- Roots ----

const ClassInfo& TFileRoot::StaticClass() {
  static const auto ci = ClassBuilder<TFileRoot>("TFileRoot", &TComponent::StaticClass())
                             .String("Filename", &TFileRoot::Filename, &TFileRoot::SetFilename)
                             .Build();
  return *ci;
}
