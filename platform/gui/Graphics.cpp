#include "platform/gui/Graphics.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "platform/gui/QtTypes.h"

namespace {

// Classic Windows system colours, by index.
constexpr std::array<TColor, 31> kSystemPalette = {
    RGB(212, 208, 200),  // 0 scroll bar
    RGB(58, 110, 165),   // 1 desktop
    RGB(10, 36, 106),    // 2 active caption
    RGB(128, 128, 128),  // 3 inactive caption
    RGB(212, 208, 200),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(0, 0, 0),        // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(255, 255, 255),  // 9 caption text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 3D dark shadow
    RGB(212, 208, 200),  // 22 3D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(181, 181, 181),  // 25 (unused)
    RGB(0, 0, 128),      // 26 hot light
    RGB(166, 202, 240),  // 27 active caption gradient
    RGB(192, 192, 192),  // 28 inactive caption gradient
    RGB(10, 36, 106),    // 29 menu highlight
    RGB(212, 208, 200),  // 30 menu bar
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

enum class Face { Sans, Mono, Serif, Other };

Face FaceOf(const std::string& lowerName) {
  static const std::array<std::string_view, 10> sans = {"arial",        "ms sans serif",  "microsoft sans serif",
                                                        "ms shell dlg", "ms shell dlg 2", "tahoma",
                                                        "verdana",      "helvetica",      "segoe ui",
                                                        "marlett"};
  static const std::array<std::string_view, 5> mono = {"courier new", "courier", "fixedsys", "lucida console",
                                                       "consolas"};
  static const std::array<std::string_view, 4> serif = {"times new roman", "times", "ms serif", "georgia"};
  auto in = [&](const auto& list) { return std::find(list.begin(), list.end(), lowerName) != list.end(); };
  if (in(sans)) return Face::Sans;
  if (in(mono)) return Face::Mono;
  if (in(serif)) return Face::Serif;
  return Face::Other;
}

QStringList Candidates(Face face) {
  switch (face) {
    case Face::Mono:
      return {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    case Face::Serif:
      return {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    default:
      return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  }
}

QString FirstInstalled(const QStringList& families) {
  for (const QString& f : families) {
    if (QFontDatabase::hasFamily(f)) return f;
  }
  return families.back();
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color & clSystemColor) {
    std::size_t index = color & 0xFF;
    return index < kSystemPalette.size() ? kSystemPalette[index] : clBlack;
  }
  return color;
}

QColor ToQColor(TColor color) {
  TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) {
  return RGB(color.red(), color.green(), color.blue());
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(height_, 72, 96);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  if (const auto* f = dynamic_cast<const TFont*>(&source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::IsSymbolFont() const {
  return Lower(name_) == Lower(kSymbolFontName);
}

int TFont::PixelHeight() const {
  if (height_ < 0) return -height_;
  if (height_ > 0) return height_;
  return 11;
}

QFont PixelFont(const std::string& name, int pixels, TFontStyles style) {
  Face face = FaceOf(Lower(name));
  QStringList families;
  if (face == Face::Other && !name.empty() && QFontDatabase::hasFamily(ToQString(name))) {
    families << ToQString(name);
  }
  families << Candidates(face == Face::Other ? Face::Sans : face);

  QFont f;
  f.setFamilies(families);
  f.setBold(style & fsBold);
  f.setItalic(style & fsItalic);
  f.setUnderline(style & fsUnderline);
  f.setStrikeOut(style & fsStrikeOut);
  f.setKerning(false);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setPixelSize(pixels);
  return f;
}

QFont TFont::ToQFont() const {
  int px = 11;
  if (height_ < 0) {
    px = -height_;
  } else if (height_ > 0) {
    // A cell height: scale from the family's own cell at 100 px.
    const int cell = QFontMetrics(PixelFont(name_, 100, style_)).height();
    px = cell > 0 ? std::max(1, (height_ * 100 + cell / 2) / cell) : height_;
  }
  return PixelFont(name_, px, style_);
}

QString ResolveFontFamily(const std::string& name) {
  Face face = FaceOf(Lower(name));
  if (face == Face::Other && !name.empty() && QFontDatabase::hasFamily(ToQString(name))) {
    return ToQString(name);
  }
  return FirstInstalled(Candidates(face == Face::Other ? Face::Sans : face));
}

// ---- TPen

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::Assign(const TPersistent& source) {
  if (const auto* p = dynamic_cast<const TPen*>(&source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// ---- TBrush

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ == TBrushStyle::bsSolid) return;
  color_ = color;
  style_ = TBrushStyle::bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(const TPersistent& source) {
  if (const auto* b = dynamic_cast<const TBrush*>(&source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}
