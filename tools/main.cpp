// Writes the default data files of both programs into the folder given as
// the one argument.

#include <exception>
#include <iostream>
#include <vector>

#include "tools/DefaultData.h"
#include "tools/DefaultDataQuorva.h"
#include "tools/DefaultFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_default_data <output folder>\n";
    return 2;
  }
  std::vector<TDefaultFile> files;
  AppendTalloraDefaultFiles(files);
  AppendQuorvaDefaultFiles(files);
  try {
    WriteDefaultFiles(argv[1], files);
  } catch (const std::exception& e) {
    std::cerr << "make_default_data: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
