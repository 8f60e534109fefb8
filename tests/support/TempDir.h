#pragma once
// Scratch folders and whole-file reads and writes for tests.

#include <cstddef>
#include <filesystem>
#include <string>

// A new folder under the system's temporary folder, removed with its
// contents when it goes (also when a test took its write permission).
class TempDir {
public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& Path() const { return path_; }
  std::string Dir() const { return path_.string(); }
  // The path of a name inside the folder.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  // A subfolder, created when missing.
  std::filesystem::path Sub(const std::string& name) const;

private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
// Writes `to` with the bytes of `from` less its last `cut` bytes (`to` may be `from`).
void WriteTruncated(const std::filesystem::path& from, const std::filesystem::path& to, std::size_t cut);
