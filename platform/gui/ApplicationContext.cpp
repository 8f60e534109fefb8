#include "platform/gui/ApplicationContext.h"

#include <QDir>
#include <QLibraryInfo>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtTypes.h"
#include "platform/gui/Shell.h"
#include "platform/rtl/Exceptions.h"

TApplicationContext::TApplicationContext(int& argc, char** argv, TApplicationOptions options)
    : ownApp_(std::make_unique<TGuardedApplication>(argc, argv)), options_(std::move(options)) {
  // Qt's file, print and message dialogs speak the programs' language; without
  // the translation installed they stay in English.
  translator_ = std::make_unique<QTranslator>();
  if (translator_->load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator_.get());
  Init();
}

TApplicationContext::TApplicationContext(TApplicationOptions options) : options_(std::move(options)) {
  Init();
}

void TApplicationContext::Init() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw Exception("The application context needs a QApplication");
  if (options_.exeDir.empty()) options_.exeDir = FromQString(QCoreApplication::applicationDirPath());
  if (options_.workDir.empty()) options_.workDir = FromQString(QDir::currentPath());
  // The name, not the display name: Qt would append a display name to every
  // window's caption ("Tallora - Nova Simulação — Tallora").
  savedName_ = QCoreApplication::applicationName();
  if (!options_.title.empty()) QCoreApplication::setApplicationName(ToQString(options_.title));

  documents_ = std::make_unique<TDocumentFolder>(options_.workDir);
  if (options_.dialogs) {
    dialogs_ = options_.dialogs;
  } else {
    ownDialogs_ = std::make_unique<TQtDialogs>(
        [this](QWidget* parent) { return printService_->RunSetupDialog(parent); }, options_.title);
    dialogs_ = ownDialogs_.get();
  }
  printService_ = std::make_unique<TPrintService>(*dialogs_, *documents_);
  if (options_.shell) {
    shell_ = options_.shell;
  } else {
    ownShell_ = std::make_unique<TQtShell>([this] { return options_.exeDir; }, [this] { return options_.workDir; });
    shell_ = ownShell_.get();
  }

  handler_ = std::make_unique<TDialogExceptionHandler>(*dialogs_);
}

TApplicationContext::~TApplicationContext() {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) delete it->data();
  windows_.clear();
  handler_.reset();
  ownShell_.reset();
  printService_.reset();
  ownDialogs_.reset();
  QCoreApplication::setApplicationName(savedName_);
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
  ownApp_.reset();
}

int TApplicationContext::Run() {
  return QApplication::exec();
}
