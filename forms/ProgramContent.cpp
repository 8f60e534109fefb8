#include "forms/ProgramContent.h"

QFont SmoothPixelFont(const std::string& name, int pixels, TFontStyles style) {
  QFont f = PixelFont(name, pixels, style);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferDefaultHinting);
  return f;
}

QFont StyledFont(const TStyledLine& line) {
  QFont f = SmoothPixelFont(line.fontName, line.pixelSize, line.style);
  if (line.stretch != 100) f.setStretch(line.stretch);
  return f;
}
