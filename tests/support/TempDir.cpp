#include "tests/support/TempDir.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempDir::TempDir() {
  static int counter = 0;
  path_ = fs::temp_directory_path() / ("tq-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

fs::path TempDir::Sub(const std::string& name) const {
  const fs::path sub = path_ / name;
  fs::create_directories(sub);
  return sub;
}

std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void WriteTruncated(const fs::path& from, const fs::path& to, std::size_t cut) {
  const std::string bytes = ReadFileBytes(from);
  WriteFileBytes(to, bytes.substr(0, bytes.size() > cut ? bytes.size() - cut : 0));
}
