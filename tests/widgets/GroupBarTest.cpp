// The group bar: layout, hit testing, page switches with their events and
// vetoes, clicks, hover, the drag-over switch, groups joining and moving,
// loading, the slide's frames and the painted captions.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEvent>
#include <string>
#include <vector>

#include "platform/gui/InputHub.h"
#include "platform/rtl/Exceptions.h"
#include "tests/widgets/GroupBarFixture.h"
#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

namespace {

using Journal = std::vector<std::string>;

// The simulator's main window: 804 x 536, font -13, two groups.
struct Tallora : GroupBarFixture {
  Tallora() : GroupBarFixture(804, 536, -13, {"Entrada de Dados", "Resultado"}) {}
};

// The planning program's: 804 x 535, font -11, three groups.
struct Quorva : GroupBarFixture {
  explicit Quorva(int active = 0)
      : GroupBarFixture(804, 535, -11, {"Plano", "Resultado", "Relatório de Custos"}, active) {}
};

std::string What(const std::exception& e) {
  return e.what();
}

}  // namespace

// ---- layout

TEST(GroupBarLayout, TheSimulatorsWindow) {
  Tallora t;
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_EQ(t.bar->CaptionSpan(0), 27);
  EXPECT_EQ(t.bar->CaptionSpan(1), 27);
  EXPECT_EQ(t.bar->GetPageRect(), (TRect{1, 27, 803, 509}));
  // The page is what its form stores for the group: 802 x 482.
  EXPECT_EQ(t.groups[0]->BoundsRect(), (TRect{1, 27, 803, 509}));
  EXPECT_TRUE(t.groups[0]->Visible());
  EXPECT_FALSE(t.groups[1]->Visible());
  EXPECT_EQ(t.bar->GetCaptionRect(0), (TRect{1, 1, 803, 27}));
  EXPECT_EQ(t.bar->GetCaptionRect(1), (TRect{1, 509, 803, 535}));
}

TEST(GroupBarLayout, ThePlanningProgramsWindow) {
  Quorva q;
  EXPECT_EQ(q.bar->CaptionSpan(0), 23);
  EXPECT_EQ(q.bar->CaptionSpan(2), 23);
  EXPECT_EQ(q.bar->GetPageRect(), (TRect{1, 23, 803, 489}));
  // Bottom captions stack up from the bottom edge.
  EXPECT_EQ(q.bar->GetCaptionRect(1), (TRect{1, 489, 803, 511}));
  EXPECT_EQ(q.bar->GetCaptionRect(2), (TRect{1, 512, 803, 534}));
}

TEST(GroupBarLayout, FixedCaptionHeightsAndButtonSpace) {
  Quorva q;
  q.groups[0]->SetCaptionAutoSize(false);
  q.groups[0]->SetCaptionHeight(30);
  EXPECT_EQ(q.bar->CaptionSpan(0), 31);
  EXPECT_EQ(q.groups[0]->BoundsRect().Top, 31);
  q.bar->SetButtonSpace(3);
  EXPECT_EQ(q.bar->CaptionSpan(1), 25);
  EXPECT_EQ(q.bar->GetPageRect(), (TRect{1, 31, 803, 534 - 25 - 25 + 3}));
  try {
    q.bar->SetButtonSpace(-1);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "Invalid property value");
  }
  EXPECT_EQ(q.bar->ButtonSpace(), 3);
  q.bar->SetBorderStyle(bsNone);
  EXPECT_EQ(q.bar->GetPageRect().Left, 0);
  EXPECT_EQ(q.groups[0]->BoundsRect().Left, 0);
}

TEST(GroupBarLayout, HitTestsGiveTheGapToItsCaption) {
  Quorva q(1);
  // Top captions 0 and 1, the page from 46, caption 2 at the bottom.
  EXPECT_EQ(q.bar->GetPageRect(), (TRect{1, 46, 803, 512}));
  EXPECT_EQ(q.bar->HitTestCaption(400, 12), 0);
  EXPECT_EQ(q.bar->HitTestCaption(400, 23), 0);  // caption 0's gap row
  EXPECT_EQ(q.bar->HitTestCaption(400, 35), 1);
  EXPECT_EQ(q.bar->HitTestCaption(400, 46), -1);
  EXPECT_EQ(q.bar->HitTestCaption(400, 300), -1);
  EXPECT_EQ(q.bar->HitTestCaption(400, 520), 2);
  EXPECT_EQ(q.bar->HitTestCaption(0, 12), -1);
  EXPECT_EQ(q.bar->HitTestCaption(803, 12), 0);
  EXPECT_EQ(q.bar->HitTestCaption(804, 12), -1);
}

TEST(GroupBarLayout, ABarOfOneGroupHasNothingToClick) {
  GroupBarFixture one(109, 300, -13, {""});
  const TPoint p = one.CaptionCentre(0);
  EXPECT_EQ(one.bar->HitTestCaption(p.X, p.Y), -1);
  one.Move(p, 0);
  EXPECT_EQ(one.bar->HotIndex(), -1);
  EXPECT_NE(one.bar->cursor().shape(), Qt::PointingHandCursor);
  one.Click(0);
  EXPECT_EQ(one.bar->PressedIndex(), -1);
  EXPECT_TRUE(one.journal.empty());
  // A bar of two shows the hand over a caption.
  Tallora t;
  t.Move(t.CaptionCentre(1), 0);
  EXPECT_EQ(t.bar->cursor().shape(), Qt::PointingHandCursor);
  t.Move(t.At({400, 300}), 0);
  EXPECT_NE(t.bar->cursor().shape(), Qt::PointingHandCursor);
}

// ---- switching

TEST(GroupBarSwitch, OneChangingAndOneChangePerSwitch) {
  Tallora t;
  int seenInChange = -2;
  t.bar->OnChange = [&](TPersistent*) {
    seenInChange = t.bar->ActiveGroupIndex();
    t.journal.push_back("change");
  };
  t.bar->SetActiveGroupIndex(1);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change"}));
  EXPECT_EQ(seenInChange, 1);
  EXPECT_EQ(t.bar->GetActiveGroup(), t.groups[1]);
  EXPECT_TRUE(t.groups[1]->Visible());
  EXPECT_FALSE(t.groups[0]->Visible());
  // The old page lies at the new page's top left with no height.
  const TRect n = t.bar->GetPageRect();
  EXPECT_EQ(n, (TRect{1, 54, 803, 535}));
  EXPECT_EQ(t.groups[1]->BoundsRect(), n);
  EXPECT_EQ(t.groups[0]->BoundsRect(), (TRect{1, 54, 803, 54}));
  // The current index and -1 do nothing.
  t.journal.clear();
  t.bar->SetActiveGroupIndex(1);
  t.bar->SetActiveGroupIndex(-1);
  EXPECT_TRUE(t.journal.empty());
}

TEST(GroupBarSwitch, AVetoChangesNothing) {
  Tallora t;
  t.bar->OnChanging = [&](TPersistent*, TGBOutBarGroup*, bool& allow) {
    t.journal.push_back("changing");
    allow = false;
  };
  t.bar->SetActiveGroupIndex(1);
  EXPECT_EQ(t.journal, (Journal{"changing"}));
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_TRUE(t.groups[0]->Visible());
  EXPECT_FALSE(t.groups[1]->Visible());
  EXPECT_EQ(t.groups[0]->BoundsRect(), (TRect{1, 27, 803, 509}));

  // An operation aborted inside OnChanging stops the switch the same way.
  t.journal.clear();
  t.bar->OnChanging = [&](TPersistent*, TGBOutBarGroup*, bool&) {
    t.journal.push_back("changing");
    throw EAbort();
  };
  EXPECT_THROW(t.bar->SetActiveGroupIndex(1), EAbort);
  EXPECT_EQ(t.journal, (Journal{"changing"}));
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_TRUE(t.groups[0]->Visible());
  // From a click, the abort ends silently.
  t.journal.clear();
  t.QtClick(1);
  EXPECT_EQ(t.journal, (Journal{"changing"}));
  EXPECT_TRUE(RecordedExceptions().empty());
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
}

TEST(GroupBarSwitch, AnIndexPastTheGroupsRaisesWithTheRange) {
  Tallora t;
  try {
    t.bar->SetActiveGroupIndex(2);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "Invalid ActiveGroupIndex value. Value must be between 0 and 1");
  }
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_TRUE(t.journal.empty());
  TGBGroupBar empty;
  try {
    empty.SetActiveGroupIndex(0);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "Invalid ActiveGroupIndex value. Value must be between 0 and -1");
  }
  // A negative Frequency is ignored.
  t.bar->SetFrequency(-3);
  EXPECT_EQ(t.bar->Frequency(), 10);
}

TEST(GroupBarSwitch, ADisabledGroupCannotBeActivated) {
  Tallora t;
  t.groups[1]->SetEnabled(false);
  t.bar->SetActiveGroupIndex(1);
  t.Click(1);
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_TRUE(t.journal.empty());
  EXPECT_EQ(t.bar->PressedIndex(), -1);
}

TEST(GroupBarSwitch, AClickSwitchesOnlyWhenReleasedOnThePressedCaption) {
  Tallora t;
  const TPoint on = t.CaptionCentre(1);
  t.Press(on);
  EXPECT_EQ(t.bar->PressedIndex(), 1);
  EXPECT_TRUE(t.bar->Pressed());
  const TPoint off = t.At({400, 300});
  t.Move(off);
  EXPECT_FALSE(t.bar->Pressed());
  t.Release(off);
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_EQ(t.bar->PressedIndex(), -1);
  EXPECT_TRUE(t.journal.empty());

  t.Press(t.CaptionCentre(1));
  t.Move(t.At({400, 300}));
  EXPECT_FALSE(t.bar->Pressed());
  t.Move(t.CaptionCentre(1));
  EXPECT_TRUE(t.bar->Pressed());
  t.Release(t.CaptionCentre(1));
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change 1"}));
  EXPECT_FALSE(t.bar->MouseCapture());
}

TEST(GroupBarSwitch, ACancelledPressCompletesAtThePointer) {
  Tallora t;
  t.Press(t.CaptionCentre(1));
  t.At({400, 300});
  CancelCaptureMode();
  EXPECT_EQ(t.bar->PressedIndex(), -1);
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 0);
  EXPECT_FALSE(t.bar->MouseCapture());
}

TEST(GroupBarSwitch, HoverFollowsThePointerAndLeavesWithTheTimer) {
  Tallora t;
  t.Move(t.CaptionCentre(1), 0);
  EXPECT_EQ(t.bar->HotIndex(), 1);
  EXPECT_TRUE(t.bar->HoverTimerRunning());
  EXPECT_TRUE(t.bar->TimerRunning(TCustomGBGroupBar::kHoverTimer));
  // Still over a caption: the tick keeps it.
  t.bar->WindowTimer(TCustomGBGroupBar::kHoverTimer);
  EXPECT_EQ(t.bar->HotIndex(), 1);
  t.At({400, 300});
  t.bar->WindowTimer(TCustomGBGroupBar::kHoverTimer);
  EXPECT_EQ(t.bar->HotIndex(), -1);
  EXPECT_FALSE(t.bar->HoverTimerRunning());
  EXPECT_FALSE(t.bar->TimerRunning(TCustomGBGroupBar::kHoverTimer));
}

TEST(GroupBarSwitch, AGroupThatShowsActivatesItself) {
  Tallora t;
  t.bar->show();
  t.groups[1]->Show();
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change 1"}));
  EXPECT_FALSE(t.groups[0]->Visible());
}

TEST(GroupBarSwitch, ADragHeldOverACaptionSwitchesAfterTheWait) {
  Tallora t;
  TGBGroupBar* bar = t.bar.get();
  bool accept = false;
  // Over the page: accepted, no wait.
  bar->DragOver(nullptr, 400, 300, dsDragMove, accept);
  EXPECT_TRUE(accept);
  EXPECT_FALSE(bar->DragTimer().Enabled());
  bar->DragOver(nullptr, 803, 300, dsDragMove, accept);
  EXPECT_FALSE(accept);
  TPoint p = t.CaptionCentre(1);
  bar->DragOver(nullptr, p.X, p.Y, dsDragMove, accept);
  EXPECT_TRUE(bar->DragTimer().Enabled());
  EXPECT_EQ(bar->DragTimer().Interval(), 500);
  EXPECT_EQ(bar->DragIndex(), 1);
  // Left before the wait ended: the tick finds the pointer elsewhere.
  t.At({400, 300});
  bar->DragTimer().Tick();
  EXPECT_EQ(bar->ActiveGroupIndex(), 0);
  EXPECT_FALSE(bar->DragTimer().Enabled());
  // Held there: the tick switches, asking OnChanging.
  p = t.CaptionCentre(1);
  bar->DragOver(nullptr, p.X, p.Y, dsDragMove, accept);
  bar->DragTimer().Tick();
  EXPECT_EQ(bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change 1"}));
  EXPECT_EQ(bar->DragIndex(), -1);
}

TEST(GroupBarSwitch, AnotherCaptionRestartsTheWait) {
  Quorva q;
  TGBGroupBar* bar = q.bar.get();
  bool accept = false;
  TPoint p = q.CaptionCentre(1);
  bar->DragOver(nullptr, p.X, p.Y, dsDragMove, accept);
  EXPECT_EQ(bar->DragIndex(), 1);
  p = q.CaptionCentre(2);
  bar->DragOver(nullptr, p.X, p.Y, dsDragMove, accept);
  EXPECT_EQ(bar->DragIndex(), 2);
  EXPECT_TRUE(bar->DragTimer().Enabled());
  bar->DragOver(nullptr, 400, 300, dsDragMove, accept);
  EXPECT_FALSE(bar->DragTimer().Enabled());
  EXPECT_EQ(bar->DragIndex(), -1);
}

// ---- groups

TEST(GroupBarGroups, AddedGroupsGetNumberedDefaultCaptions) {
  FakeGuiServices services;
  TGBGroupBar bar;
  bar.SetBounds(0, 0, 200, 300);
  Journal journal;
  bar.OnChanging = [&](TPersistent*, TGBOutBarGroup* g, bool&) { journal.push_back("changing " + g->Caption()); };
  TGBOutBarGroup* a = bar.AddGroup();
  TGBOutBarGroup* b = bar.AddGroup();
  TGBOutBarGroup* c = bar.AddGroup();
  EXPECT_EQ(a->Caption(), "New Group");
  EXPECT_EQ(b->Caption(), "New Group1");
  EXPECT_EQ(c->Caption(), "New Group2");
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_EQ(journal, (Journal{"changing New Group"}));
  EXPECT_EQ(c->GroupIndex(), 2);
  EXPECT_EQ(a->GroupBar(), &bar);
  EXPECT_EQ(bar.FindGroupByCaption("New Group1"), b);
}

TEST(GroupBarGroups, CaptionChangesAskAndTell) {
  Tallora t;
  t.bar->OnGroupCaptionChanging = [&](TPersistent*, TGBOutBarGroup*, const std::string& caption, bool& can) {
    t.journal.push_back("caption changing " + caption);
    can = caption != "Não";
  };
  t.bar->OnGroupCaptionChanged = [&](TPersistent*, TGBOutBarGroup* g) {
    t.journal.push_back("caption changed " + g->Caption());
  };
  t.groups[1]->SetCaption("Não");
  t.groups[1]->SetCaption("Resultados");
  t.groups[1]->SetCaption("Resultados");
  EXPECT_EQ(t.journal, (Journal{"caption changing Não", "caption changing Resultados", "caption changed Resultados"}));
  EXPECT_EQ(t.groups[1]->Caption(), "Resultados");
}

TEST(GroupBarGroups, MovingTheActiveGroupKeepsItActive) {
  Quorva q;
  q.groups[0]->SetGroupIndex(2);
  EXPECT_EQ(q.groups[0]->GroupIndex(), 2);
  EXPECT_EQ(q.bar->ActiveGroupIndex(), 2);
  EXPECT_EQ(q.bar->GetActiveGroup(), q.groups[0]);
  EXPECT_TRUE(q.groups[0]->Visible());
  EXPECT_EQ(q.journal, (Journal{"changing Plano", "change 2"}));
  // Another group moving past the active one shifts the index.
  q.journal.clear();
  q.groups[2]->SetGroupIndex(5);
  EXPECT_EQ(q.groups[2]->GroupIndex(), 2);
  EXPECT_EQ(q.bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(q.bar->GetActiveGroup(), q.groups[0]);
  try {
    q.groups[1]->SetGroupIndex(-1);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "Invalid property value");
  }
}

TEST(GroupBarGroups, LoadingActivatesTheStoredGroupWithoutAsking) {
  Journal journal;
  std::unique_ptr<TGBGroupBar> bar;
  {
    LoadingScope scope;
    bar = std::make_unique<TGBGroupBar>();
    bar->SetBounds(0, 0, 300, 300);
    bar->OnChanging = [&](TPersistent*, TGBOutBarGroup*, bool&) { journal.push_back("changing"); };
    bar->OnChange = [&](TPersistent*) { journal.push_back("change " + std::to_string(bar->ActiveGroupIndex())); };
    bar->SetActiveGroupIndex(1);
    for (int i = 0; i < 2; ++i) (new TGBOutBarGroup)->SetGroupBar(bar.get());
    EXPECT_EQ(bar->ActiveGroupIndex(), -1);
    EXPECT_TRUE(journal.empty());
  }
  EXPECT_EQ(journal, (Journal{"change 1"}));
  EXPECT_TRUE(bar->Groups(1)->Visible());
  EXPECT_FALSE(bar->Groups(0)->Visible());
}

TEST(GroupBarGroups, RemovingGroupsReaimsTheActiveIndex) {
  Quorva q(1);
  // The active group leaves: its next neighbour becomes active.
  q.groups[1]->SetGroupBar(nullptr);
  EXPECT_EQ(q.bar->GroupCount(), 2);
  EXPECT_EQ(q.bar->GetActiveGroup(), q.groups[2]);
  EXPECT_EQ(q.bar->ActiveGroupIndex(), 1);
  delete q.groups[1];
  // Freed in its bar: the bar lets it go.
  delete q.groups[2];
  EXPECT_EQ(q.bar->GroupCount(), 1);
  EXPECT_EQ(q.bar->ActiveGroupIndex(), 0);
  EXPECT_EQ(q.bar->GetActiveGroup(), q.groups[0]);
  delete q.groups[0];
  EXPECT_EQ(q.bar->GroupCount(), 0);
  EXPECT_EQ(q.bar->ActiveGroupIndex(), -1);
}

TEST(GroupBarGroups, AGroupWhoseListGoesFreesItselfLater) {
  TComponent form;
  auto* bar = new TGBGroupBar(&form);
  bar->SetBounds(0, 0, 200, 300);
  TGBOutBarGroup* a = bar->AddGroup();
  TGBOutBarGroup* b = bar->AddGroup();
  auto* list = new TGBVertListView(&form);
  list->SetParent(b);
  QPointer<QWidget> watchB(b);
  delete list;
  // Not inside the list's destructor: later.
  EXPECT_TRUE(watchB);
  EXPECT_EQ(bar->GroupCount(), 2);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(watchB);
  EXPECT_EQ(bar->GroupCount(), 1);
  EXPECT_EQ(bar->Groups(0), a);

  // A bar that goes with lists in its groups frees each group once.
  auto* list2 = new TGBVertListView(&form);
  list2->SetParent(a);
  delete bar;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form.ComponentCount(), 0);
}

// ---- the slide

TEST(GroupBarSlide, FrameOffsetsTruncateKTimesHOverFrequency) {
  Tallora t;
  t.bar->show();
  t.bar->SetActiveGroupIndex(1);
  std::vector<int> offsets;
  t.bar->OnAnimationFrame = [&](int d) { offsets.push_back(d); };
  // Up to group 0: its page is 482 high.
  t.bar->SetActiveGroupIndex(0);
  EXPECT_EQ(offsets, (std::vector<int>{0, 48, 96, 144, 192, 241, 289, 337, 385, 433}));
  EXPECT_EQ(t.groups[1]->Height(), 0);
  EXPECT_FALSE(t.groups[1]->Visible());
  // Down to group 1: 481 high.
  offsets.clear();
  t.bar->SetActiveGroupIndex(1);
  std::vector<int> expected;
  for (int k = 0; k < 10; ++k) expected.push_back(k * 481 / 10);
  EXPECT_EQ(offsets, expected);
  EXPECT_EQ(t.groups[0]->Height(), 0);
  EXPECT_EQ(t.groups[1]->BoundsRect(), t.bar->GetPageRect());
}

TEST(GroupBarSlide, NoFramesWhenHiddenOrWithFewSteps) {
  Tallora t;
  int frames = 0;
  t.bar->OnAnimationFrame = [&](int) { ++frames; };
  t.bar->SetActiveGroupIndex(1);
  EXPECT_EQ(frames, 0);
  t.bar->show();
  t.bar->SetFrequency(1);
  t.bar->SetActiveGroupIndex(0);
  EXPECT_EQ(frames, 0);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change 1", "changing Entrada de Dados", "change 0"}));
}

TEST(GroupBarSlide, AFailureDuringTheSwitchStillFinishesIt) {
  Tallora t;
  t.bar->show();
  int failures = 0;
  t.groups[1]->OnResize = [&](TPersistent*) {
    if (failures++ == 0) throw Exception("página");
  };
  try {
    t.bar->SetActiveGroupIndex(1);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "página");
  }
  EXPECT_EQ(t.bar->ActiveGroupIndex(), 1);
  EXPECT_EQ(t.journal, (Journal{"changing Resultado", "change 1"}));
  EXPECT_FALSE(t.groups[0]->Visible());
  EXPECT_EQ(t.groups[0]->Height(), 0);
  EXPECT_TRUE(t.groups[1]->Visible());
  EXPECT_EQ(t.groups[1]->BoundsRect(), t.bar->GetPageRect());
}

TEST(GroupBarSlide, APageShowsItsListOnEveryVisit) {
  TImageList images{32, 32};
  test_icons::AddToolbarIcons(images);
  Quorva q;
  for (TGBOutBarGroup* group : q.groups) {
    auto* list = new TGBVertListView;
    list->SetParent(group);
    list->SetAlign(alClient);
    list->SetColor(clTeal);
    list->SetLargeImages(&images);
    for (int i = 0; i < 3; ++i) list->Items().Add()->SetImageIndex(i);
  }
  q.bar->show();
  std::vector<QImage> first{OnScreen(*q.bar), {}, {}};
  // Down and up, to pages shown before and to pages not shown yet.
  for (int i : {1, 2, 1, 0, 2, 0, 1}) {
    q.bar->SetActiveGroupIndex(i);
    const QImage shown = OnScreen(*q.bar);
    if (first[i].isNull()) {
      first[i] = shown;
      EXPECT_GT(CountInside(shown, q.bar->GetPageRect(), Rgb(clTeal)), 100000) << i;
    } else {
      EXPECT_EQ(shown, first[i]) << "page " << i << " shown again";
    }
  }
}

// ---- pixels

TEST(GroupBarPaint, CaptionsFramesAndGaps) {
  Quorva q(1);
  q.bar->show();
  const QColor grey = Rgb(clGray), black = Rgb(clBlack), white = Rgb(clWhite), silver = Rgb(clSilver);
  QImage img = Snap(*q.bar);
  // The sunken edge: shadow on top, highlight at the right and the bottom.
  EXPECT_EQ(PixelAt(img, 400, 0), grey);
  EXPECT_EQ(PixelAt(img, 803, 300), white);
  EXPECT_EQ(PixelAt(img, 400, 534), white);
  // Caption 0 sits above caption 1, with a silver gap row between them.
  EXPECT_EQ(q.bar->GetCaptionRect(0), (TRect{1, 1, 803, 23}));
  for (int x : {0, 1, 400, 802}) EXPECT_EQ(PixelAt(img, x, 23), silver) << x;
  // The active caption's black bottom line and the black line left of the
  // page, from the gap down to the page's last row.
  EXPECT_EQ(PixelAt(img, 400, 45), black);
  for (int y : {46, 47, 300, 511}) EXPECT_EQ(PixelAt(img, 0, y), black) << y;
  EXPECT_NE(PixelAt(img, 0, 512), black);
  // Caption 2, neither hot nor active: the raised inner edge only.
  EXPECT_EQ(PixelAt(img, 400, 512), white);
  EXPECT_EQ(PixelAt(img, 400, 533), grey);
  EXPECT_EQ(PixelAt(img, 400, 532), Rgb(clBtnFace));

  // Hot (HotTrack): the raised lines and the text in HotColor.
  q.Move(q.CaptionCentre(2), 0);
  img = Snap(*q.bar);
  EXPECT_EQ(PixelAt(img, 0, 520), grey);
  EXPECT_EQ(PixelAt(img, 400, 533), black);
  EXPECT_EQ(PixelAt(img, 802, 520), black);
  EXPECT_EQ(PixelAt(img, 400, 532), grey);
  const TRect caption2 = q.bar->GetCaptionRect(2);
  EXPECT_GT(CountInside(img, caption2, Rgb(clBlue)), 20);
  EXPECT_EQ(CountOutside(img, caption2, Rgb(clBlue)), 0);

  // Pressed: black top-left lines, grey inside them, the text one pixel down.
  q.Press(q.CaptionCentre(2));
  img = Snap(*q.bar);
  EXPECT_EQ(PixelAt(img, 400, 512), black);
  EXPECT_EQ(PixelAt(img, 0, 520), black);
  EXPECT_EQ(PixelAt(img, 400, 513), grey);
  EXPECT_EQ(PixelAt(img, 1, 520), grey);
  q.Release(q.At({400, 300}));

  // A disabled group's caption is grey.
  q.groups[0]->SetEnabled(false);
  img = Snap(*q.bar);
  TRect face = q.bar->GetCaptionRect(0);
  InflateRect(face, -1, -1);
  EXPECT_GT(CountInside(img, face, Rgb(clGrayText)), 20);
}

// ---- the caption editor (shown only by code)

TEST(GroupBarCaptionEditor, EnterTakesTheTextEscapeDropsIt) {
  Tallora t;
  auto* editor = new TGBOutBarGroupEdit(t.bar.get());
  EXPECT_FALSE(editor->Visible());
  EXPECT_EQ(editor->Parent(), t.bar.get());
  EXPECT_EQ(editor->GroupIndex(), 0);
  t.bar->OnGroupCaptionChanged = [&](TPersistent*, TGBOutBarGroup* g) { t.journal.push_back(g->Caption()); };
  editor->SetGroupIndex(1);
  editor->SetText("Resultados");
  editor->Show();
  QTest::keyClick(editor->EditWidget(), Qt::Key_Return);
  EXPECT_EQ(t.groups[1]->Caption(), "Resultados");
  EXPECT_EQ(t.journal, (Journal{"Resultados"}));
  EXPECT_FALSE(editor->Visible());
  EXPECT_TRUE(editor->Finished());

  editor->SetFinished(false);
  editor->SetText("Outro");
  editor->Show();
  QTest::keyClick(editor->EditWidget(), Qt::Key_Escape);
  EXPECT_EQ(t.groups[1]->Caption(), "Resultados");
  EXPECT_FALSE(editor->Visible());
  // Leaving it takes the text unless it was finished; an index outside the
  // groups takes nothing.
  editor->Show();
  editor->DoExit();
  EXPECT_EQ(t.groups[1]->Caption(), "Resultados");
  editor->SetFinished(false);
  editor->Show();
  editor->DoExit();
  EXPECT_EQ(t.groups[1]->Caption(), "Outro");
  editor->SetGroupIndex(7);
  editor->SetText("Nada");
  editor->Commit();
  EXPECT_EQ(t.groups[0]->Caption(), "Entrada de Dados");
  EXPECT_EQ(t.groups[1]->Caption(), "Outro");
}
