// The edit box: its text both ways, keys that KeyDown takes, one and several
// lines, the length limit, read-only, the thin frame.

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <string>

#include "platform/gui/StdCtrls.h"
#include "tests/support/gui/GuiSupport.h"

TEST(Edit, TheTextGoesBothWaysAndEachChangeIsTold) {
  TCustomEdit edit;
  edit.show();
  int changes = 0;
  edit.OnChange = [&](TPersistent* sender) {
    EXPECT_EQ(sender, &edit);
    ++changes;
  };
  edit.SetText("Talhão");
  EXPECT_EQ(changes, 1);
  auto* line = qobject_cast<QLineEdit*>(edit.EditWidget());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), QString::fromUtf8("Talhão"));
  edit.SetText("Talhão");
  EXPECT_EQ(changes, 1);
  line->selectAll();
  QTest::keyClicks(line, "Lote 7");
  EXPECT_EQ(edit.Text(), "Lote 7");
  EXPECT_EQ(changes, 1 + 6);
  EXPECT_EQ(edit.LineCount(), 1);
}

TEST(Edit, KeyDownSeesTheKeysFirstAndMayTakeThem) {
  TCustomEdit edit;
  edit.show();
  edit.OnKeyDown = [](TPersistent*, int& key, TShiftState) {
    if (key == 'X') key = 0;
  };
  QTest::keyClicks(edit.EditWidget(), "AXB");
  EXPECT_EQ(edit.Text(), "AB");
}

TEST(Edit, LengthLimitAndReadOnly) {
  TCustomEdit edit;
  edit.show();
  edit.SetMaxLength(3);
  QTest::keyClicks(edit.EditWidget(), "12345");
  EXPECT_EQ(edit.Text(), "123");
  edit.SetReadOnly(true);
  QTest::keyClicks(edit.EditWidget(), "9");
  EXPECT_EQ(edit.Text(), "123");
  edit.SelectAll();
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 3);
}

TEST(Edit, SeveralLinesWrapAtTheBoxWidth) {
  TCustomEdit edit(nullptr, true);
  ASSERT_NE(qobject_cast<QPlainTextEdit*>(edit.EditWidget()), nullptr);
  edit.SetBounds(0, 0, 120, 80);
  edit.show();
  edit.SetText("um\ndois\ntrês");
  EXPECT_EQ(edit.LineCount(), 3);
  // A paragraph wider than the box takes more than one line.
  const std::string words = "Relatório de custos do plano de manejo florestal, por talhão e por ano";
  const int wide = QFontMetrics(edit.EditWidget()->font()).horizontalAdvance(QString::fromUtf8(words.c_str()));
  ASSERT_GT(wide, 2 * 120);
  edit.SetText(words);
  EXPECT_GE(edit.LineCount(), 3);
  edit.SetText("");
  EXPECT_EQ(edit.LineCount(), 1);
}

TEST(Edit, TheThinFrameIsDrawnRoundTheEditor) {
  TCustomEdit edit;
  edit.SetBorderStyle(bsNone);
  edit.SetThinBorder(true);
  edit.SetBounds(0, 0, 80, 22);
  edit.show();
  EXPECT_EQ(edit.EditWidget()->geometry(), QRect(1, 1, 78, 20));
  const QImage img = Snap(edit);
  for (auto [x, y] : {std::pair{0, 0}, {79, 0}, {0, 21}, {79, 21}, {40, 0}, {40, 21}}) {
    EXPECT_EQ(PixelAt(img, x, y), Rgb(clWindowFrame)) << x << "," << y;
  }
  EXPECT_EQ(PixelAt(img, 40, 10), Rgb(clWindow));
}
