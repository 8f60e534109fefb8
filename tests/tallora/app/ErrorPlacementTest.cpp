// On a 1280x800 screen the error window opens clear of every control of
// whichever frame is shown: with the window centred, with its items hidden,
// and with it at the top left.
#include <gtest/gtest.h>

#include "tests/support/gui/ErrorPlace.h"
#include "tests/tallora/app/TalloraWindow.h"

TEST(TalloraErrorPlacement, ClearOfEveryFrameWhereverTheWindowIsOnA1280x800Screen) {
  TalloraWindow app;
  ExpectErrorPlaceClearOfEveryFrame(*app.window);
}
