#include "forms/ProgramContent.h"

QFont StyledFont(const TStyledLine& line) {
  TFont font;
  font.SetName(line.fontName);
  font.SetHeight(-line.pixelSize);
  font.SetStyle(line.style);
  QFont f = font.ToQFont();
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferDefaultHinting);
  if (line.stretch != 100) f.setStretch(line.stretch);
  return f;
}
