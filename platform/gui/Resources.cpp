#include "platform/gui/Resources.h"

#include <QPainter>
#include <QPixmap>
#include <array>
#include <cctype>
#include <map>

#include "platform/gui/Graphics.h"

namespace {

// Pictures are written as rows of characters, one per pixel:
// '.' background, '#' black, 'w' white, 'g' grey.
QImage FromRows(const char* const* rows, int width, int height, QRgb background) {
  QImage img(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      QRgb c = background;
      switch (rows[y][x]) {
        case '#':
          c = qRgb(0, 0, 0);
          break;
        case 'w':
          c = qRgb(255, 255, 255);
          break;
        case 'g':
          c = qRgb(128, 128, 128);
          break;
        default:
          break;
      }
      img.setPixel(x, y, c);
    }
  }
  return img;
}

constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 13;

// A cross of two-pixel strokes.
constexpr std::array<const char*, kGlyphHeight> kCloseButton = {
    "..............",  //
    "..............",  //
    "..............",  //
    "...##....##...",  //
    "....##..##....",  //
    ".....####.....",  //
    "......##......",  //
    ".....####.....",  //
    "....##..##....",  //
    "...##....##...",  //
    "..............",  //
    "..............",  //
    "..............",  //
};

// A push pin lying on its side, point to the left.
constexpr std::array<const char*, kGlyphHeight> kPinUp = {
    "..............",  //
    "..............",  //
    "......#.......",  //
    "......#######.",  //
    "......#wwwwg#.",  //
    "......#w...g#.",  //
    ".######w...g#.",  //
    "......#w...g#.",  //
    "......#ggggg#.",  //
    "......#######.",  //
    "......#.......",  //
    "..............",  //
    "..............",  //
};

// The same pin pushed in, seen from above, point at the lower left.
constexpr std::array<const char*, kGlyphHeight> kPinDown = {
    "..............",  //
    "....######....",  //
    "....#ww.g#....",  //
    "....#w..g#....",  //
    "....#w..g#....",  //
    "....#w..g#....",  //
    "....#gggg#....",  //
    "..##########..",  //
    ".....#........",  //
    "....#.........",  //
    "...#..........",  //
    "..#...........",  //
    "..............",  //
};

// The arrow pointer, hot spot at its tip (0, 0). ' ' is transparent.
constexpr int kArrowHeight = 19;
constexpr std::array<const char*, kArrowHeight> kArrow = {
    "#           ",  //
    "##          ",  //
    "#w#         ",  //
    "#ww#        ",  //
    "#www#       ",  //
    "#wwww#      ",  //
    "#wwwww#     ",  //
    "#wwwwww#    ",  //
    "#wwwwwww#   ",  //
    "#wwwwwwww#  ",  //
    "#wwwww##### ",  //
    "#ww#ww#     ",  //
    "#w# #ww#    ",  //
    "##  #ww#    ",  //
    "#    #ww#   ",  //
    "     #ww#   ",  //
    "      #ww#  ",  //
    "      #ww#  ",  //
    "       ##   ",  //
};

constexpr int kCursorSize = 32;

QImage ArrowCursor() {
  QImage img(kCursorSize, kCursorSize, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int y = 0; y < kArrowHeight; ++y) {
    for (int x = 0; kArrow[y][x] != '\0'; ++x) {
      char c = kArrow[y][x];
      if (c == '#') img.setPixel(x, y, qRgb(0, 0, 0));
      if (c == 'w') img.setPixel(x, y, qRgb(255, 255, 255));
    }
  }
  return img;
}

// The dotted outline of the dragged item.
void DragBox(QImage& img) {
  const int left = 10, top = 19, right = 21, bottom = 28;  // inclusive
  for (int x = left; x <= right; ++x) {
    for (int y : {top, bottom}) img.setPixel(x, y, (x % 2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  }
  for (int y = top; y <= bottom; ++y) {
    for (int x : {left, right}) img.setPixel(x, y, (y % 2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  }
}

QImage DragMoveCursor() {
  QImage img = ArrowCursor();
  DragBox(img);
  return img;
}

QImage DragCopyCursor() {
  QImage img = DragMoveCursor();
  // A white box with a black plus at the lower right.
  QPainter p(&img);
  p.fillRect(QRect(19, 21, 11, 11), Qt::black);
  p.fillRect(QRect(20, 22, 9, 9), Qt::white);
  p.fillRect(QRect(24, 23, 1, 7), Qt::black);
  p.fillRect(QRect(21, 26, 7, 1), Qt::black);
  return img;
}

QImage NoDropCursor() {
  QImage img = ArrowCursor();
  // A slashed circle at the lower right, red on white.
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QPointF centre(22.5, 23.5);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(centre, 8.5, 8.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(192, 0, 0), 2.5));
  p.drawEllipse(centre, 6.5, 6.5);
  p.drawLine(QPointF(centre.x() - 4.5, centre.y() - 4.5), QPointF(centre.x() + 4.5, centre.y() + 4.5));
  return img;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

const QRgb kSilver = qRgb(192, 192, 192);

const std::map<std::string, QImage>& Bitmaps() {
  static const std::map<std::string, QImage> bitmaps = [] {
    std::map<std::string, QImage> m;
    m["CLOSEBUTTON"] =
        FromRows(kCloseButton.data(), kGlyphWidth, kGlyphHeight, kSilver).convertToFormat(QImage::Format_RGB32);
    m["HOTBUTTONPINUP"] =
        FromRows(kPinUp.data(), kGlyphWidth, kGlyphHeight, kSilver).convertToFormat(QImage::Format_RGB32);
    m["HOTBUTTONPINDOWN"] =
        FromRows(kPinDown.data(), kGlyphWidth, kGlyphHeight, kSilver).convertToFormat(QImage::Format_RGB32);
    return m;
  }();
  return bitmaps;
}

const std::map<std::string, TResourceCursor>& Cursors() {
  static const std::map<std::string, TResourceCursor> cursors = [] {
    std::map<std::string, TResourceCursor> m;
    m["OUTDRAGMOVE"] = {DragMoveCursor(), {0, 0}};
    m["OUTDRAGCOPY"] = {DragCopyCursor(), {0, 0}};
    m["OUTNODROP"] = {NoDropCursor(), {0, 0}};
    return m;
  }();
  return cursors;
}

}  // namespace

QImage FindResourceBitmap(std::string_view name) {
  auto it = Bitmaps().find(Upper(name));
  return it == Bitmaps().end() ? QImage() : it->second;
}

TResourceCursor FindResourceCursor(std::string_view name) {
  auto it = Cursors().find(Upper(name));
  return it == Cursors().end() ? TResourceCursor{} : it->second;
}

QCursor ToQCursor(const TResourceCursor& cursor) {
  if (cursor.Empty()) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(cursor.Image), cursor.HotSpot.X, cursor.HotSpot.Y);
}

std::vector<std::string> ResourceBitmapNames() {
  std::vector<std::string> names;
  for (const auto& [name, image] : Bitmaps()) names.push_back(name);
  return names;
}

std::vector<std::string> ResourceCursorNames() {
  std::vector<std::string> names;
  for (const auto& [name, cursor] : Cursors()) names.push_back(name);
  return names;
}
