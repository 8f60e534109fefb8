#include "storage/KnownFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  if (fs::path(a).lexically_normal() == fs::path(b).lexically_normal()) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

// Whether the file at path holds exactly bytes; for none, whether there is
// no file. A file that cannot be read holds something else.
bool Holds(const std::string& path, const std::optional<std::string>& bytes) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!bytes) return status.type() == fs::file_type::not_found;
  if (!fs::is_regular_file(status) || fs::file_size(path, ec) != bytes->size() || ec) return false;
  std::ifstream in(path, std::ios::binary);
  std::string now(bytes->size(), '\0');
  in.read(now.data(), static_cast<std::streamsize>(now.size()));
  return in.gcount() == static_cast<std::streamsize>(now.size()) && in.peek() == std::ifstream::traits_type::eof() &&
         now == *bytes;
}

}  // namespace

void TKnownFile::Keep(const std::string& path, std::string bytes) {
  path_ = path;
  bytes_ = std::move(bytes);
}

void TKnownFile::KeepMissing(const std::string& path) {
  path_ = path;
  bytes_.reset();
}

void TKnownFile::Forget() {
  path_.clear();
  bytes_.reset();
}

bool TKnownFile::MayWrite(const std::string& path, IDialogs& dialogs) const {
  if (path_.empty() || !SameFile(path, path_) || Holds(path_, bytes_)) return true;
  return dialogs.AskYesNoCancel(kMsgChangedOutside1 + path + kMsgChangedOutside2) == TMsgDlgBtn::Yes;
}
