#pragma once
// Quorva's cost report: each cost's amount per year in blocks of five years,
// then each cost's total and its total in present value, as RTF.

#include <string>
#include <vector>

#include "model/items/RTFUnit.h"

class TQuorva;

class TRelatorioCustos {
public:
  TRelatorioCustos();

  // Fills the matrix and writes the whole document. The plan's harvest cursor moves.
  void Build(TQuorva& plan);
  const std::string& GetStream() const { return document_.Data(); }
  const TRTFDocument& Document() const { return document_; }

  // One row per cost of the plan, years 0..IdadeFinal.
  void FillCostMatrix(TQuorva& plan);
  const std::vector<std::vector<double>>& CostMatrix() const { return matrix_; }
  // Sums of the last totals table.
  double GrandTotal() const { return grandTotal_; }
  double GrandPresentValue() const { return grandPresent_; }

  // "#,##0.00" right-aligned in width characters; a longer text is not cut.
  static std::string FormatValue(int width, double value);

  void WriteYearHeader(int first, int last);
  void WriteCostRows(const TQuorva& plan, int first, int last);
  void WriteTotals(const TQuorva& plan);

private:
  TRTFDocument document_;
  int numberFont_;
  int textFont_;
  std::vector<std::vector<double>> matrix_;
  double grandTotal_ = 0;
  double grandPresent_ = 0;
};
