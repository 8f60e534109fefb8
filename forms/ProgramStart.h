#pragma once
// What both programs' main does around their own data modules and main
// window: the application object with the program's title and window icon,
// the number formats of the system, the out bar unit and the error window;
// then the main window shown, the splash (not waited for) and the event
// loop. Main makes it first, then its data modules and main window, so that
// those go first at the end.

#include <QWidget>
#include <string>

#include "forms/ErrorsForm.h"
#include "forms/MainWindow.h"
#include "forms/ProgramContent.h"
#include "platform/gui/ApplicationContext.h"
#include "storage/DataModule.h"

struct TProgramOptions {
  // The program's name: the application's and the message boxes' title.
  std::string title;
  // A resource path of the windows' icon.
  std::string icon;
};

class TProgramStart {
public:
  TProgramStart(int& argc, char** argv, const TProgramOptions& options);
  TProgramStart(const TProgramStart&) = delete;
  TProgramStart& operator=(const TProgramStart&) = delete;

  // The catalogues beside the executable, documents in the working folder.
  TDataFolders Folders() const;
  // The dialogs and the error window.
  TDataSeams DataSeams();
  // The main window's seams; closing it ends the program.
  TWindowSeams WindowSeams();

  // Shows the main window, which the error window then stays above, and the
  // splash; returns the program's exit code when the event loop ends.
  int Run(QWidget& window, const TSplashContent& splash);

private:
  // The icon and number formats set, the out bar unit started; it is done
  // when this goes.
  struct Settings {
    explicit Settings(const std::string& icon);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;
  };

  TApplicationContext context_;
  Settings settings_;
  TErrorWindow errors_;
};
