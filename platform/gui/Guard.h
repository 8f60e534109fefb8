#pragma once
// No exception crosses a Qt frame: every Qt entry point of the layer (event
// handlers, timer events, action slots, the input hub) runs its work inside
// Guard. An EAbort stops the operation silently; anything else goes to
// Application::HandleException (a message box in the programs, a recorder in
// the tests) and the event loop goes on.

#include <utility>

#include "platform/rtl/Exceptions.h"

// Passes the exception being handled to Application::HandleException; never
// throws. Call inside a catch block.
void HandleGuardedException() noexcept;

template <class F>
void Guard(F&& work) noexcept {
  try {
    std::forward<F>(work)();
  } catch (const EAbort&) {
  } catch (...) {
    HandleGuardedException();
  }
}
