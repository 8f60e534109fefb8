// On a 1280x800 screen the error window opens clear of every control of
// whichever frame is shown: with the window centred, with its items hidden,
// and with it at the top left.
#include <gtest/gtest.h>

#include "tests/quorva/app/QuorvaWindow.h"
#include "tests/support/gui/ErrorPlace.h"

TEST(QuorvaErrorPlacement, ClearOfEveryFrameWhereverTheWindowIsOnA1280x800Screen) {
  QuorvaWindow app;
  ExpectErrorPlaceClearOfEveryFrame(app.w());
}
