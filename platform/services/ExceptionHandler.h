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
