#pragma once
// A group bar built the way the main windows build theirs: inside a loading
// scope, bold Arial, hot tracking in blue, silver gaps, the stored active
// group applied when loading ends. Events are written to a journal.

#include <QTest>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutBar.h"

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

struct GroupBarFixture {
  FakeGuiServices services;
  std::unique_ptr<TGBGroupBar> bar;
  std::vector<TGBOutBarGroup*> groups;
  std::vector<std::string> journal;

  GroupBarFixture(int width, int height, int fontHeight, const std::vector<std::string>& captions, int active = 0) {
    {
      LoadingScope scope;
      bar = std::make_unique<TGBGroupBar>();
      bar->SetBounds(0, 0, width, height);
      bar->SetColor(clBtnFace);
      bar->Font().SetName("Arial");
      bar->Font().SetHeight(fontHeight);
      bar->Font().SetStyle(fsBold);
      bar->SetHotTrack(true);
      bar->SetHotColor(clBlue);
      bar->SetButtonSpaceColor(clSilver);
      bar->SetActiveGroupIndex(active);
      for (const std::string& caption : captions) {
        auto* group = new TGBOutBarGroup;
        group->SetCaption(caption);
        group->SetGroupBar(bar.get());
        groups.push_back(group);
      }
    }
    bar->OnChanging = [this](TPersistent* sender, TGBOutBarGroup* group, bool&) {
      EXPECT_EQ(sender, bar.get());
      journal.push_back("changing " + group->Caption());
    };
    bar->OnChange = [this](TPersistent* sender) {
      EXPECT_EQ(sender, bar.get());
      journal.push_back("change " + std::to_string(bar->ActiveGroupIndex()));
    };
  }

  // The middle of a caption's button, with the cursor there.
  TPoint CaptionCentre(int i) {
    const TRect r = bar->GetCaptionRect(i);
    return At({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TPoint At(TPoint p) {
    services.cursorPos = bar->ClientToScreen(p);
    return p;
  }
  void Press(TPoint p) { bar->WMButtonDown(mbLeft, ssLeft, p.X, p.Y); }
  void Move(TPoint p, TShiftState shift = ssLeft) { bar->WMMouseMove(shift, p.X, p.Y); }
  void Release(TPoint p) { bar->WMButtonUp(mbLeft, 0, p.X, p.Y); }
  void Click(int i) {
    const TPoint p = CaptionCentre(i);
    Press(p);
    Release(p);
  }
  // The same through Qt's events, as a user's click arrives.
  void QtClick(int i) {
    const TPoint p = CaptionCentre(i);
    QTest::mousePress(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(p.X, p.Y));
    QTest::mouseRelease(bar.get(), Qt::LeftButton, Qt::NoModifier, QPoint(p.X, p.Y));
  }
};
