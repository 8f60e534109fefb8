// The item drag of the vertical list: drop places, moving and copying within
// a list and into another, Ctrl and Escape, cancelling, the drop mark, the
// automatic scrolling, the cursor that always comes back, and a drag that
// crosses to another group of an out bar.

#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

namespace {

std::vector<std::string> Captions(TGBVertListView& list) {
  std::vector<std::string> out;
  for (TListItem* item : list.Items()) out.push_back(item->Caption());
  return out;
}

using Names = std::vector<std::string>;

// The control under a screen point among the given ones (the first that
// shows and covers it).
std::function<TControl*(TPoint)> LookUp(std::vector<TControl*> candidates) {
  return [candidates](TPoint p) -> TControl* {
    for (TControl* c : candidates) {
      if (!c->isVisible()) continue;
      const TPoint local = c->ScreenToClient(p);
      if (PtInRect(c->ClientRect(), local)) return c;
    }
    return nullptr;
  };
}

// Two toolbar lists side by side on a sheet.
struct Lists {
  FakeGuiServices services;
  TImageList images{32, 32};
  std::unique_ptr<TPanel> sheet = std::make_unique<TPanel>();
  TGBVertListView* a;
  TGBVertListView* b;
  std::vector<std::string> journal;

  explicit Lists(int height = 454) {
    test_icons::AddToolbarIcons(images);
    sheet->SetBounds(0, 0, 240, height);
    sheet->SetBevelOuter(bvNone);
    a = MakeList(0, height, {"Novo", "Abrir", "Salvar", "Imprimir"});
    b = MakeList(120, height, {"Salvar", "Imprimir"});
    services.controlAt = LookUp({a, b, sheet.get()});
    sheet->show();
  }

  TGBVertListView* MakeList(int left, int height, const std::vector<std::string>& captions) {
    auto* list = new TGBVertListView;
    list->SetParent(sheet.get());
    list->SetBorderStyle(bsNone);
    list->SetBounds(left, 0, 109, height);
    list->SetLargeImages(&images);
    list->SetDragPlaceColor(clRed);
    int i = 0;
    for (const std::string& c : captions) {
      auto* item = static_cast<TGBVertListItem*>(list->Items().Add());
      item->SetCaption(c);
      item->SetImageIndex(i++ % 6);
    }
    list->OnButtonClick = [this, list](TPersistent*, TListItem* item) {
      journal.push_back((list == a ? "a " : "b ") + item->Caption());
    };
    return list;
  }

  TPoint IconCentre(TGBVertListView* list, int i) {
    const TRect r = list->Items()[i]->DisplayRect(drIcon);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  // A point of `on` in the client coordinates of `from` (where the captured
  // mouse reports it), with the cursor there.
  TPoint Via(TGBVertListView* from, TControl* on, TPoint p) {
    services.cursorPos = on->ClientToScreen(p);
    return from->ScreenToClient(services.cursorPos);
  }
  // The gap between items i - 1 and i of a list, on its centre line.
  TPoint Gap(TGBVertListView* list, int i) {
    const TRect before = list->Items()[i - 1]->DisplayRect(drBounds);
    const TRect after = list->Items()[i]->DisplayRect(drBounds);
    return {54, (before.Bottom + after.Top) / 2};
  }
  void Press(TGBVertListView* list, TPoint p, TShiftState shift = ssLeft) {
    services.cursorPos = list->ClientToScreen(p);
    list->WMButtonDown(mbLeft, shift, p.X, p.Y);
  }
  void Move(TGBVertListView* list, TPoint p, TShiftState shift = ssLeft) { list->WMMouseMove(shift, p.X, p.Y); }
  void Release(TGBVertListView* list, TPoint p) { list->WMButtonUp(mbLeft, 0, p.X, p.Y); }
  // Press on item i of from, move off it, then to p of `on`.
  void Drag(TGBVertListView* from, int i, TControl* on, TPoint p, TShiftState shift = ssLeft) {
    const TPoint start = IconCentre(from, i);
    Press(from, start, shift);
    Move(from, {start.X, start.Y + 8}, shift);
    Move(from, Via(from, on, p), shift);
  }
};

}  // namespace

TEST(VertListDrop, DropIndexesAboveBetweenOnAndBelowItems) {
  Lists l;
  TGBVertListView* a = l.a;
  EXPECT_EQ(a->DropIndexAt(54, 2), 0);
  EXPECT_EQ(a->DropIndexAt(54, l.Gap(a, 2).Y), 2);
  const TPoint on = l.IconCentre(a, 1);
  EXPECT_EQ(a->DropIndexAt(on.X, on.Y), -1);
  const TRect last = a->Items()[3]->DisplayRect(drBounds);
  EXPECT_EQ(a->DropIndexAt(54, last.Bottom + 20), 4);
  EXPECT_EQ(a->DropIndexAt(54, -1), -1);
  EXPECT_EQ(a->DropIndexAt(200, 100), -1);
  // Below a last item that is only partly visible nothing drops.
  a->SetHeight(last.Bottom + 3);
  EXPECT_EQ(a->DropIndexAt(54, last.Bottom + 1), -1);
  a->SetHeight(last.Bottom + 6);
  EXPECT_EQ(a->DropIndexAt(54, last.Bottom + 1), 4);
  TGBVertListView empty;
  empty.SetBounds(0, 0, 109, 200);
  EXPECT_EQ(empty.DropIndexAt(54, 100), 0);
}

TEST(VertListDrop, MovingWithinAListKeepsTheItems) {
  Lists l;
  const QCursor* before = QGuiApplication::overrideCursor();
  l.Drag(l.a, 0, l.a, l.Gap(l.a, 3));
  EXPECT_TRUE(l.a->Dragging());
  EXPECT_TRUE(l.a->DropAccepted());
  EXPECT_EQ(l.a->DropIndex(), 3);
  EXPECT_EQ(Screen::Cursor(), crDragMove);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().toImage(), LoadOutCursor("OUTDRAGMOVE").pixmap().toImage());
  // On an item: no drop, the no-drop cursor.
  l.Move(l.a, l.Via(l.a, l.a, l.IconCentre(l.a, 2)));
  EXPECT_FALSE(l.a->DropAccepted());
  EXPECT_EQ(Screen::Cursor(), crNoDrop);
  l.Move(l.a, l.Via(l.a, l.a, l.Gap(l.a, 3)));
  l.Release(l.a, l.Gap(l.a, 3));
  EXPECT_EQ(Captions(*l.a), (Names{"Abrir", "Salvar", "Novo", "Imprimir"}));
  EXPECT_FALSE(l.a->Dragging());
  EXPECT_EQ(l.a->DropIndex(), -1);
  EXPECT_EQ(l.a->PressedItem(), nullptr);
  EXPECT_TRUE(l.journal.empty());
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  EXPECT_EQ(DragHookView, nullptr);
  EXPECT_EQ(DragKeyboardHook, 0);
}

TEST(VertListDrop, MovingIntoAnotherList) {
  Lists l;
  std::vector<std::string> events;
  l.b->OnDragDrop = [&](TPersistent* sender, TPersistent* source, int, int) {
    EXPECT_EQ(sender, l.b);
    EXPECT_EQ(source, l.a);
    events.push_back("drop");
  };
  l.a->OnEndDrag = [&](TPersistent* sender, TPersistent* target, int, int) {
    EXPECT_EQ(sender, l.a);
    EXPECT_EQ(target, l.b);
    events.push_back("end");
  };
  l.b->OnDragOver = [&](TPersistent*, TPersistent*, int, int, TDragState, bool&) {};
  l.Drag(l.a, 1, l.b, l.Gap(l.b, 1));
  EXPECT_EQ(l.a->DropTarget(), l.b);
  EXPECT_EQ(l.b->DropIndex(), 1);
  EXPECT_EQ(l.a->DropIndex(), -1);
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(events, (Names{"drop", "end"}));
  EXPECT_EQ(Captions(*l.a), (Names{"Novo", "Salvar", "Imprimir"}));
  EXPECT_EQ(Captions(*l.b), (Names{"Salvar", "Abrir", "Imprimir"}));
  EXPECT_EQ(l.b->DropIndex(), -1);
  EXPECT_EQ(l.a->HotItem(), nullptr);
}

TEST(VertListDrop, CtrlCopiesTheItemWithoutItsHotImage) {
  Lists l;
  auto* source = static_cast<TGBVertListItem*>(l.a->Items()[2]);
  source->Command = "relatorio.pdf";
  source->Parameters = "-p";
  source->HotImageIndex = 4;
  source->SetSelectedImageIndex(5);
  l.Drag(l.a, 2, l.b, l.Gap(l.b, 1), ssLeft | ssCtrl);
  EXPECT_TRUE(l.a->Copying());
  EXPECT_EQ(l.a->DragCursor(), crDragCopy);
  EXPECT_EQ(Screen::Cursor(), crDragCopy);
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(Captions(*l.a), (Names{"Novo", "Abrir", "Salvar", "Imprimir"}));
  ASSERT_EQ(Captions(*l.b), (Names{"Salvar", "Salvar", "Imprimir"}));
  auto* copy = static_cast<TGBVertListItem*>(l.b->Items()[1]);
  EXPECT_NE(copy, source);
  EXPECT_EQ(copy->ImageIndex(), source->ImageIndex());
  EXPECT_EQ(copy->Command, "relatorio.pdf");
  EXPECT_EQ(copy->Parameters, "-p");
  EXPECT_EQ(copy->SelectedImageIndex(), 5);
  EXPECT_EQ(copy->HotImageIndex, -1);
}

TEST(VertListDrop, CtrlDuringTheDragSwitchesBetweenCopyAndMove) {
  Lists l;
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  EXPECT_FALSE(l.a->Copying());
  l.services.ctrlDown = true;
  QTest::keyPress(l.b, Qt::Key_Control);
  EXPECT_TRUE(l.a->Copying());
  EXPECT_EQ(Screen::Cursor(), crDragCopy);
  l.services.ctrlDown = false;
  QTest::keyRelease(l.b, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_FALSE(l.a->Copying());
  EXPECT_EQ(Screen::Cursor(), crDragMove);
  l.services.ctrlDown = true;
  QTest::keyPress(l.b, Qt::Key_Control);
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(l.a->Items().Count(), 4);
  EXPECT_EQ(l.b->Items().Count(), 3);
}

TEST(VertListDrop, EscapeCancelsAndTheKeyGoesNoFurther) {
  Lists l;
  const QCursor* before = QGuiApplication::overrideCursor();
  int keys = 0;
  l.b->OnKeyDown = [&](TPersistent*, int& key, TShiftState) {
    if (key == VK_ESCAPE) ++keys;
  };
  int releases = 0;
  l.a->OnMouseUp = [&](TPersistent*, TMouseButton, TShiftState, int, int) { ++releases; };
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  ASSERT_EQ(l.b->DropIndex(), 1);
  QTest::keyPress(l.b, Qt::Key_Escape);
  EXPECT_EQ(keys, 0);
  EXPECT_FALSE(l.a->Dragging());
  // The cancel's own release ended the drag.
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(l.b->DropIndex(), -1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  EXPECT_EQ(DragHookView, nullptr);
  QTest::keyRelease(l.b, Qt::Key_Escape);
  // The user's release that follows does nothing.
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(Captions(*l.a), (Names{"Novo", "Abrir", "Salvar", "Imprimir"}));
  EXPECT_EQ(Captions(*l.b), (Names{"Salvar", "Imprimir"}));
  EXPECT_TRUE(l.journal.empty());
  // Without a drag the key reaches the list again.
  QTest::keyPress(l.b, Qt::Key_Escape);
  EXPECT_EQ(keys, 1);
}

TEST(VertListDrop, WithDragsDisabledAPressMoveReleaseDoesNothing) {
  Lists l;
  l.a->SetDragEnabled(false);
  const QCursor* before = QGuiApplication::overrideCursor();
  l.Drag(l.a, 0, l.a, l.Gap(l.a, 3));
  EXPECT_TRUE(l.a->Dragging());
  EXPECT_EQ(l.a->DropIndex(), -1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  l.Release(l.a, l.Gap(l.a, 3));
  EXPECT_EQ(Captions(*l.a), (Names{"Novo", "Abrir", "Salvar", "Imprimir"}));
  EXPECT_TRUE(l.journal.empty());
  EXPECT_FALSE(l.a->Dragging());
  // Nor does a list that refuses: a move onto it is no drop.
  l.b->SetDragEnabled(false);
  l.a->SetDragEnabled(true);
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  EXPECT_FALSE(l.a->DropAccepted());
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(l.b->Items().Count(), 2);
  EXPECT_EQ(l.a->Items().Count(), 4);
}

TEST(VertListDrop, AFailingTargetCancelsTheDragQuietly) {
  Lists l;
  const QCursor* before = QGuiApplication::overrideCursor();
  l.b->OnDragOver = [&](TPersistent*, TPersistent*, int, int, TDragState, bool&) { throw Exception("alvo"); };
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  EXPECT_FALSE(l.a->Dragging());
  EXPECT_TRUE(RecordedExceptions().empty());
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  l.Release(l.a, l.Via(l.a, l.b, l.Gap(l.b, 1)));
  EXPECT_EQ(l.a->Items().Count(), 4);
  EXPECT_EQ(l.b->Items().Count(), 2);
  EXPECT_TRUE(l.journal.empty());
}

TEST(VertListDrop, CancelModeDeactivationAndADyingListGiveTheCursorBack) {
  Lists l;
  const QCursor* before = QGuiApplication::overrideCursor();
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  ASSERT_NE(QGuiApplication::overrideCursor(), before);
  CancelCaptureMode();
  EXPECT_FALSE(l.a->Dragging());
  EXPECT_EQ(l.a->HotItem(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  EXPECT_EQ(l.b->DropIndex(), -1);

  // The program loses the focus: the drag ends too.
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  ASSERT_TRUE(l.a->Dragging());
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &inactive);
  EXPECT_FALSE(l.a->Dragging());
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  EXPECT_EQ(DragHookView, nullptr);

  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  ASSERT_TRUE(l.a->Dragging());
  delete l.a;
  l.services.controlAt = LookUp({l.b});
  EXPECT_EQ(QGuiApplication::overrideCursor(), before);
  EXPECT_EQ(DragHookView, nullptr);
  EXPECT_EQ(DragKeyboardHook, 0);
  EXPECT_EQ(l.b->DropIndex(), -1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(VertListDrop, OtherListsLeaveARunningDragAlone) {
  Lists l;
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  ASSERT_EQ(DragHookView, l.a);
  const int hook = DragKeyboardHook;
  // A right press on another list cancels nothing of this drag.
  l.b->WMButtonDown(mbRight, ssRight, 10, 10);
  l.b->WMButtonUp(mbRight, 0, 10, 10);
  EXPECT_EQ(DragHookView, l.a);
  EXPECT_EQ(DragKeyboardHook, hook);
  // Nor does another list going.
  delete new TGBVertListView;
  EXPECT_EQ(DragHookView, l.a);
  EXPECT_TRUE(l.a->Dragging());
  QTest::keyPress(l.b, Qt::Key_Escape);
  EXPECT_FALSE(l.a->Dragging());
}

TEST(VertListDrop, NoPressedItemNothingInserted) {
  Lists l;
  bool accept = true;
  l.b->DragOver(l.a, l.Gap(l.b, 1).X, l.Gap(l.b, 1).Y, dsDragMove, accept);
  EXPECT_TRUE(accept);
  ASSERT_EQ(l.b->DropIndex(), 1);
  ASSERT_EQ(l.a->PressedItem(), nullptr);
  l.a->DoEndDrag(l.b, 0, 0);
  EXPECT_EQ(l.b->Items().Count(), 2);
  EXPECT_EQ(l.a->Items().Count(), 4);
}

TEST(VertListDrop, TheMarkShowsBetweenItemsAndGoesAfterTheDrop) {
  Lists l;
  const QColor red = Rgb(clRed);
  auto rowOf = [&](TGBVertListView* list) {
    const TRect r = list->DropMarkRect();
    return (r.Top + r.Bottom) / 2;
  };
  const int w = l.b->ClientWidth();
  // Between two items: the line and two whole triangles.
  l.Drag(l.a, 0, l.b, l.Gap(l.b, 1));
  QImage img = Snap(*l.b);
  int c = rowOf(l.b);
  EXPECT_EQ(c, l.b->SlotHeight(l.b->Items()[0]));
  for (int x : {2, 20, 54, w - 3}) EXPECT_EQ(PixelAt(img, x, c), red) << x;
  EXPECT_NE(PixelAt(img, w - 1, c), red);
  for (int x : {2, w - 2}) {
    EXPECT_EQ(PixelAt(img, x, c - 4), red) << x;
    EXPECT_EQ(PixelAt(img, x, c + 4), red) << x;
    EXPECT_NE(PixelAt(img, x, c - 5), red) << x;
    EXPECT_NE(PixelAt(img, x, c + 5), red) << x;
  }
  EXPECT_EQ(PixelAt(img, 3, c - 3), red);
  EXPECT_EQ(PixelAt(img, 3, c + 3), red);
  EXPECT_NE(PixelAt(img, 11, c - 1), red);
  EXPECT_EQ(CountOutside(img, {0, c - 4, w, c + 5}, red), 0);

  // After the last item: flat at the bottom.
  const TRect last = l.b->Items()[1]->DisplayRect(drBounds);
  l.Move(l.a, l.Via(l.a, l.b, {54, last.Bottom + 30}));
  ASSERT_EQ(l.b->DropIndex(), 2);
  img = Snap(*l.b);
  c = rowOf(l.b);
  EXPECT_EQ(PixelAt(img, 3, c - 3), red);
  EXPECT_NE(PixelAt(img, 3, c + 3), red);
  EXPECT_EQ(PixelAt(img, 54, c), red);
  // Above the first: flat on top.
  l.Move(l.a, l.Via(l.a, l.b, {54, 2}));
  ASSERT_EQ(l.b->DropIndex(), 0);
  img = Snap(*l.b);
  c = rowOf(l.b);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(PixelAt(img, 3, c + 3), red);
  EXPECT_EQ(PixelAt(img, 54, c), red);

  l.Release(l.a, l.Via(l.a, l.b, {54, 2}));
  EXPECT_EQ(Captions(*l.b), (Names{"Novo", "Salvar", "Imprimir"}));
  img = Snap(*l.b);
  EXPECT_EQ(BoundsOf(img, red), TRect{});
  EXPECT_EQ(BoundsOf(Snap(*l.a), red), TRect{});
}

TEST(VertListDrop, HeldNearTheBottomTheListScrollsOneSlotATick) {
  Lists l(200);
  for (const char* c : {"Um", "Dois", "Três", "Quatro"}) l.a->Items().Add()->SetCaption(c);
  ASSERT_TRUE(l.a->MoreBelow());
  const TPoint nearBottom{54, l.a->ClientHeight() - 5};
  l.Drag(l.a, 0, l.a, nearBottom);
  TTimer& timer = l.a->AutoScrollTimer();
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 200);
  const int slot = l.a->SlotHeight(l.a->Items()[0]);
  timer.Tick();
  EXPECT_EQ(l.a->ScrollOrigin().Y, slot);
  int ticks = 1;
  while (timer.Enabled() && ticks < 20) {
    timer.Tick();
    ++ticks;
  }
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(l.a->MoreBelow());
  EXPECT_LT(ticks, 20);
  // Away from the edges the scrolling stops; near the top it goes back up.
  l.Move(l.a, {54, 100});
  l.Move(l.a, {54, 5});
  EXPECT_TRUE(timer.Enabled());
  timer.Tick();
  EXPECT_LT(l.a->ScrollOrigin().Y, slot * ticks);
  l.Release(l.a, {54, 5});
  EXPECT_FALSE(timer.Enabled());
}

TEST(VertListDrop, ADragCrossesToAnotherGroupOfTheBar) {
  FakeGuiServices services;
  TImageList images(32, 32);
  test_icons::AddToolbarIcons(images);
  TGBOutBar bar;
  bar.SetBounds(0, 0, 109, 420);
  bar.SetLargeImages(&images);
  TGBOutBarGroup* g0 = bar.AddGroup();
  TGBOutBarGroup* g1 = bar.AddGroup();
  g0->SetCaption("Entrada de Dados");
  g1->SetCaption("Resultado");
  auto* a = static_cast<TGBVertListView*>(FindVertList(g0));
  auto* b = static_cast<TGBVertListView*>(FindVertList(g1));
  for (const char* c : {"Novo", "Abrir", "Salvar"}) a->Items().Add()->SetCaption(c);
  for (const char* c : {"Salvar", "Imprimir"}) b->Items().Add()->SetCaption(c);
  bar.show();
  services.controlAt = LookUp({a, b, &bar});

  // Press on an item of the first group's list and drag it over the other
  // group's caption.
  const TRect icon = a->Items()[1]->DisplayRect(drIcon);
  const TPoint start{(icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2};
  services.cursorPos = a->ClientToScreen(start);
  a->WMButtonDown(mbLeft, ssLeft, start.X, start.Y);
  a->WMMouseMove(ssLeft, start.X, start.Y + 8);
  const TRect caption = bar.GetCaptionRect(1);
  services.cursorPos = bar.ClientToScreen({54, (caption.Top + caption.Bottom) / 2});
  TPoint p = a->ScreenToClient(services.cursorPos);
  a->WMMouseMove(ssLeft, p.X, p.Y);
  EXPECT_EQ(a->DropTarget(), &bar);
  EXPECT_EQ(bar.DragIndex(), 1);
  // Half a second later the page switches; the first list is hidden.
  bar.DragTimer().Tick();
  ASSERT_EQ(bar.ActiveGroupIndex(), 1);
  EXPECT_FALSE(a->isVisible());
  EXPECT_TRUE(b->isVisible());
  EXPECT_TRUE(a->Dragging());
  EXPECT_EQ(GetCapture(), a);

  // The pointer moves over the second list: the events reach the hidden
  // list holding the capture.
  const TRect before = b->Items()[0]->DisplayRect(drBounds);
  const TRect after = b->Items()[1]->DisplayRect(drBounds);
  const QPoint local(54, (before.Bottom + after.Top) / 2);
  services.cursorPos = b->ClientToScreen({local.x(), local.y()});
  const QPoint global = b->mapToGlobal(local);
  QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(b, &move);
  EXPECT_EQ(a->DropTarget(), b);
  EXPECT_EQ(b->DropIndex(), 1);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(b, &release);
  EXPECT_FALSE(a->Dragging());
  EXPECT_EQ(Captions(*a), (Names{"Novo", "Salvar"}));
  EXPECT_EQ(Captions(*b), (Names{"Salvar", "Abrir", "Imprimir"}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
