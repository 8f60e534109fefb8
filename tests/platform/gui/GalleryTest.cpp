// Writes canvas-gallery.png into the build folder: every primitive once, for
// a person to look at. The checks are only that it was drawn and written.

#include <gtest/gtest.h>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "platform/gui/Canvas.h"
#include "platform/gui/Images.h"
#include "platform/gui/Resources.h"

namespace {

void Label(TCanvas& c, int x, int y, const std::string& text) {
  c.Font().SetName("Arial");
  c.Font().SetHeight(-11);
  c.Font().SetColor(clBlack);
  c.SetBkMode(TRANSPARENT);
  c.TextOut(x, y, text);
}

}  // namespace

TEST(Gallery, WritesThePrimitives) {
  TBitmap sheet(720, 560);
  TCanvas& c = sheet.Canvas();
  c.Brush().SetColor(clBtnFace);
  c.FillRect({0, 0, 720, 560});

  // Edges.
  struct Edge {
    const char* name;
    unsigned edge, flags;
  };
  const std::vector<Edge> edges = {
      {"RAISED", EDGE_RAISED, BF_RECT},
      {"SUNKEN", EDGE_SUNKEN, BF_RECT},
      {"ETCHED", EDGE_ETCHED, BF_RECT},
      {"SUNKENOUTER", BDR_SUNKENOUTER, BF_RECT},
      {"RAISEDINNER", BDR_RAISEDINNER, BF_RECT},
      {"MONO", BDR_SUNKENOUTER, BF_RECT | BF_MONO},
      {"ETCHED LT", EDGE_ETCHED, BF_LEFT | BF_TOP},
  };
  for (std::size_t i = 0; i < edges.size(); ++i) {
    int x = 10 + static_cast<int>(i) * 100;
    TRect r{x, 24, x + 90, 64};
    c.Brush().SetColor(clBtnFace);
    c.DrawEdge(r, edges[i].edge, edges[i].flags);
    Label(c, x, 8, edges[i].name);
  }

  // Frame controls: normal, pushed, inactive.
  Label(c, 10, 76, "DrawFrameControl: normal / pushed / inactive");
  const unsigned scroll[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
  const unsigned caption[] = {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE,
                              DFCS_CAPTIONHELP};
  const unsigned states[] = {0, DFCS_PUSHED, DFCS_INACTIVE};
  for (int s = 0; s < 3; ++s) {
    int y = 94 + s * 24;
    int x = 10;
    for (unsigned k : scroll) {
      c.DrawFrameControl(Bounds(x, y, 17, 17), DFC_SCROLL, k | states[s]);
      x += 22;
    }
    x += 20;
    for (unsigned k : caption) {
      c.DrawFrameControl(Bounds(x, y, 16, 14), DFC_CAPTION, k | states[s]);
      x += 20;
    }
    x += 20;
    for (unsigned k : caption) {
      c.DrawFrameControl(Bounds(x, y, 32, 28), DFC_CAPTION, k | states[s]);
      x += 38;
    }
  }

  // Symbol glyphs at 6, 8, 12 and 24 points.
  Label(c, 10, 172, "Marlett 6 5 3 4 r s 0 1 2 at 6, 8, 12, 24 pt");
  int gy = 190;
  for (int points : {6, 8, 12, 24}) {
    c.Font().SetName("Marlett");
    c.Font().SetSize(points);
    c.Font().SetColor(clBlack);
    c.Brush().SetColor(clWhite);  // opaque cells show the glyph cell
    int x = 10;
    for (char g : std::string("653 4rs012")) {
      if (g == ' ') continue;
      c.TextOut(x, gy, std::string(1, g));
      x += c.TextWidth("r") + 4;
    }
    gy += c.TextHeight("r") + 6;
  }

  // Text.
  c.Brush().SetColor(clBtnFace);
  Label(c, 380, 172, "DrawText");
  struct Sample {
    const char* text;
    unsigned flags;
    TRect r;
  };
  const std::vector<Sample> texts = {
      {"Uma legenda longa demais para caber", DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, {380, 190, 500, 210}},
      {"Centro", DT_SINGLELINE | DT_VCENTER | DT_CENTER, {510, 190, 600, 210}},
      {"Direita", DT_SINGLELINE | DT_VCENTER | DT_RIGHT, {610, 190, 710, 210}},
      {"Nova simulação de crescimento do eucalipto",
       DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX,
       {380, 220, 480, 262}},
      {"&Arquivo", DT_SINGLELINE, {510, 220, 600, 240}},
      {"Palavra Extraordinariamentecomprida", DT_WORDBREAK | DT_END_ELLIPSIS, {610, 220, 700, 262}},
  };
  for (const Sample& t : texts) {
    c.Brush().SetColor(clWhite);
    c.FillRect(t.r);
    c.Font().SetName("Arial");
    c.Font().SetHeight(-13);
    c.Font().SetColor(clBlack);
    c.SetBkMode(TRANSPARENT);
    TRect r = t.r;
    c.DrawText(t.text, r, t.flags);
    c.Brush().SetColor(clRed);
    TRect frame = t.r;
    InflateRect(frame, 1, 1);
    c.FrameRect(frame);
  }
  c.Font().SetName("Arial");
  c.Font().SetHeight(-13);
  c.Font().SetStyle(fsBold);
  c.Brush().SetColor(clNavy);
  c.Font().SetColor(clWhite);
  c.TextOut(380, 272, " Opaco, negrito ");
  c.Font().SetStyle(0);
  c.Font().SetName("Courier New");
  c.Brush().SetColor(clBtnFace);
  c.Font().SetColor(clBlack);
  c.TextOut(520, 272, "Courier New");
  c.Font().SetName("Times New Roman");
  c.TextOut(620, 272, "Times Roman");

  // Lines and shapes.
  Label(c, 380, 300, "Lines, polygon, rectangle");
  c.Pen().SetColor(clBlack);
  for (int i = 0; i < 6; ++i) {
    c.MoveTo(380 + i * 10, 320);
    c.LineTo(380 + i * 10 + 8, 320 + i * 4);
  }
  c.Brush().SetColor(clYellow);
  c.Polygon({{460, 320}, {480, 340}, {440, 340}});
  c.Pen().SetColor(clBlue);
  c.Rectangle(500, 320, 540, 344);
  c.Pen().SetColor(clBlack);

  // Pictures at 4x.
  Label(c, 10, 300, "Pictures at 4x");
  int px = 10;
  for (const std::string& name : ResourceBitmapNames()) {
    TBitmap b;
    b.LoadFromResourceName(name);
    c.StretchDraw(Bounds(px, 318, b.Width() * 4, b.Height() * 4), b);
    Label(c, px, 374, name);
    px += 130;
  }
  px = 10;
  for (const std::string& name : ResourceCursorNames()) {
    TResourceCursor cur = FindResourceCursor(name);
    TBitmap b(32, 32);
    b.Canvas().DrawImage(0, 0, cur.Image);
    c.StretchDraw(Bounds(px, 392, 128, 128), b);
    c.Brush().SetColor(clRed);
    c.FrameRect(Bounds(px + cur.HotSpot.X * 4, 392 + cur.HotSpot.Y * 4, 4, 4));
    Label(c, px, 524, name);
    px += 140;
  }

  // Greyed image list entry next to the enabled one.
  TImageList list(14, 13);
  TBitmap pin;
  pin.LoadFromResourceName("HOTBUTTONPINUP");
  list.AddMasked(pin, clSilver);
  list.Draw(c, 460, 400, 0, true);
  list.Draw(c, 480, 400, 0, false);
  Label(c, 460, 418, "image list: enabled / disabled");

  QString path = QStringLiteral(TQ_BINARY_DIR "/canvas-gallery.png");
  ASSERT_TRUE(sheet.Image().save(path)) << path.toStdString();
  QImage back(path);
  EXPECT_EQ(back.size(), QSize(720, 560));
}
