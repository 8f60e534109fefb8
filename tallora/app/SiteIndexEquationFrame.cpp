#include "tallora/app/SiteIndexEquationFrame.h"

TFrameSiteIndexEquation::TFrameSiteIndexEquation(QWidget* parent, TGrovana& grovana)
    : TFrameEquation(parent, grovana,
                     {.name = "FrameSiteIndexEquation",
                      .title = "Equação de Sítio",
                      .authorField = "SiteIndexEquationAuthor",
                      .equationField = "SiteIndexEquation",
                      .hint = "(Use 'A' para Idade, 'S' para Índice de Sítio.)",
                      .kind = TEquationKind::SiteIndex}) {}
