#pragma once
// Colours, fonts, pens and brushes.
//
// A TColor is $00BBGGRR. System colours carry $80 in the high byte and the
// system colour index in the low byte; ColorToRGB maps them through one fixed
// palette (the classic Windows values), so pixels never depend on the theme.
// Fonts are sized in pixels at 96 DPI whatever the screen says.

#include <QColor>
#include <QFont>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/classes/Classes.h"

using TColor = std::uint32_t;

// Sender of a notification: any persistent object (fonts, bitmaps, controls).
using TNotifyEvent = std::function<void(TPersistent* Sender)>;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(TColor c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

// A system colour's RGB value from the fixed palette (black for an unknown
// index); any other colour is returned as it is.
TColor ColorToRGB(TColor color);
// ColorToRGB as an opaque QColor.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// Base of fonts, pens and brushes: OnChange fires after every change.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// The name of the symbol font whose glyphs the canvas draws itself.
inline constexpr const char* kSymbolFontName = "Marlett";

class TFont : public TGraphicsObject {
public:
  TFont() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: the character height in pixels; positive: the cell height
  // (character plus internal leading) in pixels.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at 96 DPI: Size = -Height * 72 / 96, rounded.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  void Assign(const TPersistent& source) override;

  // True for the symbol font (never handed to Qt: the canvas draws it).
  bool IsSymbolFont() const;
  // The symbol cell size in pixels: the character height.
  int PixelHeight() const;
  // PixelFont of the name and styles at the pixel size the height gives.
  QFont ToQFont() const;

private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
};

// The installed family that stands in for a Windows family name:
// Arial, MS Sans Serif and the other sans faces -> Liberation Sans,
// Courier New -> Liberation Mono, Times New Roman -> Liberation Serif,
// DejaVu when Liberation is missing.
QString ResolveFontFamily(const std::string& name);

// The fonts of the windows: the substituted family (and those after it),
// the pixel size, the styles, no kerning, no antialiasing and full hinting,
// so that text has whole-pixel advances, as the programs were laid out with.
QFont PixelFont(const std::string& name, int pixels, TFontStyles style = 0);

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);

  void Assign(const TPersistent& source) override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  void Assign(const TPersistent& source) override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
};
