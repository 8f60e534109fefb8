#include "platform/services/ExceptionHandler.h"

#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/services/Services.h"

namespace {

TExceptionHandler& Handler() {
  static TExceptionHandler handler;
  return handler;
}

}  // namespace

void SetApplicationExceptionHandler(TExceptionHandler handler) {
  Handler() = std::move(handler);
}

TExceptionHandler ApplicationExceptionHandler() {
  return Handler();
}

void ApplicationHandleException() {
  if (Handler()) {
    Handler()();
    return;
  }
  try {
    throw;
  } catch (const EAbort&) {
  }
}

TDialogExceptionHandler::TDialogExceptionHandler(IDialogs& dialogs) : saved_(ApplicationExceptionHandler()) {
  SetApplicationExceptionHandler([&dialogs]() noexcept {
    try {
      try {
        throw;
      } catch (const EAbort&) {
      } catch (const std::exception& e) {
        dialogs.Error(e.what());
      } catch (...) {
        dialogs.Error("Erro desconhecido.");
      }
    } catch (...) {
      // A failing message box must not take the program down.
    }
  });
}

TDialogExceptionHandler::~TDialogExceptionHandler() {
  SetApplicationExceptionHandler(std::move(saved_));
}
