#pragma once
// A small collection of crates behind a collection dataset and a data
// source, and a window to put controls in.

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/classes/Classes.h"
#include "storage/CollectionDataSet.h"

class TCrate : public TCollectionItem {
  TQ_DECLARE_CLASS(TCrate)
public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  double Price() const { return price_; }
  void SetPrice(double v) { price_ = v; }
  int Qty() const { return qty_; }
  void SetQty(int v) { qty_ = v; }
  const std::string& Kind() const { return kind_; }
  void SetKind(const std::string& v) { kind_ = v; }
  const std::string& Unit() const { return unit_; }
  void SetUnit(const std::string& v) { unit_ = v; }
  const std::string& Notes() const { return notes_; }
  void SetNotes(const std::string& v) { notes_ = v; }

private:
  std::string name_;
  double price_ = 0;
  int qty_ = 0;
  std::string kind_;
  std::string unit_;
  std::string notes_;
};

using TCrates = TTypedCollection<TCrate>;

class CratesTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  void Add(const std::string& name, double price, int qty, const std::string& kind, const std::string& unit = "cx");
  // Shows the window and waits until it is active, so focus works.
  void Show();
  std::string Name() const { return ds.FieldByName("Name").AsString(); }
  std::vector<std::string> Names() const;

  TCrates crates;
  TCollectionDataSet ds;
  TDataSource source;
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
};
