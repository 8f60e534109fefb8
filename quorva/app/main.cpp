// Quorva: the application object, the error window, the project and
// catalogue data modules (the catalogues from the executable's folder), the
// main window with a new plan, the splash (not waited for), then the event
// loop. Closing the main window ends the program, once it has offered to save
// what changed.

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <memory>

#include "forms/ErrorsForm.h"
#include "forms/SplashForm.h"
#include "platform/gui/ApplicationContext.h"
#include "platform/gui/Forms.h"
#include "quorva/app/QuorvaContent.h"
#include "quorva/app/QuorvaForm.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "storage/DataModule.h"
#include "widgets/gbOutBar.h"

int main(int argc, char** argv) {
  TApplicationOptions options;
  options.title = TFormQuorva::kProgramName;
  TApplicationContext context(argc, argv, options);
  QApplication::setWindowIcon(QIcon(":/icons/quorva.png"));
  LoadFormatSettingsFromLocale(QLocale::system());
  InitOutBarUnit();
  int code = 0;
  {
    const TDataFolders folders{context.ExeDir(), context.WorkDir()};
    TErrorWindow errors;
    const TDataSeams seams{&context.Dialogs(), &errors, &context.Documents()};
    TMarquel marquel(nullptr, folders, seams);
    TCatalog catalog(nullptr, folders, seams);
    auto window = std::make_unique<TFormQuorva>(marquel, catalog,
                                                TWindowSeams{context.Dialogs(), errors, context.Shell(),
                                                             context.PrintService(), context.Documents(),
                                                             context.ExeDir(), true});
    errors.SetMainWindow(window.get());
    window->show();
    context.Adopt(TFormSplash::ShowSplash(QuorvaSplashContent()));
    code = context.Run();
    window.reset();
  }
  DoneOutBarUnit();
  return code;
}
