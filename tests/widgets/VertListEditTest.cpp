// Caption editing in the vertical list: where the editor goes and how it
// grows, the click lock while editing, taking or dropping the text.

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QTest>
#include <string>

#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/VertListFixture.h"

namespace {

struct Editing : VertListFixture {
  FakeGuiServices services;
  Editing(int height = 454) : VertListFixture({"Novo", "Abrir", "Salvar", "Imprimir"}, height) { list->show(); }
  int TextHeight() { return QFontMetrics(list->Font().ToQFont()).height(); }
};

}  // namespace

TEST(VertListEdit, InIconsTheEditorSpansTheColumnAndGrowsWithItsLines) {
  Editing e;
  const TRect label = e.Item(1)->DisplayRect(drLabel);
  ASSERT_TRUE(e.Item(1)->EditCaption());
  TCustomEdit* editor = e.list->LabelEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->MultiLine());
  EXPECT_EQ(e.list->EditedItem(), e.Item(1));
  EXPECT_EQ(e.list->ClickLock(), 1);
  EXPECT_EQ(editor->Text(), "Abrir");
  EXPECT_EQ(editor->BoundsRect(), Bounds(10, label.Top - 2, 109 - 20, e.TextHeight() + 4));
  editor->SetText("Abrir\nplano\nantigo");
  EXPECT_EQ(editor->BoundsRect(), Bounds(10, label.Top - 2, 89, 3 * e.TextHeight() + 4));
  QTest::keyClick(editor->EditWidget(), Qt::Key_Return);
  EXPECT_FALSE(e.list->IsEditing());
  EXPECT_EQ(e.list->EditedItem(), nullptr);
  EXPECT_EQ(e.list->ClickLock(), 0);
  EXPECT_EQ(e.Item(1)->Caption(), "Abrir\nplano\nantigo");
}

TEST(VertListEdit, TheEditorNeverPassesTheBottomEdge) {
  Editing e(190);
  const TRect label = e.Item(2)->DisplayRect(drLabel);
  ASSERT_LT(label.Bottom, 190);
  ASSERT_TRUE(e.Item(2)->EditCaption());
  TCustomEdit* editor = e.list->LabelEditor();
  editor->SetText("1\n2\n3\n4\n5\n6\n7\n8");
  EXPECT_EQ(editor->BoundsRect().Top, label.Top - 2);
  EXPECT_EQ(editor->BoundsRect().Bottom, 190);
  QTest::keyClick(editor->EditWidget(), Qt::Key_Escape);
  EXPECT_EQ(e.Item(2)->Caption(), "Salvar");
  EXPECT_EQ(e.list->ClickLock(), 0);
}

TEST(VertListEdit, InSmallIconsTheEditorStartsBesideTheImage) {
  Editing e;
  e.list->SetSmallImages(&e.images);
  e.list->SetViewStyle(vsSmallIcon);
  const TRect label = e.Item(0)->DisplayRect(drLabel);
  ASSERT_TRUE(e.Item(0)->EditCaption());
  TCustomEdit* editor = e.list->LabelEditor();
  EXPECT_FALSE(editor->MultiLine());
  EXPECT_EQ(editor->BoundsRect(), Bounds(label.Left + 3, label.Top, 109 - (label.Left + 3) - 10, e.TextHeight() + 4));
}

TEST(VertListEdit, ScrollingEndsTheEditAndARefusedEditLeavesNoLock) {
  Editing e(150);
  ASSERT_TRUE(e.list->MoreBelow());
  ASSERT_TRUE(e.Item(0)->EditCaption());
  e.list->LabelEditor()->SetText("Outro");
  e.list->ScrollDownStep();
  EXPECT_FALSE(e.list->IsEditing());
  EXPECT_EQ(e.Item(0)->Caption(), "Novo");
  EXPECT_EQ(e.list->ClickLock(), 0);
  e.list->OnEditing = [](TPersistent*, TListItem*, bool& allow) { allow = false; };
  EXPECT_FALSE(e.Item(1)->EditCaption());
  EXPECT_EQ(e.list->ClickLock(), 0);
  EXPECT_EQ(e.list->EditedItem(), nullptr);
}

TEST(VertListEdit, TheEditorWritesWindowTextOnWindowWhateverTheListsFont) {
  Editing e;
  // A toolbar's white captions.
  e.list->SetColor(clGray);
  e.list->Font().SetColor(clWhite);
  ASSERT_TRUE(e.Item(0)->EditCaption());
  TCustomEdit* editor = e.list->LabelEditor();
  EXPECT_EQ(editor->Font().Color(), clWindowText);
  EXPECT_EQ(editor->Color(), clWindow);
  // What it shows: dark text on white, nothing white on white.
  editor->SetSelLength(0);
  const QImage shown = Snap(*editor);
  TRect inside = editor->ClientRect();
  InflateRect(inside, -2, -2);
  EXPECT_GT(CountInside(shown, inside, Rgb(clWindow)), 0);
  int dark = 0;
  for (int y = inside.Top; y < inside.Bottom; ++y) {
    for (int x = inside.Left; x < inside.Right; ++x) dark += qGray(shown.pixel(x, y)) < 96;
  }
  EXPECT_GT(dark, 10);
  QTest::keyClick(editor->EditWidget(), Qt::Key_Escape);
}
