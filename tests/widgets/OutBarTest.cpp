// The out bar: its thirteen list settings and the Parent flags, new groups,
// images, one selection, item events through the bar, the invalid line
// count, the unit's cursors.

#include <gtest/gtest.h>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutBar.h"

namespace {

struct TwoGroups {
  FakeGuiServices services;
  TGBOutBar bar;
  TGBOutBarGroup* g0;
  TGBOutBarGroup* g1;
  TGBOutBarVertListView* a;
  TGBOutBarVertListView* b;

  TwoGroups() {
    bar.SetBounds(0, 0, 109, 400);
    g0 = bar.AddGroup();
    g1 = bar.AddGroup();
    a = dynamic_cast<TGBOutBarVertListView*>(FindVertList(g0));
    b = dynamic_cast<TGBOutBarVertListView*>(FindVertList(g1));
  }
};

void Paint(TBitmap& bmp, int side) {
  bmp.SetSize(side, side);
  bmp.Canvas().Brush().SetColor(clTeal);
  bmp.Canvas().FillRect({0, 0, side, side});
}

// A setting with its initial value (variant 0) and another one (variant 1),
// set on the bar and on a list, and read back from a list.
struct Setting {
  TOutBarSetting id;
  std::string name;
  std::function<void(TGBOutBar&, int)> setBar;
  std::function<void(TGBOutBarVertListView&, int)> setList;
  std::function<int(TGBOutBarVertListView&)> which;
};

template <class T>
int Variant(T value, T v0, T v1) {
  return value == v0 ? 0 : value == v1 ? 1 : -1;
}

std::vector<Setting> Settings() {
  static TBitmap empty;
  static TBitmap three;
  Paint(three, 3);
  std::vector<Setting> s;
  s.push_back({obsBackground, "Background", [](TGBOutBar& bar, int v) { bar.SetBackground(v ? three : empty); },
               [](TGBOutBarVertListView& l, int v) { l.SetBackground(v ? three : empty); },
               [](TGBOutBarVertListView& l) { return Variant(l.Background().Width(), 0, 3); }});
#define TQ_SETTING(ID, NAME, V0, V1)                                                 \
  s.push_back({ID, #NAME, [](TGBOutBar& bar, int v) { bar.Set##NAME(v ? V1 : V0); }, \
               [](TGBOutBarVertListView& l, int v) { l.Set##NAME(v ? V1 : V0); },    \
               [](TGBOutBarVertListView& l) { return Variant<decltype(V0)>(l.NAME(), V0, V1); }})
  TQ_SETTING(obsBackgroundMode, BackgroundMode, bkmNone, bkmStretch);
  TQ_SETTING(obsDragEnabled, DragEnabled, true, false);
  TQ_SETTING(obsDragPlaceColor, DragPlaceColor, clBlack, clRed);
  TQ_SETTING(obsGradientBeginColor, GradientBeginColor, clBlue, clTeal);
  TQ_SETTING(obsGradientEndColor, GradientEndColor, clBlack, clPurple);
  TQ_SETTING(obsHighlightColor, HighlightColor, clBtnFace, clYellow);
  TQ_SETTING(obsHighlightFontColor, HighlightFontColor, clBlack, clNavy);
  TQ_SETTING(obsHighlightSelection, HighlightSelection, false, true);
  TQ_SETTING(obsSelectionType, SelectionType, stStandard, stExpanded);
  TQ_SETTING(obsSunkSelected, SunkSelected, false, true);
  TQ_SETTING(obsUseDblClick, UseDblClick, false, true);
  TQ_SETTING(obsWrapLineCount, WrapLineCount, 1, 2);
#undef TQ_SETTING
  return s;
}

std::string What(const std::exception& e) {
  return e.what();
}

}  // namespace

TEST(OutBarFollowing, EachSettingReachesTheListsThatFollowIt) {
  const std::vector<Setting> settings = Settings();
  ASSERT_EQ(settings.size(), static_cast<std::size_t>(kOutBarSettingCount));
  for (const Setting& s : settings) {
    SCOPED_TRACE(s.name);
    TwoGroups t;
    ASSERT_TRUE(t.a && t.b);
    EXPECT_EQ(s.which(*t.a), 0);
    // Turning a flag off changes nothing else.
    t.b->SetFollows(s.id, false);
    EXPECT_EQ(s.which(*t.b), 0);
    // The bar's value reaches the following list only, whose flag stays on.
    s.setBar(t.bar, 1);
    EXPECT_EQ(s.which(*t.a), 1);
    EXPECT_TRUE(t.a->Follows(s.id));
    EXPECT_EQ(s.which(*t.b), 0);
    // The list's own value: an equal one keeps the flag, a differing one
    // ends following.
    if (s.id != obsBackground) {
      s.setList(*t.a, 1);
      EXPECT_TRUE(t.a->Follows(s.id));
    }
    s.setList(*t.a, 0);
    EXPECT_FALSE(t.a->Follows(s.id));
    EXPECT_EQ(s.which(*t.a), 0);
    // A later bar value passes it by.
    s.setBar(t.bar, 0);
    s.setBar(t.bar, 1);
    EXPECT_EQ(s.which(*t.a), 0);
    // The flag back on takes the bar's value at once.
    t.a->SetFollows(s.id, true);
    EXPECT_EQ(s.which(*t.a), 1);
    t.b->SetFollows(s.id, true);
    EXPECT_EQ(s.which(*t.b), 1);
    // The other settings' flags stayed on.
    for (const Setting& other : settings) {
      if (other.id != s.id) {
        EXPECT_TRUE(t.a->Follows(other.id)) << other.name;
      }
    }
  }
}

TEST(OutBarFollowing, AnyOtherPictureObjectEndsFollowingTheBackground) {
  TwoGroups t;
  TBitmap five;
  Paint(five, 5);
  t.bar.SetBackground(five);
  EXPECT_EQ(t.a->Background().Width(), 5);
  // The list's own picture object keeps the flag, an equal copy does not.
  t.a->SetBackground(t.a->Background());
  EXPECT_TRUE(t.a->ParentBackground());
  TBitmap same;
  same.Assign(t.bar.Background());
  t.a->SetBackground(same);
  EXPECT_FALSE(t.a->ParentBackground());
  // A change made on the bar's own picture reaches the following lists.
  t.bar.Background().SetSize(7, 7);
  EXPECT_EQ(t.b->Background().Width(), 7);
  EXPECT_EQ(t.a->Background().Width(), 5);
}

TEST(OutBarFollowing, AnInvalidLineCountChangesNothing) {
  TwoGroups t;
  t.bar.SetWrapLineCount(2);
  try {
    t.bar.SetWrapLineCount(0);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(What(e), "Invalid property value");
  }
  EXPECT_EQ(t.bar.WrapLineCount(), 2);
  EXPECT_EQ(t.a->WrapLineCount(), 2);
  EXPECT_EQ(t.b->WrapLineCount(), 2);
  EXPECT_TRUE(t.a->ParentWrapLineCount());
  // Turning a flag on again does not meet a bad value either.
  t.b->SetParentWrapLineCount(false);
  t.b->SetParentWrapLineCount(true);
  EXPECT_EQ(t.b->WrapLineCount(), 2);
}

TEST(OutBarGroups, ANewGroupsListFollowsEverything) {
  FakeGuiServices services;
  TGBOutBar bar;
  EXPECT_EQ(bar.ButtonSpaceColor(), clGray);
  TGBGroupBar plain;
  EXPECT_EQ(plain.ButtonSpaceColor(), clSilver);
  bar.SetBounds(0, 0, 109, 400);
  bar.SetWrapLineCount(2);
  bar.SetDragPlaceColor(clRed);
  TGBOutBarGroup* g = bar.AddGroup();
  EXPECT_EQ(g->Caption(), "New Group");
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  auto* list = dynamic_cast<TGBOutBarVertListView*>(FindVertList(g));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Parent(), g);
  EXPECT_EQ(list->GetOutBar(), &bar);
  for (int s = 0; s < kOutBarSettingCount; ++s) EXPECT_TRUE(list->Follows(static_cast<TOutBarSetting>(s))) << s;
  EXPECT_EQ(list->WrapLineCount(), 2);
  EXPECT_EQ(list->DragPlaceColor(), clRed);
  EXPECT_EQ(list->Align(), alClient);
  EXPECT_EQ(list->Color(), clAppWorkSpace);
  EXPECT_EQ(list->Font().Color(), clWhite);
  EXPECT_EQ(list->BorderStyle(), bsNone);
  // The list fills the page.
  EXPECT_EQ(list->BoundsRect(), (TRect{0, 0, g->Width(), g->Height()}));
  EXPECT_GT(g->Height(), 300);
}

TEST(OutBarImages, ListsShowTheBarsImagesUnlessTheyHaveTheirOwn) {
  TwoGroups t;
  auto barImages = std::make_unique<TImageList>(32, 32);
  auto own = std::make_unique<TImageList>(16, 16);
  t.bar.SetLargeImages(barImages.get());
  t.bar.SetSmallImages(barImages.get());
  auto shown = [](TGBOutBarVertListView* l) { return static_cast<TCustomListView*>(l)->LargeImages(); };
  EXPECT_EQ(shown(t.a), barImages.get());
  EXPECT_EQ(static_cast<TCustomListView*>(t.b)->SmallImages(), barImages.get());
  t.a->SetLargeImages(own.get());
  EXPECT_EQ(shown(t.a), own.get());
  EXPECT_EQ(shown(t.b), barImages.get());
  // The own list goes: back to the bar's.
  own.reset();
  EXPECT_EQ(t.a->LargeImages(), nullptr);
  EXPECT_EQ(shown(t.a), barImages.get());
  // The bar's list goes: none anywhere.
  barImages.reset();
  EXPECT_EQ(t.bar.LargeImages(), nullptr);
  EXPECT_EQ(t.bar.SmallImages(), nullptr);
  EXPECT_EQ(shown(t.a), nullptr);
  EXPECT_EQ(shown(t.b), nullptr);
}

TEST(OutBarSelection, OneSelectedKeepsOneSelectionAcrossTheGroups) {
  TwoGroups t;
  for (TGBOutBarVertListView* l : {t.a, t.b}) {
    for (const char* c : {"Novo", "Abrir"}) l->Items().Add()->SetCaption(c);
  }
  t.a->Items()[0]->SetSelected(true);
  t.b->Items()[1]->SetSelected(true);
  EXPECT_EQ(t.a->Selected(), t.a->Items()[0]);
  // Turned on: every group but the active one loses its selection.
  t.bar.SetOneSelected(true);
  EXPECT_EQ(t.a->Selected(), t.a->Items()[0]);
  EXPECT_EQ(t.b->Selected(), nullptr);
  t.b->Items()[0]->SetSelected(true);
  EXPECT_EQ(t.a->Selected(), nullptr);
  EXPECT_EQ(t.b->Selected(), t.b->Items()[0]);
  // Without a group the last one keeps its selection.
  t.a->Items()[1]->SetSelected(true);
  t.b->Items()[1]->SetSelected(true);
  t.bar.EnforceOneSelected(nullptr);
  EXPECT_EQ(t.a->Selected(), nullptr);
  EXPECT_EQ(t.b->Selected(), t.b->Items()[1]);
}

TEST(OutBarEvents, ItemEventsReachTheBarWithTheListAsSender) {
  TwoGroups t;
  RecordingShell shell;
  t.a->SetShell(&shell);
  auto* item = static_cast<TGBVertListItem*>(t.a->Items().Add());
  item->SetCaption("Abrir");
  item->Command = "planilha.xls";
  std::vector<std::string> journal;
  t.a->OnButtonClick = [&](TPersistent* sender, TListItem*) {
    EXPECT_EQ(sender, t.a);
    journal.push_back("list button");
  };
  t.bar.OnButtonClick = [&](TPersistent* sender, TListItem* i) {
    EXPECT_EQ(sender, t.a);
    EXPECT_EQ(i, item);
    journal.push_back("bar button");
  };
  t.a->OnExecuteItem = [&](TPersistent*, TGBVertListItem*, bool&) { journal.push_back("list execute"); };
  bool processed = true;
  t.bar.OnExecuteItem = [&](TPersistent* sender, TGBVertListItem* i, bool& p) {
    EXPECT_EQ(sender, t.a);
    EXPECT_EQ(i, item);
    journal.push_back("bar execute");
    p = processed;
  };
  t.a->ItemClick(item);
  EXPECT_EQ(journal, (std::vector<std::string>{"bar execute", "list button", "bar button"}));
  EXPECT_TRUE(shell.opened.empty());
  // Not processed by the bar: the list's own handling follows.
  journal.clear();
  processed = false;
  EXPECT_FALSE(t.a->ExecuteItem(item));
  EXPECT_EQ(journal, (std::vector<std::string>{"bar execute", "list execute"}));
  EXPECT_EQ(shell.opened.size(), 1u);

  // The bar's OnPopupMenu chooses the menu.
  TPopupMenu listMenu, barMenu;
  t.a->SetPopupMenu(&listMenu);
  t.bar.OnPopupMenu = [&](TPersistent* sender, TListItem*, TPopupMenu*& menu) {
    EXPECT_EQ(sender, t.a);
    EXPECT_EQ(menu, &listMenu);
    menu = &barMenu;
  };
  EXPECT_EQ(t.a->GetItemPopupMenu(item), &barMenu);

  // A list outside an out bar forwards nothing.
  TGBOutBarVertListView loose;
  EXPECT_EQ(loose.GetOutBar(), nullptr);
  EXPECT_EQ(loose.GetItemPopupMenu(nullptr), nullptr);
}

TEST(OutBarUnit, TheStartUpInstalledTheDragCursors) {
  auto same = [](const QCursor& a, const QCursor& b) {
    return a.shape() == Qt::BitmapCursor && a.pixmap().toImage() == b.pixmap().toImage() && a.hotSpot() == b.hotSpot();
  };
  EXPECT_TRUE(same(Screen::Cursors(crDragMove), LoadOutCursor("OUTDRAGMOVE")));
  EXPECT_TRUE(same(Screen::Cursors(crDragCopy), LoadOutCursor("OUTDRAGCOPY")));
  EXPECT_TRUE(same(Screen::Cursors(crNoDrop), LoadOutCursor("OUTNODROP")));
  // A second start-up does nothing.
  Screen::SetCursors(crDragMove, QCursor(Qt::CrossCursor));
  InitOutBarUnit();
  EXPECT_EQ(Screen::Cursors(crDragMove).shape(), Qt::CrossCursor);
  DoneOutBarUnit();
  Screen::SetCursors(crDragMove, LoadOutCursor("OUTDRAGMOVE"));
}
