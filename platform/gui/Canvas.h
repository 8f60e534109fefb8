#pragma once
// A drawing surface with GDI semantics over QPainter: integer coordinates,
// no antialiasing, rectangles with exclusive right and bottom edges, lines
// that leave their end pixel, DrawText with its format flags, 3D edges,
// frame controls and the symbol glyphs of the "Marlett" font (drawn as
// vectors, never handed to Qt).
//
// A canvas either draws through a painter someone else owns (Bind, e.g. in
// a widget's paint event) or owns a painter on a bitmap's image.

#include <QImage>
#include <QRegion>
#include <QTransform>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

class QPainter;
class TBitmap;

// DrawText format flags.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawEdge borders, edges and flags.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;

// DrawFrameControl types and states.
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;
constexpr unsigned DFCS_CAPTIONCLOSE = 0x0;
constexpr unsigned DFCS_CAPTIONMIN = 0x1;
constexpr unsigned DFCS_CAPTIONMAX = 0x2;
constexpr unsigned DFCS_CAPTIONRESTORE = 0x3;
constexpr unsigned DFCS_CAPTIONHELP = 0x4;
constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLLEFT = 0x2;
constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_FLAT = 0x4000;

struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmOverhang = 0;
};

class TCanvas : public TPersistent {
public:
  TCanvas();
  // Draws through painter (not owned) until Unbind.
  explicit TCanvas(QPainter* painter);
  ~TCanvas() override;

  // Draws through a painter owned by someone else (a widget's paint event).
  // Unbind gives the painter back with its transform and clip as they were.
  void Bind(QPainter* painter);
  void Unbind();
  // A painter is bound or the canvas has an image to draw on.
  bool HandleAllocated() const;

  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }
  TFont& Font() { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }

  // Fires after every drawing operation.
  TNotifyEvent OnChange;

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }
  void MoveTo(int x, int y);
  // Draws from the pen position to (x, y) without painting (x, y) itself.
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  // Fills the inside with the brush and outlines it with the pen.
  void Polygon(const std::vector<TPoint>& points);
  // Pen outline inside the rectangle, brush inside.
  void Rectangle(const TRect& r);
  void Rectangle(int left, int top, int right, int bottom) { Rectangle({left, top, right, bottom}); }

  // [Left, Right) x [Top, Bottom) with the brush; nothing for an empty one.
  void FillRect(const TRect& r);
  // A one-pixel frame just inside the rectangle, in the brush colour.
  void FrameRect(const TRect& r);

  // Reads need an image: a canvas bound to a widget reads clNone.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& r, const TBitmap& bitmap);
  // Copies source's area src (a bitmap canvas) into dest, scaled if the sizes
  // differ.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
  // Draws (sx, sy, w, h) of the bitmap at (x, y), leaving out the pixels of
  // the transparent colour.
  void DrawTransparent(int x, int y, int w, int h, const TBitmap& bitmap, int sx, int sy, TColor transparent);
  // Draws an image with its alpha at (x, y); the part src of it when given.
  void DrawImage(int x, int y, const QImage& image, const std::optional<TRect>& src = {});

  // Text at (x, y) = top left of its cell; moves the pen position to its end.
  void TextOut(int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  TTextMetric GetTextMetrics();
  // Lays out and draws text in r by the DT_* flags; with DT_CALCRECT only
  // measures, setting r's right and bottom. Returns the text height.
  int DrawText(const std::string& text, TRect& r, unsigned flags);

  // Device-context state: background mode and colour, text colour. A brush
  // change sets the background from the brush (clear = TRANSPARENT), a font
  // change the text colour from the font.
  int SetBkMode(int mode);
  int BkMode() const { return bkMode_; }
  TColor SetBkColor(TColor color);
  TColor BkColor() const { return bkColor_; }
  TColor SetTextColor(TColor color);
  TColor TextColor() const { return textColor_; }

  // The clip box in logical coordinates (the whole surface when no clip).
  TRect ClipRect() const;
  // Replaces the clip with r (logical coordinates at the time of the call).
  void SetClipRect(const TRect& r);
  void ResetClip();
  // Logical (0, 0) lands on device (x, y).
  void SetOrigin(int x, int y);
  TPoint Origin() const { return origin_; }

  // Two-level 3D border in the classic colours per side; false for an empty
  // rectangle. BF_ADJUST leaves r as the area inside the border.
  bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
  // A scroll-arrow or caption button face with its glyph.
  bool DrawFrameControl(const TRect& r, unsigned type, unsigned state);
  // One glyph of the symbol font ('6' down, '5' up, '3' left, '4' right,
  // 'r' cross, 's' question mark, '0' minimise, '1' maximise, '2' restore)
  // in the square cell at cell's top left with side min(width, height).
  void DrawSymbol(char glyph, const TRect& cell, TColor color);

  // The image of a bitmap canvas (nullptr for a bound canvas).
  const QImage* Image() const { return image_; }

private:
  friend class TBitmap;
  explicit TCanvas(QImage* image);
  // Ends the painter of an image canvas, so the image can be read or resized.
  void Release();
  // The painter with the canvas state applied; nullptr when none.
  QPainter* Begin();
  void Changed();
  void FontChanged();
  void BrushChanged();
  TSize DeviceSize() const;
  void FillDevice(QPainter& p, const TRect& r, TColor color);
  void HLine(QPainter& p, int x1, int x2, int y, TColor color);
  void VLine(QPainter& p, int x, int y1, int y2, TColor color);
  void EdgeRing(QPainter& p, TRect& r, unsigned sides, TColor lt, TColor rb);
  int SymbolCell() const;
  int MeasureWidth(const QString& s);
  void DrawLineText(QPainter& p, int x, int y, const QString& s);

  TBrush brush_;
  TPen pen_;
  TFont font_;
  QFont qfont_;
  bool qfontValid_ = false;

  QPainter* painter_ = nullptr;
  std::unique_ptr<QPainter> own_;
  QImage* image_ = nullptr;
  bool dirty_ = true;
  QTransform baseTransform_;
  bool baseHasClip_ = false;
  QRegion baseClip_;
  std::optional<TRect> clip_;  // device coordinates
  TPoint origin_;
  TPoint penPos_;
  int bkMode_ = OPAQUE;
  TColor bkColor_ = clWhite;
  TColor textColor_ = clWindowText;
};

// Binds a canvas to a painter for one scope (a paint event), so it is given
// back before the painter ends.
class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, QPainter& painter) : canvas_(canvas) { canvas_.Bind(&painter); }
  ~TCanvasBinding() { canvas_.Unbind(); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& canvas_;
};
