#pragma once
// The listing options page ("Opções de Listagem"): the ages the results list,
// by interval or as a typed list, and the diameter class interval.

#include <QWidget>

class DbLineEdit;
class QButtonGroup;
class QRadioButton;
class TGrovana;
enum class TListingOption : int;

class TFrameListOptions : public QWidget {
public:
  TFrameListOptions(QWidget* parent, TGrovana& grovana);

  // Brings the page in line with the current simulation's option.
  void ShowListingOption();
  // Writes the option; AgeInterval binds the interval edits, AgeList the
  // list of ages; other values are only written.
  void SelectListingOption(TListingOption option);

private:
  TGrovana& grovana_;
  QButtonGroup* options_;
  QRadioButton* byInterval_;
  QRadioButton* byList_;
  DbLineEdit* initialAge_;
  DbLineEdit* finalAge_;
  DbLineEdit* incrementalAge_;
  DbLineEdit* resultAges_;
};
