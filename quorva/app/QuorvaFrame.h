#pragma once
// The plan page ("Plano"): the plan's description, final age and rate of
// return, the sensitivity range behind its check box, "&Verificar" and
// "Calcular", and the file commands of a plan.

#include <QWidget>
#include <functional>

#include "forms/DocumentFrame.h"
#include "forms/FrameSeams.h"

class DbLineEdit;
class QCheckBox;
class QPushButton;
class TMarquel;

class TFrameQuorva : public QWidget, public IMainDocumentFrame {
public:
  TFrameQuorva(QWidget* parent, TMarquel& marquel, const TFrameSeams& seams);

  // "Calcular" (and Return in an edit, after the edit was written): the main
  // window calculates and shows the results, or the errors.
  std::function<void()> OnCalculate;

  // The saves first write the text still pending in the window's focused
  // edit through its field. Before "Novo" and "Abrir" the window has done
  // so and asked about a change.

  // "Novo": the template, and the window's caption becomes "Quorva - Novo
  // Projeto".
  void New() override;
  // The open dialog; true when a file was loaded; the caption is the
  // window's. A file that cannot be read raises and keeps the plan.
  bool Open() override;
  // "Salvar": to the path the plan came from or was saved to; through
  // "Salvar Plano" while it has none, or its stored name is empty or the
  // template's. False when nothing was written.
  bool Save() override;
  // "Salvar Plano", proposing the stored name; false when cancelled.
  bool SaveAs() override;
  bool Changed() override;
  std::string SaveQuestion() const override;
  std::string Path() const override;

  // Writes the plan's sensitivity switch; 1 ticks the box and binds and
  // enables the three rate edits, anything else clears it and unbinds and
  // disables them.
  void SelectAnaliseSensibilidade(int value);
  // SelectAnaliseSensibilidade with the plan's own switch (the window calls
  // it when the page is shown).
  void ShowAnaliseSensibilidade();

  // The box clicked by the user.
  void CheckBoxAnaliseSensibilidadeClick();
  // "&Verificar": a confirmation when the plan is valid, else the error
  // window with its errors.
  void ButtonVerificarClick();
  // "Calcular": OnCalculate.
  void ButtonCalcularClick();

private:
  TMarquel& marquel_;
  TFrameSeams seams_;
  QCheckBox* sensitivity_;
  DbLineEdit* rateStart_;
  DbLineEdit* rateEnd_;
  DbLineEdit* rateStep_;
  QPushButton* verify_;
  QPushButton* calculate_;
};
