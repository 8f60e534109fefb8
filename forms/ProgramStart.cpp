#include "forms/ProgramStart.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "forms/SplashForm.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtTypes.h"
#include "widgets/gbOutBar.h"

TProgramStart::Settings::Settings(const std::string& icon) {
  QApplication::setWindowIcon(QIcon(ToQString(icon)));
  LoadFormatSettingsFromLocale(QLocale::system());
  InitOutBarUnit();
}

TProgramStart::Settings::~Settings() {
  DoneOutBarUnit();
}

TProgramStart::TProgramStart(int& argc, char** argv, const TProgramOptions& options)
    : context_(argc, argv, {.title = options.title, .exeDir = {}, .workDir = {}}), settings_(options.icon) {}

TDataFolders TProgramStart::Folders() const {
  return {.ExeDir = context_.ExeDir(), .WorkDir = context_.WorkDir()};
}

TDataSeams TProgramStart::DataSeams() {
  return {.Dialogs = context_.Dialogs(), .ErrorPresenter = errors_};
}

TWindowSeams TProgramStart::WindowSeams() {
  return {.Frames = {.Dialogs = context_.Dialogs(), .ErrorPresenter = errors_, .Documents = context_.Documents()},
          .Shell = context_.Shell(),
          .PrintService = context_.PrintService(),
          .ExeDir = context_.ExeDir(),
          .EndsProgram = true};
}

int TProgramStart::Run(QWidget& window, const TSplashContent& splash) {
  errors_.SetMainWindow(&window);
  window.show();
  context_.Adopt(TFormSplash::ShowSplash(splash));
  return context_.Run();
}
