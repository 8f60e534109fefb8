#include "forms/ProgramContent.h"

QFont StyledFont(const TStyledLine& line) {
  QFont f = PixelFont(line.fontName, line.pixelSize, line.style);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setHintingPreference(QFont::PreferDefaultHinting);
  if (line.stretch != 100) f.setStretch(line.stretch);
  return f;
}
