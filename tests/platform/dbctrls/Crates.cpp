#include "tests/platform/dbctrls/Crates.h"

const ClassInfo& TCrate::StaticClass() {
  static const auto ci = ClassBuilder<TCrate>("TCrate", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TCrate::Id)
                             .String("Name", &TCrate::Name, &TCrate::SetName)
                             .Double("Price", &TCrate::Price, &TCrate::SetPrice)
                             .Integer("Qty", &TCrate::Qty, &TCrate::SetQty)
                             .String("Kind", &TCrate::Kind, &TCrate::SetKind)
                             .String("Unit", &TCrate::Unit, &TCrate::SetUnit)
                             .String("Notes", &TCrate::Notes, &TCrate::SetNotes)
                             .Build();
  return *ci;
}

void CratesTest::SetUp() {
  Add("Alfa", 1.5, 10, "L");
  Add("Bravo", 2.25, 20, "M");
  Add("Charlie", 3, 30, "P");
  Add("Delta", 4.75, 40, "M");
  Add("Eco", 5.5, 50, "L");
  ds.SetCollection(&crates);
  ds.Open();
  source.SetDataSet(&ds);
  window->resize(480, 320);
}

void CratesTest::TearDown() {
  window.reset();
}

void CratesTest::Add(const std::string& name, double price, int qty, const std::string& kind, const std::string& unit) {
  TCrate& c = crates.Add();
  c.SetName(name);
  c.SetPrice(price);
  c.SetQty(qty);
  c.SetKind(kind);
  c.SetUnit(unit);
}

void CratesTest::Show() {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

std::vector<std::string> CratesTest::Names() const {
  std::vector<std::string> out;
  for (const TCrate& c : crates) out.push_back(c.Name());
  return out;
}
