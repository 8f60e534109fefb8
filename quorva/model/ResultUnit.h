#pragma once
// Quorva's economic report: the cash flow with present values, the economic
// indicators and the sensitivity table of a calculated plan, as RTF.

#include <string>

#include "model/items/RTFUnit.h"

class TQuorva;

namespace quorva {

class TResult {
public:
  TResult();

  // Writes the whole document for a plan that TQuorva::Calculate has filled.
  void Build(const TQuorva& plan);
  // The last document's bytes, from the start.
  const std::string& GetStream() const { return document_.Data(); }
  const TRTFDocument& Document() const { return document_; }

  // "#,##0.00" right-aligned in width characters; a longer text is not cut.
  static std::string FormatValue(int width, double value);

  void WriteHeader();
  void WriteCashFlow(const TQuorva& plan);
  void WriteParameters(const TQuorva& plan);
  void WriteSensitivity(const TQuorva& plan);

private:
  TRTFDocument document_;
  int numberFont_;
  int textFont_;
};

}  // namespace quorva
