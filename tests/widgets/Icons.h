#pragma once
// Pictures for the widget tests, the gallery and the benchmark: six 32-pixel
// toolbar icons of our own (new, open, save, save as, print, items) on a
// transparent ground, and a teal-to-purple picture for backgrounds.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "platform/gui/Images.h"

namespace test_icons {

inline QImage ToolbarIcon(int index) {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1.5));
  switch (index) {
    case 0: {  // a sheet with a folded corner
      QPolygonF sheet({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}});
      p.setBrush(QColor(250, 250, 250));
      p.drawPolygon(sheet);
      p.setBrush(QColor(210, 210, 210));
      p.drawPolygon(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
      p.setPen(QPen(QColor(120, 160, 200), 1.5));
      for (int y = 14; y <= 24; y += 5) p.drawLine(QPointF(10, y), QPointF(23, y));
      break;
    }
    case 1: {  // an open folder
      p.setBrush(QColor(214, 168, 48));
      p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {15, 11}, {27, 11}, {27, 27}, {3, 27}}));
      p.setBrush(QColor(246, 206, 90));
      p.drawPolygon(QPolygonF({{6, 15}, {30, 15}, {26, 27}, {3, 27}}));
      break;
    }
    case 2:
    case 3: {  // a disk; with a pencil for "save as"
      p.setBrush(QColor(52, 92, 170));
      p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
      p.setBrush(QColor(235, 235, 235));
      p.drawRect(QRectF(9, 4, 14, 9));
      p.setBrush(QColor(30, 30, 30));
      p.drawRect(QRectF(18, 6, 3, 5));
      p.setBrush(QColor(245, 245, 245));
      p.drawRect(QRectF(8, 17, 16, 11));
      if (index == 3) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(240, 180, 40));
        p.drawPolygon(QPolygonF({{14, 30}, {16, 24}, {29, 11}, {31, 13}, {18, 26}}));
      }
      break;
    }
    case 4: {  // a printer
      p.setBrush(QColor(250, 250, 250));
      p.drawRect(QRectF(9, 3, 14, 10));
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
      p.setBrush(QColor(250, 250, 250));
      p.drawRect(QRectF(8, 19, 16, 10));
      p.setBrush(QColor(60, 200, 80));
      p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
      break;
    }
    default: {  // a tree of items
      p.setPen(QPen(QColor(60, 60, 60), 1.5));
      p.drawLine(QPointF(8, 8), QPointF(8, 26));
      p.drawLine(QPointF(8, 16), QPointF(14, 16));
      p.drawLine(QPointF(8, 26), QPointF(14, 26));
      p.setBrush(QColor(90, 150, 60));
      p.drawRect(QRectF(4, 3, 9, 7));
      p.setBrush(QColor(200, 120, 50));
      p.drawRect(QRectF(15, 12, 13, 8));
      p.drawRect(QRectF(15, 22, 13, 8));
      break;
    }
  }
  return img;
}

inline void AddToolbarIcons(TImageList& images) {
  for (int i = 0; i < 6; ++i) images.AddImage(ToolbarIcon(i));
}

// Teal at the top to purple at the bottom, with a faint diagonal sheen.
inline QImage TealPurplePicture(int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, QColor(0, 128, 128));
  g.setColorAt(1, QColor(128, 0, 128));
  p.fillRect(img.rect(), g);
  QLinearGradient sheen(0, 0, width, height);
  sheen.setColorAt(0, QColor(255, 255, 255, 40));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
  p.fillRect(img.rect(), sheen);
  return img;
}

}  // namespace test_icons
