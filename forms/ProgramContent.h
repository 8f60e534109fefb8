#pragma once
// What the About and splash windows show for one program: each program
// describes its own, and the windows are the same for both.

#include <QFont>
#include <string>
#include <vector>

#include "platform/gui/Graphics.h"

// A line of text in a font of its own.
struct TStyledLine {
  std::string text;
  std::string fontName = "Arial";
  int pixelSize = 12;
  TFontStyles style = 0;
  TColor color = clWindowText;
  // Width in per cent of the normal face: below 100 a narrow face.
  int stretch = 100;
};

// A label that opens one target through the shell: a document or a program
// (a bare file name) or a web address.
struct TAboutLink {
  std::string caption;
  std::string target;
  // A failure to open tells the user "Não foi possível abrir."; otherwise it
  // goes unnoticed.
  bool reportFailure = false;
  // The label's object name; empty: "Link" and its position from 1.
  std::string name;
};

struct TAboutContent {
  std::string caption;
  // Above the links, left of the picture.
  std::vector<TStyledLine> heading;
  // The numbered links, from the top.
  std::vector<TAboutLink> links;
  // The small label under them: the caption is the address.
  TAboutLink site;
  // A JPEG file or a resource path (":/..."); empty or unreadable: no picture.
  std::string picture;
};

struct TSplashContent {
  std::string caption;
  // A picture file or a resource path of the logo at the top.
  std::string logo;
  // Centred below the logo, one under the other.
  std::vector<TStyledLine> lines;
};

// PixelFont smoothed: antialiased, with the platform's hinting.
QFont SmoothPixelFont(const std::string& name, int pixels, TFontStyles style = 0);
// The Qt font of a line: the family that stands in for its name, its pixel
// size and styles, smoothed.
QFont StyledFont(const TStyledLine& line);
