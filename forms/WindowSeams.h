#pragma once
// What a main window reaches outside itself; main builds them and owns what
// they point at.

#include <string>

#include "forms/FrameSeams.h"

class IShell;
class TPrintService;

struct TWindowSeams {
  // What the window hands on to its frames.
  TFrameSeams Frames;
  IShell& Shell;
  TPrintService& PrintService;
  std::string ExeDir;
  // Closing the window ends the program.
  bool EndsProgram = false;
};
