#pragma once
// What the site, volume and taper equation pages share: the title, the
// author (read-only), the equation text, a hint naming its variables, and
// "Catálogo..." to replace the equation from the formula catalogue.

#include <QPointer>
#include <QWidget>

#include "tallora/app/EquationsFrame.h"

class DbTextEdit;
class QPushButton;
class QVBoxLayout;
class TFormEquations;
class TGrovana;

class TFrameEquation : public QWidget {
public:
  // "Catálogo...": picks a formula and sets the equation from it.
  void ButtonCatalogoClick();

  TFormEquations& Picker();

protected:
  struct Layout {
    const char* name;
    const char* title;
    const char* authorField;
    const char* equationField;
    const char* hint;
    TEquationKind kind;
  };
  TFrameEquation(QWidget* parent, TGrovana& grovana, const Layout& layout);

  // Adds a row under the equation and its hint, above the button.
  void AddWidget(QWidget* widget);
  // A multi-line edit of a field, with its label above it.
  DbTextEdit* AddText(const char* label, const char* field, const char* name);

  TGrovana& grovana_;

private:
  TEquationKind kind_;
  QVBoxLayout* body_;
  QPointer<TFormEquations> picker_;
};
