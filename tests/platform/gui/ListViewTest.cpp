// The list view: items made by the factory, the redraw lock, selection
// notices (loser first), deletion, keyboard moves, the paint order and
// caption editing.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "platform/gui/ComCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

struct TaggedItem : TListItem {
  using TListItem::TListItem;
};

class JournalView : public TCustomListView {
public:
  JournalView() {
    SetBorderStyle(bsNone);
    SetViewStyle(vsSmallIcon);
  }
  TListItem* CreateListItem() override { return new TaggedItem(&Items()); }
  void SetRedraw(bool on) override {
    journal.push_back(on ? "redraw on" : "redraw off");
    TCustomListView::SetRedraw(on);
  }
  void ItemSelectionChanged(TListItem* item, bool selected) override {
    journal.push_back((selected ? "+" : "-") + item->Caption() + (Selected() ? " while " + Selected()->Caption() : ""));
    TCustomListView::ItemSelectionChanged(item, selected);
  }
  void DeleteItem(TListItem* item) override {
    journal.push_back("delete " + item->Caption());
    TCustomListView::DeleteItem(item);
  }
  void PaintBackground(const TRect& r) override {
    journal.push_back("background");
    TCustomListView::PaintBackground(r);
  }
  void ItemPrePaint(TListItem* item) override {
    journal.push_back("item " + item->Caption());
    TCustomListView::ItemPrePaint(item);
  }
  void PostPaint() override { journal.push_back("post"); }
  void AfterPaint() override { journal.push_back("after"); }

  std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

void Fill(TCustomListView& view, int n) {
  for (int i = 0; i < n; ++i) view.Items().Add()->SetCaption("i" + std::to_string(i));
}

}  // namespace

TEST(ListView, ItemsComeFromTheFactoryInOrder) {
  JournalView view;
  std::vector<TListItem*> inserted;
  view.OnInsert = [&](TPersistent*, TListItem* item) { inserted.push_back(item); };
  TListItem* a = view.Items().Add();
  TListItem* b = view.Items().Insert(0);
  EXPECT_NE(dynamic_cast<TaggedItem*>(a), nullptr);
  EXPECT_EQ(inserted, (std::vector<TListItem*>{a, b}));
  EXPECT_EQ(view.Items()[0], b);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->ListView(), &view);
  EXPECT_THROW(view.Items().Insert(3), EListError);
  EXPECT_THROW(view.Items()[2], EListError);
}

TEST(ListView, UpdatesNestAndLockTheRedrawOnce) {
  JournalView view;
  view.Items().BeginUpdate();
  view.Items().BeginUpdate();
  Fill(view, 3);
  view.Items().EndUpdate();
  EXPECT_EQ(view.journal, (Journal{"redraw off"}));
  view.Items().EndUpdate();
  view.Items().EndUpdate();
  EXPECT_EQ(view.journal, (Journal{"redraw off", "redraw on"}));
  EXPECT_TRUE(view.updatesEnabled());
}

TEST(ListView, TheLoserHearsFirstThenTheWinner) {
  JournalView view;
  Fill(view, 3);
  std::vector<std::string> events;
  view.OnSelectItem = [&](TPersistent*, TListItem* item, bool selected) {
    events.push_back(item->Caption() + (selected ? "+" : "-"));
  };
  view.Items()[0]->SetSelected(true);
  view.SetSelected(view.Items()[2]);
  view.Items()[2]->SetSelected(true);
  view.Items()[2]->SetSelected(false);
  EXPECT_EQ(view.journal, (Journal{"+i0 while i0", "-i0", "+i2 while i2", "-i2"}));
  EXPECT_EQ(events, (Journal{"i0+", "i0-", "i2+", "i2-"}));
  EXPECT_EQ(view.Selected(), nullptr);
  EXPECT_FALSE(view.Items()[2]->Selected());
}

TEST(ListView, OnChangingCanKeepTheSelection) {
  JournalView view;
  Fill(view, 2);
  view.Items()[0]->SetSelected(true);
  view.OnChanging = [](TPersistent*, TListItem*, TItemChange change, bool& allow) { allow = change != ctState; };
  view.Items()[1]->SetSelected(true);
  EXPECT_EQ(view.Selected(), view.Items()[0]);
  view.Items()[1]->SetCaption("novo");
  EXPECT_EQ(view.Items()[1]->Caption(), "novo");
}

TEST(ListView, ADeletedItemLeavesWithoutASelectionNotice) {
  JournalView view;
  Fill(view, 3);
  std::vector<std::string> deleted;
  view.OnDeletion = [&](TPersistent*, TListItem* item) { deleted.push_back(item->Caption()); };
  view.Items()[1]->SetSelected(true);
  view.SetItemFocused(view.Items()[1]);
  view.journal.clear();
  view.Items().Delete(1);
  EXPECT_EQ(view.journal, (Journal{"delete i1"}));
  EXPECT_EQ(view.Selected(), nullptr);
  EXPECT_EQ(view.ItemFocused(), nullptr);
  // Freeing the item itself takes the same way.
  delete view.Items()[0];
  EXPECT_EQ(view.Items().Count(), 1);
  EXPECT_EQ(view.Items()[0]->Caption(), "i2");
  EXPECT_EQ(deleted, (Journal{"i1", "i0"}));
  view.Items().Clear();
  EXPECT_EQ(view.Items().Count(), 0);
  EXPECT_EQ(deleted.back(), "i2");
}

TEST(ListView, ArrowsHomeEndAndPagesMoveTheSelection) {
  JournalView view;
  view.SetBounds(0, 0, 200, 120);
  Fill(view, 20);
  int page = 0;
  for (int i = 0; i < 20; ++i) {
    if (view.Items()[i]->DisplayRect(drBounds).Bottom <= 120) ++page;
  }
  ASSERT_GT(page, 1);
  auto press = [&](int key) {
    int k = key;
    view.KeyDown(k, 0);
    EXPECT_EQ(k, 0);
    return view.Selected() ? view.Selected()->Index() : -1;
  };
  EXPECT_EQ(press(VK_DOWN), 0);
  EXPECT_EQ(press(VK_DOWN), 1);
  EXPECT_EQ(press(VK_RIGHT), 2);
  EXPECT_EQ(press(VK_UP), 1);
  EXPECT_EQ(press(VK_LEFT), 0);
  EXPECT_EQ(press(VK_UP), 0);
  EXPECT_EQ(press(VK_NEXT), page);
  EXPECT_EQ(press(VK_PRIOR), 0);
  EXPECT_EQ(press(VK_END), 19);
  // The view scrolled to show it.
  TRect last = view.Items()[19]->DisplayRect(drBounds);
  EXPECT_LE(last.Bottom, 120);
  EXPECT_GT(view.ViewOrigin().Y, 0);
  EXPECT_EQ(press(VK_HOME), 0);
  EXPECT_GE(view.Items()[0]->DisplayRect(drBounds).Top, 0);
  EXPECT_EQ(view.ItemFocused(), view.Items()[0]);
  int other = 'A';
  view.KeyDown(other, 0);
  EXPECT_EQ(other, 'A');
}

TEST(ListView, APressSelectsTheItemUnderItOrNothing) {
  JournalView view;
  Fill(view, 3);
  TRect b = view.Items()[2]->DisplayRect(drBounds);
  view.WMButtonDown(mbLeft, ssLeft, b.Left + 1, b.Top + 1);
  EXPECT_EQ(view.Selected(), view.Items()[2]);
  EXPECT_EQ(view.ItemFocused(), view.Items()[2]);
  view.WMButtonUp(mbLeft, 0, b.Left + 1, b.Top + 1);
  view.WMButtonDown(mbRight, ssRight, 240, 140);
  EXPECT_EQ(view.Selected(), view.Items()[2]);
  view.WMButtonDown(mbLeft, ssLeft, 240, 140);
  EXPECT_EQ(view.Selected(), nullptr);
}

TEST(ListView, APaintRunsBackgroundItemsPostAndAfterInOrder) {
  JournalView view;
  Fill(view, 2);
  view.journal.clear();
  Snap(view);
  EXPECT_EQ(view.journal, (Journal{"background", "item i0", "item i1", "post", "after"}));
}

TEST(ListView, ImagesAndFontShapeTheItems) {
  TCustomListView view;
  view.SetViewStyle(vsIcon);
  view.Items().Add()->SetCaption("x");
  {
    TImageList images(24, 20);
    view.SetLargeImages(&images);
    EXPECT_EQ(view.Items()[0]->DisplayRect(drIcon).Width(), 28);
    EXPECT_EQ(view.Items()[0]->DisplayRect(drIcon).Height(), 24);
  }
  // The image list went: the view forgot it.
  EXPECT_EQ(view.LargeImages(), nullptr);
  EXPECT_EQ(view.Items()[0]->DisplayRect(drIcon).Width(), 4);
  view.Font().SetHeight(-20);
  const int line = QFontMetrics(view.Font().ToQFont()).height();
  EXPECT_EQ(view.Items()[0]->DisplayRect(drLabel).Height(), line);
}

TEST(ListView, CaptionEditingAsksTellsAndTakesTheText) {
  JournalView view;
  view.SetViewStyle(vsIcon);
  Fill(view, 2);
  view.show();
  std::vector<std::string> edited;
  view.OnEditing = [&](TPersistent*, TListItem* item, bool& allow) { allow = item->Index() != 1; };
  view.OnEdited = [&](TPersistent*, TListItem*, std::string& s) {
    edited.push_back(s);
    s += "!";
  };
  EXPECT_FALSE(view.Items()[1]->EditCaption());
  EXPECT_FALSE(view.IsEditing());

  ASSERT_TRUE(view.Items()[0]->EditCaption());
  auto* editor = qobject_cast<QPlainTextEdit*>(view.LabelEditor()->EditWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->toPlainText(), "i0");
  editor->setPlainText("Talhão 1");
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_FALSE(view.IsEditing());
  EXPECT_TRUE(edited.empty());
  EXPECT_EQ(view.Items()[0]->Caption(), "i0");

  ASSERT_TRUE(view.Items()[0]->EditCaption());
  editor = qobject_cast<QPlainTextEdit*>(view.LabelEditor()->EditWidget());
  editor->setPlainText("Talhão 1");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(edited, (Journal{"Talhão 1"}));
  EXPECT_EQ(view.Items()[0]->Caption(), "Talhão 1!");

  view.SetViewStyle(vsSmallIcon);
  ASSERT_TRUE(view.Items()[0]->EditCaption());
  EXPECT_NE(qobject_cast<QLineEdit*>(view.LabelEditor()->EditWidget()), nullptr);
  view.Items().Delete(0);
  EXPECT_FALSE(view.IsEditing());

  view.SetReadOnly(true);
  EXPECT_FALSE(view.Items()[0]->EditCaption());
}
