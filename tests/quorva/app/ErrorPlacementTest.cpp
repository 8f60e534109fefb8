// On a 1280x800 screen the error window first opens clear of every control
// of whichever frame is shown, above the page buttons.
#include <gtest/gtest.h>

#include "tests/quorva/app/QuorvaWindow.h"
#include "tests/support/gui/ErrorPlace.h"

TEST(QuorvaErrorPlacement, ClearOfEveryFrameOnA1280x800Screen) {
  QuorvaWindow app;
  ExpectErrorPlaceClearOfEveryFrame(app.w());
}
