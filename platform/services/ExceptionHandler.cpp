#include "platform/services/ExceptionHandler.h"

#include <utility>

#include "platform/rtl/Exceptions.h"

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
