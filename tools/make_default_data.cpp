// Writes the default data files into the folder given as the one argument.
// Quorva's files join when tools/DefaultDataQuorva.cpp defines
// AppendQuorvaDefaultFiles (declared in tools/DefaultDataQuorva.h).

#include <exception>
#include <iostream>
#include <vector>

#include "tools/DefaultData.h"
#include "tools/DefaultFiles.h"
#ifdef TQ_QUORVA_DEFAULTS
#include "tools/DefaultDataQuorva.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_default_data <output folder>\n";
    return 2;
  }
  std::vector<TDefaultFile> files;
  AppendTalloraDefaultFiles(files);
#ifdef TQ_QUORVA_DEFAULTS
  AppendQuorvaDefaultFiles(files);
#endif
  try {
    WriteDefaultFiles(argv[1], files);
  } catch (const std::exception& e) {
    std::cerr << "make_default_data: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
