// Tallora: the application object, the error window, the data module with the
// catalogues from the executable's folder, the main window with a new
// simulation, the splash (not waited for), then the event loop. Closing the
// main window ends the program, once it has offered to save what changed.

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <memory>

#include "forms/ErrorsForm.h"
#include "forms/SplashForm.h"
#include "platform/gui/ApplicationContext.h"
#include "platform/gui/Forms.h"
#include "storage/DataModule.h"
#include "tallora/app/TalloraContent.h"
#include "tallora/app/TalloraForm.h"
#include "tallora/data/GrovanaData.h"
#include "widgets/gbOutBar.h"

int main(int argc, char** argv) {
  TApplicationOptions options;
  options.title = TFormTallora::kProgramName;
  TApplicationContext context(argc, argv, options);
  QApplication::setWindowIcon(QIcon(":/icons/tallora.png"));
  LoadFormatSettingsFromLocale(QLocale::system());
  InitOutBarUnit();
  int code = 0;
  {
    TErrorWindow errors;
    TGrovana grovana(nullptr, TDataFolders{context.ExeDir(), context.WorkDir()},
                     TDataSeams{&context.Dialogs(), &errors, &context.Documents()});
    auto window = std::make_unique<TFormTallora>(grovana, TWindowSeams{context.Dialogs(), errors, context.Shell(),
                                                                       context.PrintService(), context.Documents(),
                                                                       context.ExeDir(), true});
    errors.SetMainWindow(window.get());
    window->show();
    context.Adopt(TFormSplash::ShowSplash(TalloraSplashContent()));
    code = context.Run();
    window.reset();
  }
  DoneOutBarUnit();
  return code;
}
