#pragma once
// The application's handler of exceptions that reach an entry point of the
// program (a dataset operation, a window event) and stop there.

#include <functional>

// Runs inside a catch block, so std::current_exception() names the exception.
using TExceptionHandler = std::function<void()>;
void SetApplicationExceptionHandler(TExceptionHandler handler);
// The handler set now (empty when none).
TExceptionHandler ApplicationExceptionHandler();
// Passes the exception being handled to the handler; without one, an EAbort
// is dropped and anything else is thrown again. Call inside a catch block.
void ApplicationHandleException();

class IDialogs;

// While it lives, the application's handler shows the message of each
// exception in an error box of the dialogs ("Erro desconhecido." when it has
// none); an EAbort stays silent. The handler before comes back afterwards.
class TDialogExceptionHandler {
public:
  explicit TDialogExceptionHandler(IDialogs& dialogs);
  ~TDialogExceptionHandler();
  TDialogExceptionHandler(const TDialogExceptionHandler&) = delete;
  TDialogExceptionHandler& operator=(const TDialogExceptionHandler&) = delete;

private:
  TExceptionHandler saved_;
};
