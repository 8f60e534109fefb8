// Draws the programs' pictures at build time: the About pictures (JPEG, a
// eucalyptus plantation), the splash logos (PNG), the toolbar icons and the
// toolbars' background picture, into the folder given.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// A fixed sequence, so every build draws the same pictures.
class Random {
public:
  explicit Random(unsigned seed) : state_(seed) {}
  // In [0, 1).
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  double Between(double a, double b) { return a + (b - a) * Next(); }

private:
  unsigned state_;
};

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// One eucalyptus: a straight pale trunk, tapering, lit from the left, with a
// light crown of drooping leaf clusters on thin branches in its upper part.
// `haze` (0..1) fades it towards the sky colour.
void Eucalyptus(QPainter& p, Random& random, double x, double base, double height, double haze, const QColor& sky) {
  const double w = std::max(0.7, height * 0.014);
  const QColor bark = Mix(QColor(230, 224, 210), sky, haze);
  const QColor shade = Mix(QColor(156, 146, 128), sky, haze);
  const double top = base - height;
  QPainterPath trunk;
  trunk.moveTo(x - w / 2, base);
  trunk.lineTo(x - w * 0.12, top + height * 0.06);
  trunk.lineTo(x + w * 0.12, top + height * 0.06);
  trunk.lineTo(x + w / 2, base);
  trunk.closeSubpath();
  QLinearGradient lit(x - w / 2, 0, x + w / 2, 0);
  lit.setColorAt(0, bark);
  lit.setColorAt(0.5, Mix(bark, shade, 0.3));
  lit.setColorAt(1, shade);
  p.fillPath(trunk, lit);
  // Streaks of peeling bark on the trunks close by.
  if (w > 3) {
    for (int i = 0; i < 8; ++i) {
      const double y = base - height * random.Between(0.02, 0.55);
      const double len = height * random.Between(0.02, 0.06);
      const double sx = x + w * random.Between(-0.35, 0.2);
      p.fillRect(QRectF(sx, y, w * random.Between(0.12, 0.3), len), QColor(150, 128, 100, 70));
    }
  }
  // Branches and leaf clusters, from the crown's base to its top.
  const QColor leafDark = Mix(QColor(56, 92, 70), sky, haze);
  const QColor leafLight = Mix(QColor(132, 166, 132), sky, haze);
  p.setPen(QPen(Mix(QColor(120, 104, 86), sky, haze), std::max(0.4, w * 0.25)));
  struct Cluster {
    double x, y, rx, ry;
  };
  std::vector<Cluster> clusters;
  for (int i = 0; i < 16; ++i) {
    const double t = random.Next();  // 0 at the crown's base, 1 at the top
    const double y = top + height * 0.42 * (1 - t);
    const double reach = height * 0.11 * std::sin(3.1 * (0.15 + 0.85 * t));
    const double cx = x + random.Between(-reach, reach);
    const double rx = height * random.Between(0.018, 0.032);
    clusters.push_back({cx, y, rx, rx * random.Between(1.5, 2.3)});
    p.drawLine(QPointF(x, y + height * 0.04), QPointF(cx, y));
  }
  p.setPen(Qt::NoPen);
  for (const Cluster& c : clusters) {
    QRadialGradient leaf(c.x - c.rx * 0.3, c.y - c.ry * 0.4, c.ry * 1.3);
    leaf.setColorAt(0, leafLight);
    leaf.setColorAt(1, leafDark);
    p.setBrush(leaf);
    p.drawEllipse(QPointF(c.x, c.y + c.ry * 0.4), c.rx, c.ry);
  }
}

// Rows of trees running away from the viewer towards a vanishing point, the
// far ones first. `top` keeps a band of canopy above the picture.
void Plantation(QPainter& p, const QSizeF& size, unsigned seed) {
  Random random(seed);
  const double w = size.width(), h = size.height();
  const double horizon = h * 0.6;
  const QColor sky(214, 228, 236);

  QLinearGradient air(0, 0, 0, horizon);
  air.setColorAt(0, QColor(126, 172, 218));
  air.setColorAt(1, sky);
  p.fillRect(QRectF(0, 0, w, horizon + 1), air);

  // Far hills.
  QPainterPath hills;
  hills.moveTo(0, horizon);
  for (int i = 0; i <= 20; ++i) {
    const double x = w * i / 20.0;
    hills.lineTo(x, horizon - h * (0.05 + 0.04 * std::sin(i * 0.9) + 0.02 * std::sin(i * 2.3)));
  }
  hills.lineTo(w, horizon);
  hills.closeSubpath();
  p.fillPath(hills, QColor(150, 178, 170));

  QLinearGradient soil(0, horizon, 0, h);
  soil.setColorAt(0, QColor(128, 146, 92));
  soil.setColorAt(1, QColor(92, 102, 52));
  p.fillRect(QRectF(0, horizon, w, h - horizon), soil);

  // Camera: rows `across` units apart, trees every `along` units in a row,
  // the eye 0.55 units above the ground.
  const double vx = w * 0.5, focal = h * 0.42, eye = 0.55, treeHeight = 9.0, across = 1.5, along = 1.0;
  const double nearest = 0.55;
  // The path between the two middle rows, lighter litter.
  QPainterPath path;
  path.moveTo(vx - 0.45 * across * focal / nearest, horizon + eye * focal / nearest);
  path.lineTo(vx, horizon);
  path.lineTo(vx + 0.45 * across * focal / nearest, horizon + eye * focal / nearest);
  path.closeSubpath();
  p.fillPath(path, QColor(168, 156, 108, 140));
  // Planting lines on the ground.
  p.setPen(QPen(QColor(84, 96, 50, 110), 1.0));
  for (int row = -6; row <= 6; ++row)
    p.drawLine(QPointF(vx, horizon),
               QPointF(vx + (row + 0.5) * across * focal / nearest, horizon + eye * focal / nearest));
  for (double depth = 18; depth >= nearest; depth -= along) {
    for (int row = -6; row <= 5; ++row) {
      const double d = depth + random.Between(-0.06, 0.06);
      const double s = focal / d;
      const double x = vx + (row + 0.5) * across * s;
      if (x < -30 || x > w + 30) continue;
      const double haze = std::clamp((d - 1.5) / 16.0, 0.0, 0.7);
      Eucalyptus(p, random, x, horizon + eye * s, treeHeight * s * random.Between(0.92, 1.08), haze, sky);
    }
  }
  // The crowns of the near trees, overhead.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 70; ++i) {
    const double x = random.Between(-5, w + 5);
    const double y = random.Between(-6, h * 0.1) * random.Next();
    const double r = random.Between(2.5, 6.0);
    p.setBrush(Mix(QColor(48, 84, 62), QColor(118, 152, 118), random.Next()));
    p.drawEllipse(QPointF(x, y), r, r * random.Between(1.3, 2.0));
  }
}

void Logs(QPainter& p, double x, double y, double r, int columns, int rows) {
  for (int row = 0; row < rows; ++row) {
    const int n = columns - row;
    for (int i = 0; i < n; ++i) {
      const double cx = x + (i + row * 0.5) * r * 2.05;
      const double cy = y - row * r * 1.78;
      p.setPen(QPen(QColor(96, 62, 34), r * 0.22));
      p.setBrush(QColor(214, 176, 120));
      p.drawEllipse(QPointF(cx, cy), r, r);
      p.setPen(QPen(QColor(176, 132, 80), r * 0.08));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(cx, cy), r * 0.62, r * 0.62);
      p.drawEllipse(QPointF(cx, cy), r * 0.3, r * 0.3);
    }
  }
}

QImage AboutPicture(bool withLogs) {
  QImage image(161, 105, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  Plantation(p, image.size(), withLogs ? 7u : 3u);
  if (withLogs) Logs(p, 104, 95, 7, 4, 3);
  return image;
}

// A banner: a band of green, a row of trees on the right and the program's
// name on the left.
QImage Logo(const QString& name, const QColor& from, const QColor& to, unsigned seed) {
  QImage image(409, 89, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient band(0, 0, image.width(), 0);
  band.setColorAt(0, from);
  band.setColorAt(1, to);
  p.fillRect(image.rect(), band);
  QLinearGradient glow(0, 0, 0, image.height());
  glow.setColorAt(0, QColor(255, 255, 255, 40));
  glow.setColorAt(0.5, QColor(255, 255, 255, 0));
  glow.setColorAt(1, QColor(0, 0, 0, 50));
  p.fillRect(image.rect(), glow);

  Random random(seed);
  const QColor sky = Mix(to, QColor(255, 255, 255), 0.25);
  for (int layer = 0; layer < 3; ++layer) {
    const double haze = 0.55 - layer * 0.22;
    const double height = 60 + layer * 16;
    const double step = 15 + layer * 7;
    for (double x = 236 + layer * 9; x < image.width() + 10; x += step)
      Eucalyptus(p, random, x + random.Between(-3, 3), image.height() + 2, height * random.Between(0.9, 1.08), haze,
                 sky);
  }
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(50);
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  const QRectF text(22, 0, 260, 80);
  p.setPen(QColor(0, 0, 0, 90));
  p.drawText(text.translated(3, 3), Qt::AlignLeft | Qt::AlignVCenter, name);
  p.setPen(QColor(255, 255, 255));
  p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
  p.setPen(QPen(QColor(236, 196, 92), 2.5));
  const double under = QFontMetricsF(font).horizontalAdvance(name);
  p.drawLine(QPointF(26, 70), QPointF(26 + under, 70));
  return image;
}

bool WriteJpeg(const QImage& source, const std::string& path) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct c;
  jpeg_error_mgr errors;
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, file);
  c.image_width = static_cast<JDIMENSION>(image.width());
  c.image_height = static_cast<JDIMENSION>(image.height());
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 92, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row[] = {const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(c.next_scanline)))};
    jpeg_write_scanlines(&c, row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(file) == 0;
}

// ---- Toolbar icons (32 x 32 on a transparent ground) and the stretched
// picture behind the toolbar lists.

QPen Outline(double width = 1.4) {
  return QPen(QColor(30, 34, 40), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient Shade(double x0, double y0, double x1, double y1, const QColor& from, const QColor& to) {
  QLinearGradient g(x0, y0, x1, y1);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  return g;
}

void Sheet(QPainter& p) {
  p.setPen(Outline());
  p.setBrush(Shade(6, 3, 26, 29, QColor(255, 255, 255), QColor(214, 222, 232)));
  p.drawPolygon(QPolygonF({{7, 2.5}, {19.5, 2.5}, {26.5, 9.5}, {26.5, 29.5}, {7, 29.5}}));
  p.setBrush(QColor(190, 200, 214));
  p.drawPolygon(QPolygonF({{19.5, 2.5}, {19.5, 9.5}, {26.5, 9.5}}));
}

void Disk(QPainter& p) {
  p.setPen(Outline());
  p.setBrush(Shade(3, 3, 29, 29, QColor(72, 120, 200), QColor(28, 58, 130)));
  p.drawRoundedRect(QRectF(3.5, 3.5, 25, 25), 3, 3);
  p.setBrush(Shade(0, 4, 0, 13, QColor(245, 245, 245), QColor(200, 204, 210)));
  p.drawRect(QRectF(9, 3.5, 14, 9.5));
  p.setBrush(QColor(40, 44, 52));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(18, 5.5, 3, 5.5));
  p.setPen(Outline(1));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(7.5, 17, 17, 11.5));
  p.setPen(QPen(QColor(150, 170, 200), 1));
  for (double y = 20.5; y < 28; y += 3) p.drawLine(QPointF(10, y), QPointF(22, y));
}

QImage ToolbarIcon(int index) {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  switch (index) {
    case 0: {  // new: a sheet with a spark
      Sheet(p);
      p.setPen(QPen(QColor(120, 150, 190), 1.2));
      for (double y = 14.5; y < 27; y += 4) p.drawLine(QPointF(10, y), QPointF(23, y));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 200, 40));
      QPolygonF star;
      for (int k = 0; k < 10; ++k) {
        const double r = (k % 2) ? 2.5 : 6.5;
        const double a = k * 3.14159265 / 5 - 3.14159265 / 2;
        star << QPointF(24 + r * std::cos(a), 7.5 + r * std::sin(a));
      }
      p.drawPolygon(star);
      break;
    }
    case 1: {  // open: a folder
      p.setPen(Outline());
      p.setBrush(Shade(0, 7, 0, 27, QColor(226, 176, 60), QColor(176, 124, 28)));
      p.drawPolygon(QPolygonF({{2.5, 7.5}, {11.5, 7.5}, {14.5, 10.5}, {27.5, 10.5}, {27.5, 27.5}, {2.5, 27.5}}));
      p.setBrush(QColor(252, 252, 250));
      p.drawRect(QRectF(7, 12.5, 17, 8));
      p.setBrush(Shade(0, 15, 0, 27, QColor(255, 222, 120), QColor(236, 178, 54)));
      p.drawPolygon(QPolygonF({{6.5, 15.5}, {30.5, 15.5}, {26.5, 27.5}, {2.5, 27.5}}));
      break;
    }
    case 2:  // save: a disk
      Disk(p);
      break;
    case 3: {  // print: a printer with a sheet
      p.setPen(Outline());
      p.setBrush(QColor(252, 252, 252));
      p.drawRect(QRectF(8.5, 2.5, 15, 11));
      p.setBrush(Shade(0, 11, 0, 24, QColor(190, 196, 206), QColor(112, 118, 132)));
      p.drawRoundedRect(QRectF(2.5, 11.5, 27, 12), 2.5, 2.5);
      p.setBrush(QColor(252, 252, 252));
      p.drawRect(QRectF(7.5, 18.5, 17, 11));
      p.setPen(QPen(QColor(120, 140, 170), 1));
      for (double y = 22; y < 29; y += 3) p.drawLine(QPointF(10, y), QPointF(22, y));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(60, 210, 90));
      p.drawEllipse(QPointF(25.5, 15), 1.6, 1.6);
      break;
    }
    case 4: {  // items: a small tree of nodes
      p.setPen(QPen(QColor(230, 236, 240), 1.6));
      p.drawLine(QPointF(8, 10), QPointF(8, 26));
      p.drawLine(QPointF(8, 17.5), QPointF(15, 17.5));
      p.drawLine(QPointF(8, 26), QPointF(15, 26));
      p.setPen(Outline(1.2));
      p.setBrush(Shade(0, 3, 0, 11, QColor(120, 200, 90), QColor(50, 130, 40)));
      p.drawRoundedRect(QRectF(3.5, 3.5, 10, 7.5), 1.5, 1.5);
      p.setBrush(Shade(0, 14, 0, 30, QColor(250, 170, 90), QColor(200, 100, 40)));
      p.drawRoundedRect(QRectF(15.5, 14, 13, 7), 1.5, 1.5);
      p.drawRoundedRect(QRectF(15.5, 22.5, 13, 7), 1.5, 1.5);
      break;
    }
    default: {  // save as: a disk with a pencil
      Disk(p);
      p.setPen(Outline(1));
      p.setBrush(Shade(14, 30, 30, 12, QColor(250, 200, 60), QColor(230, 150, 30)));
      p.drawPolygon(QPolygonF({{15, 25}, {27.5, 12.5}, {30.5, 15.5}, {18, 28}}));
      p.setBrush(QColor(250, 224, 190));
      p.drawPolygon(QPolygonF({{15, 25}, {18, 28}, {13.5, 29.5}}));
      break;
    }
  }
  return img;
}

// Deep teal at the top to purple at the bottom, with soft light bands.
QImage ToolbarBackground() {
  const int w = 64;
  const int h = 256;
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(img.rect(), Shade(0, 0, 0, h, QColor(0, 112, 120), QColor(104, 20, 112)));
  Random random(5u);
  for (int i = 0; i < 7; ++i) {
    const double y = random.Between(0, h);
    QPainterPath band;
    band.moveTo(-10, y);
    band.cubicTo(w * 0.3, y - random.Between(10, 30), w * 0.7, y + random.Between(10, 30), w + 10, y - 8);
    band.lineTo(w + 10, y + 10);
    band.cubicTo(w * 0.7, y + 24, w * 0.3, y - 4, -10, y + 14);
    band.closeSubpath();
    p.fillPath(band, QColor(255, 255, 255, 14 + 3 * i));
  }
  QLinearGradient sheen(0, 0, w, 0);
  sheen.setColorAt(0, QColor(255, 255, 255, 28));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
  sheen.setColorAt(1, QColor(0, 0, 0, 30));
  p.fillRect(img.rect(), sheen);
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string folder = argv[1];
  bool ok = WriteJpeg(AboutPicture(false), folder + "/about-tallora.jpg");
  ok = WriteJpeg(AboutPicture(true), folder + "/about-quorva.jpg") && ok;
  ok = Logo("Tallora", QColor(22, 70, 44), QColor(58, 128, 104), 11u)
           .save(QString::fromStdString(folder + "/splash-tallora.png")) &&
       ok;
  ok = Logo("Quorva", QColor(20, 40, 92), QColor(48, 118, 96), 17u)
           .save(QString::fromStdString(folder + "/splash-quorva.png")) &&
       ok;
  for (int i = 0; i < 6; ++i) {
    ok = ToolbarIcon(i).save(QString::fromStdString(folder + "/toolbar-" + std::to_string(i) + ".png")) && ok;
  }
  ok = ToolbarBackground().save(QString::fromStdString(folder + "/toolbar-background.png")) && ok;
  if (!ok) std::fprintf(stderr, "could not write the pictures into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
