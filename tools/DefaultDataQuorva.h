#pragma once
// Quorva's default cost catalogue and plan template, as code. Each Fill
// function empties the root and fills it; make_default_data writes the files.

#include <string>
#include <utility>
#include <vector>

#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "tools/DefaultFiles.h"

// "Custo.dat": typical costs of a eucalyptus plantation, one-off and annual,
// per hectare and per cubic metre, in "$".
void FillDefaultCosts(TCustoPersist& root);
// "Plano1.dat": a complete plan (a thinning and a final cut, every kind of
// cost, a sensitivity range) that validates and calculates.
void FillDefaultPlan(TQuorvaPersist& root);

// Adds a cost with its annual entries (age, value). Names hold at most 12
// characters (the cost datasets' field size).
TCusto& AddCusto(TCustos& custos, const std::string& nome, const std::string& unidade, const std::string& tipo,
                 double custo, const std::vector<std::pair<int, double>>& anuais = {});

// Appends "Custo.dat" and "Plano1.dat".
void AppendQuorvaDefaultFiles(std::vector<TDefaultFile>& files);
