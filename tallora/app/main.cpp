// Tallora: the application object, the error window, the data module with the
// catalogues from the executable's folder, the main window with a new
// simulation, the splash (not waited for), then the event loop. Closing the
// main window ends the program, once it has offered to save what changed.

#include "forms/ProgramStart.h"
#include "tallora/app/TalloraContent.h"
#include "tallora/app/TalloraForm.h"
#include "tallora/data/GrovanaData.h"

int main(int argc, char** argv) {
  TProgramStart program(argc, argv, {.title = TFormTallora::kProgramName, .icon = ":/icons/tallora.png"});
  TGrovana grovana(nullptr, program.Folders(), program.DataSeams());
  TFormTallora window(grovana, program.WindowSeams());
  return program.Run(window, TalloraSplashContent());
}
