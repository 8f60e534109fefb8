#pragma once
// The default data files the build writes beside the programs: each knows its
// bare name and how to write itself to a path.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct TDefaultFile {
  std::string Name;                               // "Produtos.dat"
  std::function<void(const std::string&)> Write;  // writes the file to a full path
};

// Writes every file into the folder, creating it when needed.
inline void WriteDefaultFiles(const std::string& folder, const std::vector<TDefaultFile>& files) {
  std::filesystem::create_directories(folder);
  for (const TDefaultFile& f : files) f.Write((std::filesystem::path(folder) / f.Name).string());
}
