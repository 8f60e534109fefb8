// Items as buttons: the order and count of the events a press gives, the
// move allowance, selection by code and keyboard, double clicks, opening an
// item's command.

#include <gtest/gtest.h>
#include <QTest>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/gui/InputHub.h"
#include "platform/gui/Menus.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/VertListFixture.h"

namespace {

struct Clicks : VertListFixture {
  RecordingShell shell;
  FakeGuiServices services;
  std::vector<std::string> journal;

  Clicks() : VertListFixture({"Novo", "Abrir", "Salvar", "Imprimir"}) {
    list->SetShell(&shell);
    list->OnExecuteItem = [this](TPersistent* sender, TGBVertListItem* item, bool&) {
      EXPECT_EQ(sender, list.get());
      journal.push_back("execute " + item->Caption());
    };
    list->OnButtonClick = [this](TPersistent* sender, TListItem* item) {
      EXPECT_EQ(sender, list.get());
      journal.push_back("button " + item->Caption());
    };
    for (int i = 0; i < list->Items().Count(); ++i) {
      TGBVertListItem* item = Item(i);
      item->OnItemClick = [this, item](TPersistent* sender) {
        EXPECT_EQ(sender, list.get());
        journal.push_back("item " + item->Caption());
      };
    }
    list->show();
  }

  QPoint IconCentre(int i) {
    TPoint c = Centre(list->Items()[i]->DisplayRect(drIcon));
    services.cursorPos = list->ClientToScreen(c);
    return {c.X, c.Y};
  }
  void Press(QPoint at) { QTest::mousePress(list.get(), Qt::LeftButton, Qt::NoModifier, at); }
  void Release(QPoint at) { QTest::mouseRelease(list.get(), Qt::LeftButton, Qt::NoModifier, at); }
  void MoveHeld(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, list->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.get(), &move);
  }
  void Click(int i) {
    QPoint at = IconCentre(i);
    Press(at);
    Release(at);
  }
};

using Journal = std::vector<std::string>;

}  // namespace

TEST(VertListClick, APressAndReleaseExecutesThenTheItemThenTheList) {
  Clicks c;
  int mouseDowns = 0, mouseUps = 0, clicks = 0;
  c.list->OnMouseDown = [&](TPersistent*, TMouseButton, TShiftState, int, int) { ++mouseDowns; };
  c.list->OnMouseUp = [&](TPersistent*, TMouseButton, TShiftState, int, int) { ++mouseUps; };
  c.list->OnClick = [&](TPersistent*) { ++clicks; };
  QPoint at = c.IconCentre(1);
  c.Press(at);
  EXPECT_EQ(c.list->PressedItem(), c.list->Items()[1]);
  EXPECT_EQ(c.list->HotItem(), c.list->Items()[1]);
  EXPECT_TRUE(c.journal.empty());
  c.Release(at);
  EXPECT_EQ(c.journal, (Journal{"execute Abrir", "item Abrir", "button Abrir"}));
  EXPECT_EQ(c.list->Selected(), c.list->Items()[1]);
  EXPECT_EQ(c.list->ItemFocused(), c.list->Items()[1]);
  EXPECT_EQ(c.list->PressedItem(), nullptr);
  EXPECT_FALSE(c.list->MouseCapture());
  EXPECT_EQ(mouseDowns, 1);
  EXPECT_EQ(mouseUps, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(c.shell.opened.empty());
}

TEST(VertListClick, FivePixelsOfMovementStillClickSixDoNot) {
  Clicks c;
  QPoint at = c.IconCentre(0);
  c.Press(at);
  c.MoveHeld(at + QPoint(5, -5));
  c.Release(at + QPoint(5, -5));
  EXPECT_EQ(c.journal.size(), 3u);

  c.journal.clear();
  int clicks = 0;
  c.list->OnClick = [&](TPersistent*) { ++clicks; };
  c.Press(at);
  c.MoveHeld(at + QPoint(0, 6));
  EXPECT_TRUE(c.list->Dragging());
  c.Release(at + QPoint(0, 6));
  EXPECT_TRUE(c.journal.empty());
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(c.list->Dragging());
  EXPECT_EQ(c.list->PressedItem(), nullptr);
}

TEST(VertListClick, TheSelectedItemClicksAgainButReselectingItIsNoClick) {
  Clicks c;
  c.Click(2);
  c.Click(2);
  EXPECT_EQ(c.journal, (Journal{"execute Salvar", "item Salvar", "button Salvar", "execute Salvar", "item Salvar",
                                "button Salvar"}));
  c.journal.clear();
  c.list->Items()[2]->SetSelected(true);
  c.list->SetSelected(c.list->Items()[2]);
  EXPECT_TRUE(c.journal.empty());
  // By keyboard (the keys move the selection only with a sunken selection).
  c.list->SetSunkSelected(true);
  c.list->SetFocus();
  int key = VK_UP;
  c.list->KeyDown(key, 0);
  EXPECT_EQ(c.journal, (Journal{"execute Abrir", "item Abrir", "button Abrir"}));
  c.journal.clear();
  key = VK_HOME;
  c.list->KeyDown(key, 0);
  EXPECT_EQ(c.journal, (Journal{"execute Novo", "item Novo", "button Novo"}));
  c.journal.clear();
  key = VK_HOME;
  c.list->KeyDown(key, 0);
  EXPECT_TRUE(c.journal.empty());
}

TEST(VertListClick, SelectingAnotherItemByCodeClicksIt) {
  Clicks c;
  c.Click(0);
  c.journal.clear();
  c.list->Items()[3]->SetSelected(true);
  EXPECT_EQ(c.journal, (Journal{"execute Imprimir", "item Imprimir", "button Imprimir"}));
  EXPECT_EQ(c.list->Selected(), c.list->Items()[3]);
}

TEST(VertListClick, NavigationKeysAreSwallowedWithoutASunkenSelection) {
  Clicks c;
  c.Click(1);
  c.journal.clear();
  int seen = 0;
  c.list->OnKeyDown = [&](TPersistent*, int&, TShiftState) { ++seen; };
  for (int k : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT}) {
    int key = k;
    c.list->KeyDown(key, 0);
    EXPECT_EQ(key, 0);
  }
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(c.list->Selected(), c.list->Items()[1]);
  int key = VK_RETURN;
  c.list->KeyDown(key, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_TRUE(c.journal.empty());
}

TEST(VertListClick, WithDoubleClicksAPressOnlyClicksAndADoubleClickOpens) {
  Clicks c;
  c.list->OnExecuteItem = nullptr;
  c.list->SetUseDblClick(true);
  c.Item(1)->Command = "notas.txt";
  c.Item(1)->Parameters = "-r";
  int dblClicks = 0;
  c.list->OnDblClick = [&](TPersistent*) { ++dblClicks; };
  QPoint at = c.IconCentre(1);
  c.Press(at);
  c.Release(at);
  EXPECT_EQ(c.journal, (Journal{"item Abrir", "button Abrir"}));
  EXPECT_TRUE(c.shell.opened.empty());
  QTest::mouseDClick(c.list.get(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(c.shell.opened, (std::vector<std::string>{"notas.txt"}));
  EXPECT_EQ(c.shell.parameters, (std::vector<std::string>{"-r"}));
  EXPECT_EQ(dblClicks, 1);
  EXPECT_EQ(c.journal.size(), 2u);
  EXPECT_EQ(c.list->PressedItem(), nullptr);
}

TEST(VertListClick, WithoutDoubleClicksADoubleClickIsOneItemPress) {
  Clicks c;
  int dblClicks = 0;
  std::vector<TShiftState> downs;
  c.list->OnDblClick = [&](TPersistent*) { ++dblClicks; };
  c.list->OnMouseDown = [&](TPersistent*, TMouseButton, TShiftState shift, int, int) { downs.push_back(shift); };
  QPoint at = c.IconCentre(2);
  c.Press(at);
  c.Release(at);
  QTest::mouseDClick(c.list.get(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(c.journal, (Journal{"execute Salvar", "item Salvar", "button Salvar"}));
  EXPECT_EQ(dblClicks, 1);
  // The second press is a press of its own, then comes the double click.
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_FALSE(downs[1] & ssDouble);
  EXPECT_TRUE(downs[2] & ssDouble);
  EXPECT_EQ(c.list->PressedItem(), c.list->Items()[2]);
}

TEST(VertListClick, AHandledExecuteOrAnItemWithoutCommandOpensNothing) {
  Clicks c;
  c.Item(0)->Command = "https://example.org/ajuda";
  c.list->OnExecuteItem = [&](TPersistent*, TGBVertListItem*, bool& processed) { processed = true; };
  c.Click(0);
  EXPECT_TRUE(c.shell.opened.empty());
  c.list->OnExecuteItem = nullptr;
  c.Click(1);
  EXPECT_TRUE(c.shell.opened.empty());
  c.Click(0);
  EXPECT_EQ(c.shell.opened, (std::vector<std::string>{"https://example.org/ajuda"}));
  EXPECT_EQ(c.shell.parameters, (std::vector<std::string>{""}));
}

TEST(VertListClick, AnItemFreedByItsHandlerEndsThePressQuietly) {
  Clicks c;
  c.list->OnExecuteItem = [&](TPersistent*, TGBVertListItem* item, bool&) { delete item; };
  c.Click(1);
  EXPECT_EQ(c.list->Items().Count(), 3);
  EXPECT_EQ(c.list->PressedItem(), nullptr);
  EXPECT_EQ(c.list->HotItem(), nullptr);
  EXPECT_EQ(c.list->Selected(), nullptr);
  EXPECT_TRUE(c.journal.empty());
  EXPECT_TRUE(RecordedExceptions().empty());
}

namespace {

// Items made in one fixed place, so a new item has the address of the one
// freed before it.
struct PooledItem : TGBVertListItem {
  using TGBVertListItem::TGBVertListItem;
  static void* operator new(std::size_t size) {
    EXPECT_LE(size, sizeof(slot));
    return slot;
  }
  static void operator delete(void*) {}
  alignas(std::max_align_t) static inline unsigned char slot[sizeof(TGBVertListItem) + 64];
};

struct PooledList : TGBVertListView {
  TListItem* CreateListItem() override { return new PooledItem(&Items()); }
};

}  // namespace

TEST(VertListClick, TheFreedPreviousSelectionIsForgotten) {
  PooledList list;
  std::vector<std::string> clicked;
  list.OnButtonClick = [&](TPersistent*, TListItem* item) { clicked.push_back(item->Caption()); };
  TListItem* first = list.Items().Add();
  first->SetCaption("Novo");
  first->SetSelected(true);
  list.SetSelected(nullptr);
  list.Items().Delete(0);
  TListItem* second = list.Items().Add();
  ASSERT_EQ(static_cast<void*>(second), static_cast<void*>(PooledItem::slot));
  second->SetCaption("Abrir");
  second->SetSelected(true);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Novo", "Abrir"}));
}

TEST(VertListClick, ARightPressEndsALeftPressWithoutAClick) {
  Clicks c;
  QPoint at = c.IconCentre(0);
  c.Press(at);
  c.list->WMButtonDown(mbRight, ssRight | ssLeft, at.x(), at.y());
  c.Release(at);
  EXPECT_TRUE(c.journal.empty());
}

TEST(VertListClick, TheHotItemsMenuComesFromOnPopupMenu) {
  Clicks c;
  TPopupMenu own, other;
  c.list->SetPopupMenu(&own);
  EXPECT_EQ(c.list->GetPopupMenu(), &own);
  TListItem* asked = nullptr;
  c.list->OnPopupMenu = [&](TPersistent*, TListItem* item, TPopupMenu*& menu) {
    asked = item;
    EXPECT_EQ(menu, &own);
    menu = &other;
  };
  c.list->SetHotItem(c.list->Items()[3]);
  EXPECT_EQ(c.list->GetPopupMenu(), &other);
  EXPECT_EQ(asked, c.list->Items()[3]);
  c.list->SetPopupMenu(nullptr);
}

TEST(VertListHot, TheHotItemFollowsThePointerAndLeavesWithIt) {
  Clicks c;
  QPoint at = c.IconCentre(2);
  c.list->WMMouseMove(0, at.x(), at.y());
  EXPECT_EQ(c.list->HotItem(), c.list->Items()[2]);
  EXPECT_TRUE(c.list->HotLeaveTimer().Running());
  // Over a scroll button there is no hot item.
  c.list->SetHeight(150);
  TGBScrollButton& down = c.list->DownButton();
  ASSERT_TRUE(down.Visible());
  c.list->WMMouseMove(0, down.Left() + 2, down.Top() + 2);
  EXPECT_EQ(c.list->HotItem(), nullptr);
  EXPECT_FALSE(c.list->HotLeaveTimer().Running());

  at = c.IconCentre(1);
  c.list->WMMouseMove(0, at.x(), at.y());
  ASSERT_EQ(c.list->HotItem(), c.list->Items()[1]);
  c.services.cursorPos = c.list->ClientToScreen({200, 10});
  SetCapture(&c.list->DownButton());
  c.list->HotLeaveTimer().Tick();
  EXPECT_EQ(c.list->HotItem(), c.list->Items()[1]);
  ReleaseCapture();
  c.list->HotLeaveTimer().Tick();
  EXPECT_EQ(c.list->HotItem(), nullptr);
}
