// The vertical list's layout, hit test, visibility, scroll buttons and
// scrolling.

#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "tests/widgets/VertListFixture.h"

TEST(VertListLayout, ItemsFollowOneSlotAfterTheOther) {
  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir"});
  EXPECT_EQ(f.list->HalfItemSpace(), 5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(f.Bounds(i).Top, 5 + i * f.Slot()) << i;
    EXPECT_EQ(f.Bounds(i).Height(), 36 + 2 + f.Line()) << i;
    // The image's square is centred in the width.
    TRect icon = f.list->Items()[i]->DisplayRect(drIcon);
    EXPECT_EQ(icon.Left, (109 - 36) / 2) << i;
  }
  EXPECT_EQ(f.list->ItemMargin(), 0);
}

TEST(VertListLayout, ItemSpaceHasAFloorOfFive) {
  VertListFixture f({"Novo", "Abrir"});
  f.list->SetItemSpace(3);
  EXPECT_EQ(f.list->ItemSpace(), 5);
  EXPECT_EQ(f.list->HalfItemSpace(), 2);
  EXPECT_EQ(f.Bounds(0).Top, 2);
  EXPECT_EQ(f.Bounds(1).Top, 2 + f.Slot());
  f.list->SetItemSpace(21);
  EXPECT_EQ(f.list->HalfItemSpace(), 10);
  EXPECT_EQ(f.Bounds(1).Top, 10 + f.Slot());
}

TEST(VertListLayout, WrapLineCountCapsTheCaption) {
  const char* longCaption = "Relatório anual de custos e receitas do plano de manejo";
  VertListFixture f({longCaption, "Abrir"});
  EXPECT_EQ(f.list->Items()[0]->DisplayRect(drLabel).Height(), f.Line());
  f.list->SetWrapLineCount(2);
  TRect label = f.list->Items()[0]->DisplayRect(drLabel);
  EXPECT_EQ(label.Height(), 2 * f.Line());
  EXPECT_GE(label.Left, 10);
  EXPECT_LE(label.Right, 109 - 10);
  EXPECT_EQ(f.Bounds(0).Bottom, 5 + 36 + 2 + 2 * f.Line());
  EXPECT_EQ(f.Bounds(1).Top, f.Bounds(0).Bottom + 10);
  f.list->SetWrapLineCount(5);
  EXPECT_GT(f.list->Items()[0]->DisplayRect(drLabel).Height(), 2 * f.Line());
}

TEST(VertListLayout, BadValuesRaiseAndKeepTheOldOne) {
  VertListFixture f({"Novo"});
  f.list->SetWrapLineCount(2);
  try {
    f.list->SetWrapLineCount(0);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid property value");
  }
  EXPECT_EQ(f.list->WrapLineCount(), 2);
  for (TViewStyle style : {vsList, vsReport}) {
    try {
      f.list->SetViewStyle(style);
      FAIL();
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Invalid view style");
    }
    EXPECT_EQ(f.list->ViewStyle(), vsIcon);
  }
}

TEST(VertListLayout, HitTestsTheIconTheLabelAndNothingElse) {
  VertListFixture f({"Salvar Como", "Abrir"});
  TRect icon = f.list->Items()[0]->DisplayRect(drIcon);
  TRect label = f.list->Items()[0]->DisplayRect(drLabel);
  // The caption is wider than the image and starts right below it.
  ASSERT_LT(label.Left, icon.Left);
  EXPECT_EQ(label.Top, icon.Bottom);
  TPoint c = f.Centre(icon);
  EXPECT_EQ(f.list->HitTest(c.X, c.Y), 0);
  c = f.Centre(label);
  EXPECT_EQ(f.list->HitTest(c.X, c.Y), 0);
  EXPECT_EQ(f.list->HitTest(label.Left, label.Bottom - 1), 0);
  // Beside the image, above the caption.
  EXPECT_EQ(f.list->HitTest(label.Left, icon.Top + 5), -1);
  // Between the two items.
  EXPECT_EQ(f.list->HitTest(54, f.Bounds(0).Bottom + 3), -1);
  c = f.Centre(f.list->Items()[1]->DisplayRect(drIcon));
  EXPECT_EQ(f.list->HitTest(c.X, c.Y), 1);
  EXPECT_EQ(f.list->GetItemAt(c.X, c.Y), f.list->Items()[1]);
  // Outside the client area.
  EXPECT_EQ(f.list->HitTest(109, c.Y), -1);
  EXPECT_EQ(f.list->HitTest(c.X, -1), -1);
  EXPECT_EQ(f.list->HitTest(c.X, 454), -1);
}

TEST(VertListLayout, VisibilityAndWhatLiesBeyondTheEdges) {
  // Three whole slots and a part of the fourth.
  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir", "Sair"}, 0);
  const int s = f.Slot();
  f.list->SetHeight(3 * s + 20);
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[0], false));
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[2], false));
  EXPECT_FALSE(f.list->IsItemVisible(f.list->Items()[3], false));
  EXPECT_FALSE(f.list->MoreAbove());
  EXPECT_TRUE(f.list->MoreBelow());
  EXPECT_EQ(f.list->FirstVisibleItem(), f.list->Items()[0]);

  // The last slot is visible only with half the item space below it.
  TRect last = f.Bounds(2);
  f.list->SetHeight(last.Bottom + 5);
  EXPECT_FALSE(f.list->IsItemVisible(f.list->Items()[2], false));
  f.list->SetHeight(last.Bottom + 6);
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[2], false));

  // An item taller than the list counts as visible in the first slot.
  f.list->SetHeight(20);
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[0], false));
}

TEST(VertListLayout, ScrollButtonsShowOnlyWithItemsBeyondAndRoomForBoth) {
  VertListFixture empty({}, 60);
  EXPECT_FALSE(empty.list->DownButton().Visible());
  EXPECT_FALSE(empty.list->UpButton().Visible());

  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir", "Sair"}, 43);
  EXPECT_TRUE(f.list->MoreBelow());
  EXPECT_FALSE(f.list->DownButton().Visible());
  f.list->SetHeight(44);
  EXPECT_TRUE(f.list->DownButton().Visible());
  EXPECT_FALSE(f.list->UpButton().Visible());

  f.list->SetHeight(200);
  TGBScrollButton& down = f.list->DownButton();
  EXPECT_EQ(down.BoundsRect(), Bounds(109 - 17 - 5, 200 - 17 - 5, 17, 17));
  EXPECT_EQ(down.Frequency(), 200);
  EXPECT_EQ(down.ButtonStyle(), gbsbs_ScrollDown);
  f.list->ScrollDownStep();
  EXPECT_EQ(f.list->ScrollOrigin().Y, f.Slot());
  TGBScrollButton& up = f.list->UpButton();
  EXPECT_TRUE(up.Visible());
  EXPECT_EQ(up.BoundsRect(), Bounds(109 - 17 - 5, 5, 17, 17));
  EXPECT_EQ(up.ButtonStyle(), gbsbs_ScrollUp);

  // A hand-held arrow scrolls through its OnSelect.
  up.OnSelect(&up);
  EXPECT_EQ(f.list->ScrollOrigin().Y, 0);
  EXPECT_FALSE(up.Visible());
}

TEST(VertListLayout, ScrollingUpStopsAtTheTop) {
  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir", "Sair"}, 150);
  int before = 0, after = 0;
  f.list->OnBeforeScroll = [&](TPersistent*) { ++before; };
  f.list->OnAfterScroll = [&](TPersistent*) { ++after; };
  f.list->ScrollBy(0, 7);
  EXPECT_EQ(f.list->ScrollOrigin().Y, 7);
  EXPECT_EQ(f.Bounds(0).Top, 5 - 7);
  EXPECT_EQ(f.list->FirstVisibleItem(), f.list->Items()[1]);
  f.list->ScrollUpStep();
  EXPECT_EQ(f.list->ScrollOrigin().Y, 0);
  EXPECT_EQ(f.Bounds(0).Top, 5);
  // Nothing before the first item: nothing to do.
  f.list->ScrollUpStep();
  EXPECT_EQ(f.list->ScrollOrigin().Y, 0);
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 2);
  // Nothing below the top edge: nothing to do either.
  f.list->ScrollBy(0, 5 * f.Slot());
  f.list->ScrollDownStep();
  EXPECT_EQ(f.list->ScrollOrigin().Y, 5 * f.Slot());
}

TEST(VertListLayout, ScrollToItemTakesWholeSlots) {
  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir", "Salvar Como", "Sair"}, 200);
  const int s = f.Slot();
  const int bottom = 5 + 5 * s + 36 + 2 + f.Line();
  ASSERT_EQ(f.Bounds(5).Bottom, bottom);
  const int d = 5 + bottom - 200;
  f.list->ScrollToItem(f.list->Items()[5]);
  EXPECT_EQ(f.list->ScrollOrigin().Y, ((s + d - 1) / s) * s);
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[5], false));
  // An item above the top comes back to the first slot.
  f.list->Items()[0]->MakeVisible(false);
  EXPECT_EQ(f.list->ScrollOrigin().Y, 0);
  EXPECT_EQ(f.Bounds(0).Top, 5);
  // MakeVisible scrolls only when needed.
  f.list->Items()[1]->MakeVisible(false);
  EXPECT_EQ(f.list->ScrollOrigin().Y, 0);
}

TEST(VertListLayout, ADeletionRelaysAndPullsTheLastItemIntoView) {
  VertListFixture f({"Novo", "Abrir", "Salvar", "Imprimir", "Sair"}, 150);
  f.list->Items()[4]->MakeVisible(false);
  ASSERT_GT(f.list->ScrollOrigin().Y, 0);
  f.list->Items().Delete(4);
  f.list->Items().Delete(3);
  f.list->Items().Delete(2);
  // The remaining items would sit above the top: the last one comes back.
  EXPECT_EQ(f.list->Items().Count(), 2);
  EXPECT_TRUE(f.list->IsItemVisible(f.list->Items()[1], false));
  EXPECT_EQ(f.Bounds(1).Top - f.Bounds(0).Top, f.Slot());
  EXPECT_GE(f.list->ScrollOrigin().Y, 0);
}
