// Error routines and the cursor loader of the widget set.

#include "platform/gui/Resources.h"
#include "platform/rtl/Exceptions.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutConst.h"

void RaiseOutError(const std::string& message) {
  throw Exception(message);
}

void RaiseOutErrorFmt(std::string_view format, std::initializer_list<FormatArg> args) {
  RaiseOutError(Format(format, args));
}

QCursor LoadOutCursor(const std::string& name) {
  TResourceCursor cursor = FindResourceCursor(name);
  if (cursor.Empty()) RaiseOutError(SErrorLoadingCursor);
  return ToQCursor(cursor);
}
