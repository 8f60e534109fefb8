#include "storage/PersistUnit.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"

namespace {

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

bool StoredClassMatches(const std::string& head, const std::string& className) {
  return head.size() >= 5 + className.size() && head.compare(5, className.size(), className) == 0;
}

// What a file of another class is not: "um arquivo de simulação".
std::string NotAFileOf(const TComponent& root) {
  const auto* fileRoot = dynamic_cast<const TFileRoot*>(&root);
  const std::string kind = fileRoot ? fileRoot->KindName() : "";
  return kind.empty() ? "\": não é um arquivo do tipo esperado." : "\": não é um arquivo de " + kind + ".";
}

}  // namespace

std::string SaveComponent(const std::string& fileName, const TComponent& root) {
  std::string image = WriteComponentImage(root);
  ReplaceFileContents(fileName, image);
  return image;
}

std::string SaveComponentAs(const std::string& fileName, TFileRoot& root) {
  const std::string old = root.Filename();
  root.SetFilename(ExtractFileName(fileName));
  try {
    return SaveComponent(fileName, root);
  } catch (...) {
    root.SetFilename(old);
    throw;
  }
}

void CheckStoredClass(const std::string& fileName, const std::string& className) {
  if (!StoredClassMatches(ReadFile(fileName, 5 + className.size()), className))
    throw Exception(kMsgWrongStoredClass + className);
}

std::string LoadComponent(const std::string& fileName, TComponent& root) {
  const std::string className = root.ClassName();
  const std::string head = ReadFile(fileName, 5 + className.size());
  if (!StoredClassMatches(head, className)) {
    // The cut beginning of a file of this class is a damaged one.
    const std::string start = std::string(kFilerSignature) + static_cast<char>(className.size()) + className;
    const std::string why = start.starts_with(head) ? kMsgDamagedFile2 : NotAFileOf(root);
    throw Exception(kMsgDamagedFile1 + ExtractFileName(fileName) + why + "\n" + kMsgWrongStoredClass + className);
  }
  std::string image = ReadFile(fileName, std::string::npos);
  try {
    if (ReadComponentImage(image, root) != image.size()) throw EReadError(kMsgDataAfterEnd);
  } catch (const EReadError& e) {
    throw EReadError(kMsgDamagedFile1 + ExtractFileName(fileName) + kMsgDamagedFile2 + "\n" +
                     PrintableText(e.Message()));
  }
  return image;
}

// ---- Roots ----

const ClassInfo& TFileRoot::StaticClass() {
  static const auto ci = ClassBuilder<TFileRoot>("TFileRoot", &TComponent::StaticClass())
                             .String("Filename", &TFileRoot::Filename, &TFileRoot::SetFilename)
                             .Build();
  return *ci;
}
