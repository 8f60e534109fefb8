#pragma once
// The equations page ("Equações"): the descriptions of the simulation's
// site, volume and taper equations, each replaced from the formula
// catalogue through its "..." button.

#include <QPointer>
#include <QWidget>
#include <string>

class QPushButton;
class TFormEquations;
class TFormula;
class TGrovana;

// The catalogue's equation types, as the formula pickers match them.
inline constexpr const char* kTypeSiteIndexEquation = "Equação de Sítio";
inline constexpr const char* kTypeVolumeEquation = "Equação de Volume";
inline constexpr const char* kTypeShapeFunctionEquation = "Equação de Sortimento";
inline constexpr const char* kTypeShapeFunctionIntegral = "Integral da Função da Forma 2";
inline constexpr const char* kTypeShapeFunctionIntegral2 = "Integral da Equação de Sortimento Elevada ao Quadrado";

enum class TEquationKind { SiteIndex, Volume, ShapeFunction };

// Picks a catalogue formula of the kind's type and, on a choice, sets the
// simulation's equation from it and refreshes cdsSimulation (which posts
// it). False when the pick was cancelled: nothing changes then.
bool PickEquation(TGrovana& grovana, TFormEquations& picker, TEquationKind kind);

class TFrameEquations : public QWidget {
public:
  TFrameEquations(QWidget* parent, TGrovana& grovana);

  // The hidden "Padrões": the catalogue formulas 0, 1 and 2 as the site,
  // volume and taper equations.
  void SetDefaultEquations();

  TFormEquations& Picker();

private:
  TGrovana& grovana_;
  QPointer<TFormEquations> picker_;
};
