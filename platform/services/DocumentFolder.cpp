#include "platform/services/DocumentFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string TDocumentFolder::Folder() const {
  if (!last_.empty()) return last_;
  if (!workDir_.empty()) return workDir_;
  std::error_code ec;
  return fs::current_path(ec).string();
}

void TDocumentFolder::Remember(const std::string& path) {
  if (path.empty()) return;
  std::error_code ec;
  const fs::path full = fs::absolute(path, ec);
  if (!ec) last_ = full.parent_path().string();
}
