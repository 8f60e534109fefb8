// Quorva: the application object, the error window, the project and
// catalogue data modules (the catalogues from the executable's folder), the
// main window with a new plan, the splash (not waited for), then the event
// loop. Closing the main window ends the program, once it has offered to save
// what changed.

#include "forms/ProgramStart.h"
#include "quorva/app/QuorvaContent.h"
#include "quorva/app/QuorvaForm.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"

int main(int argc, char** argv) {
  TProgramStart program(argc, argv, {.title = TFormQuorva::kProgramName, .icon = ":/icons/quorva.png"});
  TMarquel marquel(nullptr, program.Folders(), program.DataSeams().Dialogs);
  TCatalog catalog(nullptr, program.Folders(), program.DataSeams());
  TFormQuorva window(marquel, catalog, program.WindowSeams());
  return program.Run(window, QuorvaSplashContent());
}
