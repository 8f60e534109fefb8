#include "tallora/app/ShapeFunctionEquationFrame.h"

TFrameShapeFunctionEquation::TFrameShapeFunctionEquation(QWidget* parent, TGrovana& grovana)
    : TFrameEquation(parent, grovana,
                     {.name = "FrameShapeFunctionEquation",
                      .title = "Equação de Sortimento",
                      .authorField = "ShapeFunctionEquationAuthor",
                      .equationField = "ShapeFunctionEquation",
                      .hint = "(Use a variável 'D' para Diâmetro e 'X' para Altura.)",
                      .kind = TEquationKind::ShapeFunction}) {
  AddText("Integral da Equação de Sortimento Elevada ao Quadrado:", "ShapeFunctionIntegral2Equation",
          "DBMemoIntegral2Equation");
}
