// Writes pictures of a main-window-like layout into gallery/ in the build
// folder, one per state, for a person to look at: the group bar with the
// data-entry and results pages, each page with its out bar and toolbar list,
// the item tree and a form beside it. States: idle, a hot and a pressed
// caption, a hot and a pressed toolbar item, a drop mark during a drag, the
// scroll buttons of a short list, frames 0, 5 and 9 of a slide down and of a
// slide up, the results page. The checks are only that each file was written.

#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QString>
#include <string>

#include "platform/gui/InputHub.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/widgets/MainWindowFixture.h"

namespace {

// The window with the injected services and the picture writer.
struct Window : main_window::Window {
  FakeGuiServices services;

  bool Save(const std::string& name) {
    const QString dir = QStringLiteral(TQ_BINARY_DIR "/gallery");
    QDir().mkpath(dir);
    const QString path = dir + "/" + QString::fromStdString(name) + ".png";
    return Snap(*form).save(path) && QImage(path).size() == QSize(form->Width(), form->Height());
  }

  TPoint CaptionCentre(int i) {
    const TRect r = bar->GetCaptionRect(i);
    const TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    services.cursorPos = bar->ClientToScreen(p);
    return p;
  }
  TPoint IconCentre(TGBVertListView* list, int i) {
    const TRect r = list->Items()[i]->DisplayRect(drIcon);
    const TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    services.cursorPos = list->ClientToScreen(p);
    return p;
  }
};

}  // namespace

TEST(MainWindowGallery, WritesEachState) {
  Window w;
  w.form->show();
  w.services.controlAt = [&](TPoint p) -> TControl* {
    TPoint local = w.toolbar->ScreenToClient(p);
    if (w.toolbar->isVisible() && PtInRect(w.toolbar->ClientRect(), local)) return w.toolbar;
    return nullptr;
  };
  ASSERT_EQ(w.bar->ClientWidth(), 804);
  ASSERT_EQ(w.bar->ClientHeight(), 536);
  EXPECT_TRUE(w.Save("01-idle"));

  TPoint p = w.CaptionCentre(1);
  w.bar->WMMouseMove(0, p.X, p.Y);
  EXPECT_TRUE(w.Save("02-hot-caption"));
  w.bar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  EXPECT_TRUE(w.Save("03-pressed-caption"));
  // Released elsewhere: no switch.
  w.services.cursorPos = w.bar->ClientToScreen({400, 300});
  w.bar->WMButtonUp(mbLeft, 0, 400, 300);
  w.bar->WindowTimer(TCustomGBGroupBar::kHoverTimer);

  p = w.IconCentre(w.toolbar, 2);
  w.toolbar->WMMouseMove(0, p.X, p.Y);
  EXPECT_TRUE(w.Save("04-hot-item"));
  p = w.IconCentre(w.toolbar, 4);
  w.toolbar->WMMouseMove(0, p.X, p.Y);
  w.toolbar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  EXPECT_TRUE(w.Save("05-pressed-item"));
  CancelCaptureMode();
  w.toolbar->CancelMode();

  // An item dragged to the gap between the fourth and fifth items.
  p = w.IconCentre(w.toolbar, 0);
  w.toolbar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y);
  w.toolbar->WMMouseMove(ssLeft, p.X, p.Y + 10);
  const TRect before = w.toolbar->Items()[3]->DisplayRect(drBounds);
  const TRect after = w.toolbar->Items()[4]->DisplayRect(drBounds);
  const TPoint gap{54, (before.Bottom + after.Top) / 2};
  w.services.cursorPos = w.toolbar->ClientToScreen(gap);
  w.toolbar->WMMouseMove(ssLeft, gap.X, gap.Y);
  EXPECT_EQ(w.toolbar->DropIndex(), 4);
  EXPECT_TRUE(w.Save("06-drop-mark"));
  w.toolbar->CancelItemDrag();
  w.toolbar->WMButtonUp(mbLeft, 0, gap.X, gap.Y);

  // A short window: the toolbar shows its arrows.
  w.form->SetHeight(300);
  EXPECT_TRUE(w.toolbar->DownButton().Visible());
  EXPECT_TRUE(w.Save("07-scroll-buttons"));
  w.toolbar->ScrollDownStep();
  EXPECT_TRUE(w.Save("08-scrolled"));
  w.form->SetHeight(555);
  w.toolbar->ScrollUpStep();

  // The slides, frame by frame.
  int k = 0;
  std::string prefix;
  bool saved = true;
  w.bar->OnAnimationFrame = [&](int) {
    if (k == 0 || k == 5 || k == 9) saved = w.Save(prefix + std::to_string(k)) && saved;
    ++k;
  };
  prefix = "09-slide-down-frame";
  w.bar->SetActiveGroupIndex(1);
  EXPECT_EQ(k, 10);
  EXPECT_TRUE(w.Save("10-results"));
  k = 0;
  prefix = "11-slide-up-frame";
  w.bar->SetActiveGroupIndex(0);
  EXPECT_EQ(k, 10);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(RecordedExceptions().empty());
}
