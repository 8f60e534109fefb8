#pragma once
// Tallora's default catalogues and simulation template, as code. Each Fill
// function empties the root and fills it; the programs' files are written
// from these by make_default_data.

#include <vector>

#include "tallora/data/GrovanaData.h"
#include "tools/DefaultFiles.h"

// "Produtos.dat": sawlogs, pulpwood and energy wood.
void FillDefaultProducts(TProductPersist& root);
// "Formulas.dat": the four built-in equations as texts, Ids 0 to 3.
void FillDefaultFormulas(TFormulaPersist& root);
// "Simulation.dat": one complete simulation with built-in equations.
void FillDefaultSimulation(TSimulationPersist& root);

// Equation types the formula pickers match.
inline constexpr const char* kSiteEquationType = "Equação de Sítio";
inline constexpr const char* kVolumeEquationType = "Equação de Volume";
inline constexpr const char* kShapeEquationType = "Equação de Sortimento";
inline constexpr const char* kIntegralEquationType = "Integral da Função da Forma 2";

// Appends "Produtos.dat", "Formulas.dat" and "Simulation.dat".
void AppendTalloraDefaultFiles(std::vector<TDefaultFile>& files);
