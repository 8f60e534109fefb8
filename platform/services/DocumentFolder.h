#pragma once
// Where the dialogs of documents (a simulation, a plan, a report, a print to
// a file) start: the folder of the last document opened or saved in this
// run, else the working folder.

#include <string>
#include <utility>

class TDocumentFolder {
public:
  // Empty: the process's current folder at each call.
  explicit TDocumentFolder(std::string workDir = {}) : workDir_(std::move(workDir)) {}

  std::string Folder() const;
  // A document was opened from or saved to path.
  void Remember(const std::string& path);

private:
  std::string workDir_;
  std::string last_;
};
