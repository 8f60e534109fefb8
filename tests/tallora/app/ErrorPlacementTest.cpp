// On a 1280x800 screen the error window first opens clear of every control
// of whichever frame is shown, above the page buttons.
#include <gtest/gtest.h>

#include "tests/support/gui/ErrorPlace.h"
#include "tests/tallora/app/TalloraWindow.h"

TEST(TalloraErrorPlacement, ClearOfEveryFrameOnA1280x800Screen) {
  TalloraWindow app;
  ExpectErrorPlaceClearOfEveryFrame(*app.window);
}
