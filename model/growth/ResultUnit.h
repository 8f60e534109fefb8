#pragma once
// Tallora's growth-and-production report: the simulation's inputs, the growth
// table with thinning notes, the equations, the thinnings and, per harvest,
// the assortment table by diameter class, as RTF.

#include <string>

#include "model/items/RTFUnit.h"

class TSimulation;
class TSimulationData;
class TThin;
class TPrognosis;
class TProduct;
class TProductCollection;
class TProduction;
class TDiameterClass;

class TResult {
public:
  TResult();

  // Writes the whole report of a simulation after a successful run. Without
  // growth rows nothing is written and the stream keeps the last document.
  void Build(TSimulation& simulation);
  // The last document's bytes, from the start.
  const std::string& GetStream() const { return document_.Data(); }
  const TRTFDocument& Document() const { return document_; }

  void WriteHeader(const TSimulationData& simulation);
  void WriteGrowthHead();
  void WriteThinNote(const TThin& thin);
  void WriteGrowthRow(const TPrognosis& row);
  void WriteEquations(const TSimulationData& simulation);
  void WriteThinsTitle();
  void WriteThinHead();
  void WriteThinRow(const TThin& thin);
  void BeginAssortments();
  void WriteAssortment(TProduction& harvest, const TProductCollection& products);
  // Writes the head row of an assortment table and returns its cell count
  // (four fixed columns and one per product).
  int WriteAssortmentHead(const TProductCollection& products);
  // Index of the product with the largest non-negative MinDiameter strictly
  // below bound, the later one on ties; 0 when none qualifies.
  static int NextProductBelow(const TProductCollection& products, double bound);
  // n is the cell count of the table; a missing product entry prints empty.
  void WriteClassRow(const TDiameterClass& diameterClass, int n);
  void WriteTotalsRow(const TProduction& harvest, int n);

private:
  TRTFDocument document_;
  int rowFont_;    // Courier New
  int titleFont_;  // Arial
  int textFont_;   // Times New Roman
};
