// The header panel: the band's height, the children below it, the texts, the
// two buttons and their events, the band's frame, and a menu command that
// frees the panel.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QPointer>
#include <QtTest/QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/QtTypes.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutPanel.h"

namespace {

const QColor kWhite(255, 255, 255);

// The programs' header font.
struct BoldArial : TFont {
  explicit BoldArial(int height) {
    SetName("Arial");
    SetHeight(height);
    SetStyle(fsBold);
  }
};

int TextHeight(const TFont& font) {
  TCanvas c;
  c.SetFont(font);
  return c.GetTextMetrics().tmHeight;
}

// The programs' item panel: left-aligned, 212 wide, lowered, "Itens", a
// bold Arial header, the tree filling it.
struct Itens {
  FakeGuiServices services;
  TPanel form;
  TGBHeaderPanel* panel = new TGBHeaderPanel;
  TPanel* tree = new TPanel;

  explicit Itens(int fontHeight = -13) {
    services.cursorPos = {-1000, -1000};
    form.SetBounds(0, 0, 600, 482);
    form.SetBevelOuter(bvNone);
    panel->SetParent(&form);
    panel->SetWidth(212);
    panel->SetAlign(alLeft);
    panel->SetBevelOuter(bvLowered);
    panel->SetCaption("Itens");
    panel->SetButtonDown(true);
    panel->SetImageIndex(0);
    panel->SetHeaderFont(BoldArial(fontHeight));
    tree->SetParent(panel);
    tree->SetAlign(alClient);
  }
};

}  // namespace

TEST(HeaderPanel, TheProgramsBandIsTwentyPixelsWithTheTreeBelow) {
  for (int height : {-13, -11, -14}) {
    ASSERT_LE(TextHeight(BoldArial(height)), 17) << height;
    Itens i(height);
    EXPECT_EQ(i.panel->BoundsRect(), Rect(0, 0, 212, 482));
    EXPECT_EQ(i.panel->EffectiveHeaderHeight(), 20) << height;
    EXPECT_EQ(i.tree->BoundsRect(), Bounds(1, 20, 210, 461)) << height;
    EXPECT_EQ(i.panel->HeaderRect(), Rect(0, 0, 212, 20));
  }
}

TEST(HeaderPanel, HeaderHeightIsTakenButNeverBelowTheHotButton) {
  Itens i;
  i.panel->SetHeaderHeight(40);
  EXPECT_EQ(i.panel->EffectiveHeaderHeight(), 40);
  EXPECT_EQ(i.tree->Top(), 40);
  i.panel->SetHeaderHeight(10);
  EXPECT_EQ(i.panel->EffectiveHeaderHeight(), 20);
  EXPECT_EQ(i.tree->Top(), 20);
}

TEST(HeaderPanel, ALargerHeaderFontRealignsAtOnce) {
  Itens i;
  const BoldArial big(-30);
  const int band = TextHeight(big) + 3;
  ASSERT_GT(band, 20);
  i.panel->HeaderFont().SetHeight(-30);
  EXPECT_EQ(i.panel->EffectiveHeaderHeight(), band);
  EXPECT_EQ(i.tree->Top(), band);
  EXPECT_EQ(i.panel->HeaderButton()->Height(), band - 3);
}

TEST(HeaderPanel, WithoutTheBandTheChildrenTakeTheWholeFace) {
  Itens i;
  i.panel->SetHeaderVisible(false);
  EXPECT_EQ(i.tree->BoundsRect(), Bounds(1, 1, 210, 480));
  EXPECT_TRUE(i.panel->HeaderButton()->Visible());
  EXPECT_TRUE(i.panel->HotButton()->Visible());
}

TEST(HeaderPanel, TheButtonsSitInTheBand) {
  Itens i;
  EXPECT_EQ(i.panel->HotButton()->BoundsRect(), Bounds(195, 3, 16, 15));
  EXPECT_EQ(i.panel->HeaderButton()->BoundsRect(), Bounds(1, 2, 191, 17));
  i.panel->SetWidth(150);
  EXPECT_EQ(i.panel->HotButton()->Left(), 133);
  EXPECT_EQ(i.panel->HeaderButton()->Width(), 129);
}

TEST(HeaderPanel, PinCaptionShowsOnlyForAPin) {
  Itens i;
  TGBHeaderButton* header = i.panel->HeaderButton();
  EXPECT_EQ(header->Caption(), "Itens");
  i.panel->SetButtonType(btPin);
  EXPECT_EQ(header->Caption(), "Itens");
  i.panel->SetPinCaption("  Fixar itens \t");
  EXPECT_EQ(i.panel->PinCaption(), "Fixar itens");
  EXPECT_EQ(header->Caption(), "Fixar itens");
  i.panel->SetButtonType(btStandard);
  EXPECT_EQ(header->Caption(), "Itens");
  EXPECT_EQ(i.panel->HotButton()->ButtonType(), btStandard);
  i.panel->SetButtonType(btPin);
  EXPECT_EQ(header->Caption(), "Fixar itens");
  // A new caption shows whatever the button type.
  i.panel->SetCaption("Árvore");
  EXPECT_EQ(header->Caption(), "Árvore");
}

TEST(HeaderPanel, SettingTheTextSetsTheCaption) {
  Itens i;
  i.panel->SetText("Produções");
  EXPECT_EQ(i.panel->Caption(), "Produções");
  EXPECT_EQ(i.panel->HeaderButton()->Caption(), "Produções");
  EXPECT_EQ(i.panel->Text(), "");
}

TEST(HeaderPanel, ItsColourReachesBothButtons) {
  Itens i;
  EXPECT_EQ(i.panel->HeaderButton()->Color(), clBtnFace);
  i.panel->SetColor(clTeal);
  EXPECT_EQ(i.panel->HotButton()->Color(), clTeal);
  EXPECT_EQ(i.panel->HeaderButton()->Color(), clTeal);
}

TEST(HeaderPanel, TheCrossClicksTheRightButtonEvent) {
  Itens i;
  int right = 0, left = 0;
  i.panel->OnRightButtonClick() = [&](TPersistent* sender) {
    EXPECT_EQ(sender, i.panel->HotButton());
    ++right;
  };
  i.panel->OnLeftButtonClick() = [&](TPersistent*) { ++left; };
  TGBHotButton* cross = i.panel->HotButton();
  i.services.cursorPos = cross->ClientToScreen({8, 7});
  cross->WMMouseMove(0, 8, 7);
  QTest::mouseClick(cross, Qt::LeftButton, {}, QPoint(8, 7));
  EXPECT_EQ(right, 1);
  EXPECT_EQ(left, 0);
}

TEST(HeaderPanel, ACaptionClickIsTheButtonsThenThePanels) {
  Itens i;
  std::vector<std::string> journal;
  i.panel->OnClick = [&](TPersistent*) { journal.push_back("panel"); };
  i.panel->HeaderButton()->OnClick = [&](TPersistent*) { journal.push_back("header"); };
  i.panel->OnLeftButtonClick() = [&](TPersistent*) { journal.push_back("left"); };
  QTest::mouseClick(i.panel->HeaderButton(), Qt::LeftButton, {}, QPoint(20, 8));
  EXPECT_EQ(journal, (std::vector<std::string>{"header", "panel"}));

  // The left-button event comes only from the caption button.
  journal.clear();
  i.panel->SetButtonDown(false);
  i.panel->SetButtonInCaption(true);
  const TRect b = i.panel->HeaderButton()->ButtonRect();
  QTest::mouseClick(i.panel->HeaderButton(), Qt::LeftButton, {}, QPoint(b.Left + 5, (b.Top + b.Bottom) / 2));
  EXPECT_EQ(journal, (std::vector<std::string>{"left", "header", "panel"}));
}

TEST(HeaderPanel, TheBandIsEtchedLeftAndTopAndRaisedRightAndBottom) {
  Itens i;
  QImage snap = Snap(*i.panel);
  // Top: the etched edge's shadow line, then its white line.
  EXPECT_EQ(PixelAt(snap, 100, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(snap, 100, 1), kWhite);
  EXPECT_EQ(PixelAt(snap, 200, 1), kWhite);
  // Left: the shadow line (the header button covers the white one).
  EXPECT_EQ(PixelAt(snap, 0, 10), Rgb(clBtnShadow));
  // Right and bottom: the raised edge's shadow, where the panel's own
  // lowered bevel is white.
  EXPECT_EQ(PixelAt(snap, 211, 10), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(snap, 211, 100), kWhite);
  EXPECT_EQ(PixelAt(snap, 100, 19), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(snap, 193, 19), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(snap, 100, 481), kWhite);
  // The cross and the caption are there; no caption frame without the
  // caption button.
  EXPECT_GT(CountInside(snap, Bounds(195, 3, 16, 15), Rgb(clBlack)), 0);
  EXPECT_GT(CountInside(snap, Bounds(1, 2, 191, 17), Rgb(clBlack)), 0);
  EXPECT_EQ(CountInside(snap, Bounds(1, 2, 191, 17), kWhite), 0);
}

TEST(HeaderPanel, AMenuCommandThatFreesThePanelEndsTheClick) {
  for (bool queued : {false, true}) {
    FakeGuiServices services;
    services.cursorPos = {-1000, -1000};
    TPanel form;
    form.SetBounds(0, 0, 400, 300);
    QPointer<TGBHeaderPanel> panel = new TGBHeaderPanel;
    panel->SetParent(&form);
    panel->SetButtonInCaption(true);
    panel->SetTrackMouse(true);
    panel->SetCaption("Itens");
    TPopupMenu menu;
    auto* close = new TMenuItem;
    close->SetCaption("Fechar");
    menu.Items().Add(close);
    panel->SetDropDownMenu(&menu);
    int told = 0;
    panel->OnLeftButtonClick() = [&](TPersistent*) { ++told; };
    close->OnClick = [&](TPersistent*) {
      if (queued) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { delete panel.data(); }, Qt::QueuedConnection);
      } else {
        delete panel.data();
      }
    };
    services.onPopup = [](TPopupMenu& m) { m.Items().Items(0)->Click(); };
    // The press opens the menu; the release would go to whatever is there.
    const TRect b = panel->HeaderButton()->ButtonRect();
    QTest::mousePress(panel->HeaderButton(), Qt::LeftButton, {}, QPoint(b.Left + 5, (b.Top + b.Bottom) / 2));
    EXPECT_TRUE(panel.isNull()) << queued;
    EXPECT_EQ(services.popups.size(), 1u);
    EXPECT_EQ(told, 0);
    ASSERT_NE(MouseManager(), nullptr);
    EXPECT_EQ(MouseManager()->Count(), 0);
    EXPECT_TRUE(RecordedExceptions().empty());
    FreeMouseManager();
  }
}

TEST(HeaderPanel, TheHeaderFollowsThePanelsFontUntilItIsSet) {
  TGBHeaderPanel panel;
  panel.Font().SetHeight(-15);
  EXPECT_EQ(panel.HeaderFont().Height(), -15);
  EXPECT_EQ(panel.EffectiveHeaderHeight(), std::max(20, TextHeight(panel.Font()) + 3));
  panel.SetHeaderFont(BoldArial(-11));
  panel.Font().SetHeight(-20);
  EXPECT_EQ(panel.HeaderFont().Height(), -11);
  EXPECT_EQ(panel.HeaderFont().Style(), fsBold);
}
