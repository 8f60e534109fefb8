// Text on the canvas: TextOut, metrics and the DrawText layout (word wrap,
// end ellipsis, the "&" prefix, partial last lines, opaque cells).

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/gui/Canvas.h"
#include "platform/gui/QtTypes.h"

namespace {

const QString kEllipsis = QStringLiteral("...");

// Drawn crisp, bold below 13 pixels has one-pixel stems (Liberation Sans Bold
// hinted for black and white) and looks regular.
bool ThinBold(const QFont& font) {
  return font.bold() && font.pixelSize() > 0 && font.pixelSize() < 13;
}

struct Line {
  int start = 0;  // into the text without prefixes
  int length = 0;
  QString shown;  // what is drawn (elided when it did not fit)
  int width = 0;
};

// Removes the "&" prefixes ("&&" stays one "&"); returns the index of the
// character to underline, or -1.
int StripPrefixes(QString& s) {
  QString out;
  out.reserve(s.size());
  int underline = -1;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != u'&') underline = static_cast<int>(out.size());
    } else if (s[i] == u'&') {
      continue;
    }
    out += s[i];
  }
  s = out;
  return underline;
}

}  // namespace

int TCanvas::SymbolCell() const {
  return std::max(1, font_.PixelHeight());
}

int TCanvas::MeasureWidth(const QString& s) {
  if (font_.IsSymbolFont()) return static_cast<int>(s.size()) * SymbolCell();
  if (!qfontValid_) {
    qfont_ = font_.ToQFont();
    qfontValid_ = true;
  }
  return QFontMetrics(qfont_).horizontalAdvance(s);
}

void TCanvas::DrawLineText(QPainter& p, int x, int y, const QString& s) {
  if (font_.IsSymbolFont()) {
    int cell = SymbolCell();
    for (qsizetype i = 0; i < s.size(); ++i) {
      char c = s[i].toLatin1();
      DrawSymbol(c, Bounds(x + static_cast<int>(i) * cell, y, cell, cell), textColor_);
    }
    return;
  }
  if (!qfontValid_) {
    qfont_ = font_.ToQFont();
    qfontValid_ = true;
  }
  p.setPen(ToQColor(textColor_));
  const QFontMetrics metrics(qfont_);
  const int baseline = y + metrics.ascent();
  if (!ThinBold(qfont_)) {
    p.setFont(qfont_);
    p.drawText(x, baseline, s);
    return;
  }
  // Smoothed, each character where the crisp layout puts it, so the text
  // keeps its measures.
  QFont smooth = qfont_;
  smooth.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  p.setFont(smooth);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  int cx = x;
  for (qsizetype i = 0; i < s.size();) {
    const qsizetype n = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
    const QString c = s.mid(i, n);
    p.drawText(cx, baseline, c);
    cx += metrics.horizontalAdvance(c);
    i += n;
  }
  p.setRenderHint(QPainter::TextAntialiasing, false);
}

TSize TCanvas::TextExtent(const std::string& text) {
  QString s = ToQString(text);
  if (font_.IsSymbolFont()) return {static_cast<int>(s.size()) * SymbolCell(), SymbolCell()};
  return {MeasureWidth(s), GetTextMetrics().tmHeight};
}

TTextMetric TCanvas::GetTextMetrics() {
  TTextMetric tm;
  if (font_.IsSymbolFont()) {
    int cell = SymbolCell();
    tm.tmHeight = tm.tmAscent = tm.tmAveCharWidth = tm.tmMaxCharWidth = cell;
    return tm;
  }
  if (!qfontValid_) {
    qfont_ = font_.ToQFont();
    qfontValid_ = true;
  }
  QFontMetrics fm(qfont_);
  tm.tmHeight = fm.height();
  tm.tmAscent = fm.ascent();
  tm.tmDescent = fm.descent();
  tm.tmInternalLeading = std::max(0, fm.height() - qfont_.pixelSize());
  tm.tmExternalLeading = std::max(0, fm.leading());
  tm.tmAveCharWidth = fm.averageCharWidth();
  tm.tmMaxCharWidth = fm.maxWidth();
  tm.tmOverhang = 0;
  return tm;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  QString s = ToQString(text);
  TSize ext = TextExtent(text);
  penPos_ = {x + ext.cx, y};
  QPainter* p = Begin();
  if (!p) return;
  if (bkMode_ == OPAQUE) FillDevice(*p, Bounds(x, y, ext.cx, ext.cy), bkColor_);
  DrawLineText(*p, x, y, s);
  Changed();
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  QString s = ToQString(text);
  int underline = (flags & DT_NOPREFIX) ? -1 : StripPrefixes(s);
  const bool single = flags & DT_SINGLELINE;
  const bool wrap = !single && (flags & DT_WORDBREAK);
  const bool ellipsis = flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
  const int lineHeight = GetTextMetrics().tmHeight;
  const int width = r.Right - r.Left;

  if (single) {
    for (QChar& c : s) {
      if (c == u'\r' || c == u'\n') c = u' ';
    }
  }

  auto measure = [&](int start, int length) { return MeasureWidth(s.mid(start, length)); };

  // Paragraphs, then lines.
  std::vector<Line> lines;
  auto addLine = [&](int start, int length) {
    Line line;
    line.start = start;
    line.length = length;
    lines.push_back(line);
  };
  int pos = 0;
  const int n = static_cast<int>(s.size());
  while (true) {
    int end = pos;
    if (!single) {
      while (end < n && s[end] != u'\r' && s[end] != u'\n') ++end;
    } else {
      end = n;
    }
    if (!wrap || end == pos) {
      addLine(pos, end - pos);
    } else {
      int p = pos;
      while (p < end) {
        if (measure(p, end - p) <= width) {
          addLine(p, end - p);
          break;
        }
        // The last blank before which the text still fits.
        int breakAt = -1;
        for (int i = p + 1; i < end; ++i) {
          if (s[i] == u' ' && measure(p, i - p) <= width) breakAt = i;
          if (s[i] == u' ' && measure(p, i - p) > width) break;
        }
        if (breakAt > p) {
          int len = breakAt - p;
          while (len > 0 && s[p + len - 1] == u' ') --len;
          addLine(p, len);
          p = breakAt;
        } else {
          int wordEnd = p;
          while (wordEnd < end && s[wordEnd] != u' ') ++wordEnd;
          if (ellipsis) {
            // The word keeps its line and is elided below.
            addLine(p, wordEnd - p);
            p = wordEnd;
          } else {
            // Broken inside the word at the last character that fits.
            int k = 1;
            while (p + k < wordEnd && measure(p, k + 1) <= width) ++k;
            addLine(p, k);
            p += k;
          }
        }
        while (p < end && s[p] == u' ') ++p;
      }
    }
    if (single || end >= n) break;
    pos = end + ((s[end] == u'\r' && end + 1 < n && s[end + 1] == u'\n') ? 2 : 1);
    if (pos >= n) {
      addLine(pos, 0);
      break;
    }
  }

  // Widths, eliding the lines that do not fit across.
  int maxWidth = 0;
  for (Line& line : lines) {
    line.shown = s.mid(line.start, line.length);
    line.width = MeasureWidth(line.shown);
    if (ellipsis && line.width > width) {
      int room = width - MeasureWidth(kEllipsis);
      int k = 0;
      while (k < line.length && MeasureWidth(line.shown.left(k + 1)) <= room) ++k;
      if (room < 0) {
        // Not even the dots fit: as many of them as do.
        QString dots;
        while (dots.size() < 3 && MeasureWidth(dots + u'.') <= width) dots += u'.';
        line.shown = dots;
        line.length = 0;
      } else {
        line.shown = line.shown.left(k) + kEllipsis;
        line.length = k;
      }
      line.width = MeasureWidth(line.shown);
    }
    maxWidth = std::max(maxWidth, line.width);
  }

  const int total = static_cast<int>(lines.size()) * lineHeight;
  if (flags & DT_CALCRECT) {
    r.Right = r.Left + maxWidth;
    r.Bottom = r.Top + total;
    return total;
  }

  int y = r.Top;
  if (single) {
    if (flags & DT_VCENTER) {
      y = (r.Top + r.Bottom - lineHeight) / 2;
    } else if (flags & DT_BOTTOM) {
      y = r.Bottom - lineHeight;
    }
  }
  const int result = y - r.Top + total;

  QPainter* p = Begin();
  if (!p || s.isEmpty()) return result;
  if (!(flags & DT_NOCLIP) && IsRectEmpty(r)) return result;
  p->save();
  if (!(flags & DT_NOCLIP)) {
    p->setClipRect(ToQRect(r), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  for (const Line& line : lines) {
    // A partly visible last line is left out for an edit control.
    if ((flags & DT_EDITCONTROL) && y + lineHeight > r.Bottom) break;
    int x = r.Left;
    if (flags & DT_CENTER) {
      x = r.Left + (width - line.width) / 2;
    } else if (flags & DT_RIGHT) {
      x = r.Right - line.width;
    }
    if (bkMode_ == OPAQUE) FillDevice(*p, Bounds(x, y, line.width, lineHeight), bkColor_);
    DrawLineText(*p, x, y, line.shown);
    if (underline >= line.start && underline < line.start + line.length) {
      int ux = x + MeasureWidth(line.shown.left(underline - line.start));
      int uw = MeasureWidth(line.shown.mid(underline - line.start, 1));
      int uy = y + GetTextMetrics().tmAscent + 1;
      FillDevice(*p, Bounds(ux, uy, uw, 1), textColor_);
    }
    y += lineHeight;
    if (y >= r.Bottom && !(flags & DT_NOCLIP)) break;
  }
  p->restore();
  Changed();
  return result;
}
