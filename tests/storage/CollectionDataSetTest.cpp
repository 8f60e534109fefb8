#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "storage/CollectionDataSet.h"

namespace {

class TTree : public TCollectionItem {
  TQ_DECLARE_CLASS(TTree)
public:
  double Dbh() const { return dbh_; }
  void SetDbh(double v) { dbh_ = v; }
  std::string Species() const { return species_; }
  void SetSpecies(const std::string& v) { species_ = v; }

private:
  double dbh_ = 0;
  std::string species_;
};

const ClassInfo& TTree::StaticClass() {
  static const auto ci = ClassBuilder<TTree>("TTree", &TCollectionItem::StaticClass())
                             .Double("Dbh", &TTree::Dbh, &TTree::SetDbh)
                             .String("Species", &TTree::Species, &TTree::SetSpecies)
                             .Build();
  return *ci;
}

// A plot: read-only Id, a text, a float, an integer and a nested collection.
class TPlot : public TCollectionItem {
  TQ_DECLARE_CLASS(TPlot)
public:
  const std::string& name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  double Area() const { return area_; }
  void SetArea(double v) { area_ = v; }
  int age() const { return age_; }
  void SetAge(int v) { age_ = v; }
  TTypedCollection<TTree>& Trees() { return trees_; }

private:
  std::string name_;
  double area_ = 0;
  int age_ = 0;
  TTypedCollection<TTree> trees_{this};
};

const ClassInfo& TPlot::StaticClass() {
  static const auto ci = ClassBuilder<TPlot>("TPlot", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TPlot::Id)
                             .String("name", &TPlot::name, &TPlot::SetName)
                             .Double("Area", &TPlot::Area, &TPlot::SetArea)
                             .Collection("Trees", &TPlot::Trees, TTree::StaticClass())
                             .Integer("age", &TPlot::age, &TPlot::SetAge)
                             .String("Name", &TPlot::name, &TPlot::SetName)  // duplicate: no field
                             .Build();
  return *ci;
}

using TPlots = TTypedCollection<TPlot>;

// Opens up the record reader for the end-of-data cases.
class TTestDataSet : public TCollectionDataSet {
public:
  TGetResult Get(TGetMode mode, bool doCheck) { return GetRecord(mode, doCheck); }
  void MoveToFirst() { InternalFirst(); }
  void MoveToLast() { InternalLast(); }
};

using Log = std::vector<std::string>;

class CollectionDataSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* n : {"A", "B", "C", "D", "E"}) Add(n);
    ds.SetCollection(&plots);
  }

  TPlot& Add(const std::string& name, double area = 1) {
    TPlot& p = plots.Add();
    p.SetName(name);
    p.SetArea(area);
    return p;
  }
  std::string Names() const {
    std::string s;
    for (const TPlot& p : plots) s += p.name();
    return s;
  }
  std::string Current() { return ds.FieldByName("name").AsString(); }

  TPlots plots;
  TTestDataSet ds;
};

TEST_F(CollectionDataSetTest, FieldDefinitionsFromPublishedProperties) {
  ds.InitFieldDefs();
  const TFieldDefs& defs = ds.FieldDefs();
  ASSERT_EQ(defs.Count(), 4);
  EXPECT_EQ(defs.Items(0).Name, "age");
  EXPECT_EQ(defs.Items(0).DataType, TFieldType::Integer);
  EXPECT_EQ(defs.Items(1).Name, "Area");
  EXPECT_EQ(defs.Items(1).DataType, TFieldType::Float);
  EXPECT_EQ(defs.Items(2).Name, "Id");
  EXPECT_TRUE(defs.Items(2).ReadOnly);
  EXPECT_EQ(defs.Items(3).Name, "name");
  EXPECT_EQ(defs.Items(3).DataType, TFieldType::String);
  EXPECT_EQ(defs.Items(3).Size, 255);

  ds.Open();
  EXPECT_TRUE(ds.DefaultFields());
  EXPECT_EQ(ds.FieldCount(), 4);
  EXPECT_EQ(ds.FindField("Trees"), nullptr);
  EXPECT_TRUE(ds.FieldByName("Id").ReadOnly());
  ds.Close();
  EXPECT_EQ(ds.FieldCount(), 0);
}

TEST_F(CollectionDataSetTest, WithoutCollection) {
  TCollectionDataSet empty;
  try {
    empty.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Collection is niet gevult !");
  }
  EXPECT_FALSE(empty.Active());
  try {
    empty.InitFieldDefs();
    FAIL();
  } catch (const EInvalidPointer& e) {
    EXPECT_STREQ(e.what(), "Collection is nil");
  }
}

TEST_F(CollectionDataSetTest, EmptyCollection) {
  TPlots none;
  ds.SetCollection(&none);
  ds.Open();
  EXPECT_EQ(ds.RecordCount(), 0);
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_TRUE(ds.Eof() && ds.Bof());
  ds.MoveToFirst();
  EXPECT_EQ(ds.Get(TGetMode::gmNext, true), TGetResult::grEOF);
  ds.MoveToLast();
  EXPECT_EQ(ds.Get(TGetMode::gmPrior, true), TGetResult::grEOF);
  EXPECT_EQ(ds.Get(TGetMode::gmCurrent, true), TGetResult::grEOF);
  EXPECT_TRUE(ds.FieldByName("Area").IsNull());
  EXPECT_THROW(ds.FieldByName("Area").SetAsFloat(1), EDatabaseError);

  // Edit on an empty dataset inserts.
  ds.Edit();
  EXPECT_EQ(ds.State(), TDataSetState::Insert);
  ds.FieldByName("name").SetText("Novo");
  ds.Post();
  ASSERT_EQ(none.Count(), 1);
  EXPECT_EQ(none[0].name(), "Novo");
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(CollectionDataSetTest, NoRecordsOnlyWhenACurrentRecordIsRequired) {
  ds.Open();
  ds.SetRecNo(0);
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_TRUE(ds.FieldByName("name").IsNull());
  EXPECT_EQ(ds.Get(TGetMode::gmCurrent, false), TGetResult::grError);
  try {
    ds.Get(TGetMode::gmCurrent, true);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "No Records");
  }
  ds.SetRecNo(6);  // above the record count: nothing
  EXPECT_EQ(ds.RecNo(), 0);
  ds.SetRecNo(5);
  EXPECT_EQ(Current(), "E");
  ds.Next();
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(Current(), "E");
}

TEST_F(CollectionDataSetTest, InsertAppendAndCancel) {
  ds.Open();
  ds.SetRecNo(3);
  ds.Insert();
  EXPECT_EQ(plots.Count(), 6);  // the item exists at once, at the end
  EXPECT_EQ(ds.RecordCount(), 5);
  ds.FieldByName("name").SetText("X");
  EXPECT_EQ(plots[5].name(), "X");
  ds.Post();
  EXPECT_EQ(Names(), "ABXCDE");
  EXPECT_EQ(plots[2].name(), "X");
  EXPECT_EQ(ds.RecordCount(), 6);
  EXPECT_EQ(ds.RecNo(), 3);
  EXPECT_EQ(Current(), "X");

  ds.Append();
  ds.FieldByName("name").SetText("Y");
  ds.Post();
  EXPECT_EQ(Names(), "ABXCDEY");
  EXPECT_EQ(ds.RecNo(), 7);

  ds.SetRecNo(2);
  ds.Insert();
  ds.FieldByName("name").SetText("Z");
  ds.Cancel();
  EXPECT_EQ(Names(), "ABXCDEY");
  EXPECT_EQ(ds.RecNo(), 2);
  ds.Append();
  ds.Cancel();
  EXPECT_EQ(Names(), "ABXCDEY");
  EXPECT_EQ(ds.RecNo(), 7);

  // Delete in insert state cancels; Close drops a pending insert.
  ds.Insert();
  ds.Delete();
  EXPECT_EQ(plots.Count(), 7);
  ds.Append();
  ds.FieldByName("name").SetText("W");
  ds.Close();
  EXPECT_EQ(Names(), "ABXCDEY");
}

TEST_F(CollectionDataSetTest, EditWritesAtOnceAndCancelRestores) {
  ds.Open();
  ds.Next();
  ds.Edit();
  ds.FieldByName("Area").SetAsFloat(2.5);
  ds.FieldByName("name").SetText("Bravo");
  ds.FieldByName("age").SetAsInteger(7);
  EXPECT_EQ(plots[1].Area(), 2.5);  // the model sees the value before Post
  EXPECT_EQ(plots[1].name(), "Bravo");
  ds.Cancel();
  EXPECT_EQ(plots.Count(), 5);
  EXPECT_EQ(plots[1].Area(), 1);
  EXPECT_EQ(plots[1].name(), "B");
  EXPECT_EQ(plots[1].age(), 0);

  ds.Edit();
  ds.FieldByName("age").SetText("12");
  ds.Post();
  EXPECT_EQ(plots[1].age(), 12);

  // Browse state: straight into the item.
  ds.FieldByName("Area").SetText("3,75");
  EXPECT_EQ(plots[1].Area(), 3.75);
  ds.FieldByName("name").Clear();
  EXPECT_EQ(plots[1].name(), "");
  ds.FieldByName("Area").SetText("");
  EXPECT_EQ(plots[1].Area(), 0);

  try {
    ds.FieldByName("Id").SetAsInteger(9);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Id' cannot be modified");
  }
  EXPECT_EQ(ds.FieldByName("Id").AsInteger(), plots[1].Id());
}

TEST_F(CollectionDataSetTest, DeleteMovesBackFromTheEnd) {
  ds.Open();
  ds.Last();
  ds.Delete();
  EXPECT_EQ(Names(), "ABCD");
  EXPECT_EQ(ds.RecNo(), 4);
  EXPECT_EQ(Current(), "D");
  ds.SetRecNo(2);
  ds.Delete();
  EXPECT_EQ(Names(), "ACD");
  EXPECT_EQ(Current(), "C");
  while (!ds.IsEmpty()) ds.Delete();
  EXPECT_EQ(plots.Count(), 0);
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_TRUE(ds.Eof() && ds.Bof());
  try {
    ds.Delete();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation on an empty dataset");
  }
}

TEST_F(CollectionDataSetTest, StringSizes) {
  std::string longText(300, 'x');
  plots[0].SetName(longText);
  ds.Open();
  EXPECT_EQ(Current().size(), 255u);
  EXPECT_EQ(ds.FieldByName("name").DisplayText(), std::string(255, 'x'));
  ds.Close();

  // A persistent field of 30 characters cuts at characters, on read and write.
  ds.AddIntegerField("Id");
  ds.AddStringField("Name", 30);
  std::string accents;
  for (int i = 0; i < 40; ++i) accents += "ç";
  plots[0].SetName(accents);
  ds.Open();
  EXPECT_EQ(Utf8Length(Current()), 30u);
  ds.FieldByName("Name").SetText("ação " + std::string(40, 'a'));
  EXPECT_EQ(Utf8Length(plots[0].name()), 30u);
  EXPECT_EQ(plots[0].name().substr(0, 6), "ação");
}

TEST_F(CollectionDataSetTest, Bookmarks) {
  ds.Open();
  ds.SetRecNo(4);
  const TBookmark b = ds.GetBookmark();
  EXPECT_EQ(b, 4);
  ds.First();
  ds.GotoBookmark(b);
  EXPECT_EQ(Current(), "D");
  // A bookmark names a position, not an item.
  plots.Delete(0);
  ds.GotoBookmark(b);
  EXPECT_EQ(Current(), "E");
  for (TBookmark bad : {0, 5}) {
    try {
      ds.GotoBookmark(bad);
      FAIL() << bad;
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "Bookmark not found");
    }
  }
}

TEST_F(CollectionDataSetTest, EventOrderOfAMoveThatPosts) {
  Log log;
  auto on = [&](const char* name) { return [&log, name](TDataSet&) { log.push_back(name); }; };
  ds.BeforePost = on("BeforePost");
  ds.AfterPost = on("AfterPost");
  ds.BeforeScroll = on("BeforeScroll");
  ds.AfterScroll = on("AfterScroll");
  ds.Open();
  ds.Next();
  ds.Edit();
  ds.FieldByName("age").SetAsInteger(4);
  log.clear();
  ds.Prior();
  EXPECT_EQ(log, (Log{"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}));
  EXPECT_EQ(plots[1].age(), 4);
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(CollectionDataSetTest, AbortFromAfterPostKeepsTheFaultyRecord) {
  ds.Open();
  ds.AfterPost = [](TDataSet& d) {
    if (d.FieldByName("name").IsNull()) throw EAbort();
  };
  ds.SetRecNo(2);
  ds.Edit();
  ds.FieldByName("name").SetText("");
  EXPECT_THROW(ds.Next(), EAbort);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(ds.RecNo(), 2);
  EXPECT_EQ(plots[1].name(), "");

  // The refresh that posts a new record runs the same handler.
  ds.Append();
  ds.FieldByName("Area").SetAsFloat(4);
  EXPECT_THROW(ds.Refresh(), EAbort);
  EXPECT_EQ(plots.Count(), 6);
  EXPECT_EQ(ds.RecNo(), 6);
  ds.Append();
  ds.FieldByName("name").SetText("F");
  ds.Refresh();
  EXPECT_EQ(Names(), "ACDEF");
  EXPECT_EQ(plots.Count(), 7);
}

TEST_F(CollectionDataSetTest, UntouchedInsertIsDroppedByAMove) {
  ds.Open();
  ds.Insert();
  ds.Next();
  EXPECT_EQ(plots.Count(), 5);
  ds.Insert();
  ds.FieldByName("age").SetAsInteger(1);
  ds.Next();
  EXPECT_EQ(plots.Count(), 6);
  EXPECT_EQ(plots[1].age(), 1);
}

TEST_F(CollectionDataSetTest, PersistentFieldsAndTexts) {
  ds.AddFields({{.name = "Id", .type = TFieldType::Integer},
                {.name = "NAME", .type = TFieldType::String, .size = 10},
                {.name = "Area", .type = TFieldType::Float, .currency = true},
                {.name = "Age", .type = TFieldType::Integer, .displayFormat = "#0 anos"}});
  plots[0].SetArea(1234.5);
  plots[0].SetAge(7);
  ds.Open();
  EXPECT_FALSE(ds.DefaultFields());
  EXPECT_TRUE(ds.FieldByName("Id").ReadOnly());
  EXPECT_EQ(ds.FieldByName("Area").DisplayText(), "R$ 1.234,50");
  EXPECT_EQ(ds.FieldByName("Area").Text(), "1234,50");
  EXPECT_EQ(ds.FieldByName("Age").DisplayText(), "7 anos");
  EXPECT_EQ(ds.FieldTextAt(1, ds.FieldByName("Area")), "R$ 1,00");
  EXPECT_EQ(ds.FieldTextAt(4, ds.FieldByName("Name")), "E");
  EXPECT_THROW(ds.FieldTextAt(5, ds.FieldByName("Name")), EDatabaseError);
  EXPECT_EQ(ds.RecNo(), 1);
  try {
    ds.FieldByName("Area").SetText("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' não é um valor válido para o campo Area");
  }
  EXPECT_EQ(plots[0].Area(), 1234.5);
  ds.Close();

  ds.ClearFields();
  ds.AddFloatField("age");
  EXPECT_THROW(ds.Open(), EDatabaseError);  // an integer property
  ds.ClearFields();
  ds.AddStringField("Trees");
  EXPECT_THROW(ds.Open(), EDatabaseError);  // a collection gives no field
  EXPECT_FALSE(ds.Active());
}

TEST_F(CollectionDataSetTest, CollectionChangedBehindTheDataSetsBack) {
  TDataSource src;
  TFieldDataLink link;
  std::string shown = "?";
  link.OnDataChange = [&] { shown = link.Field() ? link.Field()->DisplayText() : ""; };
  link.SetFieldName("name");
  link.SetDataSource(&src);
  src.SetDataSet(&ds);

  auto owned = std::make_unique<TPlots>();
  owned->Add().SetName("P");
  owned->Add().SetName("Q");
  ds.SetCollection(owned.get());
  ds.Open();
  ds.Last();
  EXPECT_EQ(shown, "Q");

  // Shrunk: the live count follows, reads past the end give nothing.
  owned->Delete(1);
  EXPECT_EQ(ds.RecordCount(), 1);
  EXPECT_EQ(Current(), "");
  ds.Resync();
  EXPECT_EQ(Current(), "P");
  owned->Delete(0);
  ds.Next();
  ds.Prior();
  EXPECT_EQ(Current(), "");

  // Cleared while editing: back to browse, empty.
  owned->Add().SetName("R");
  ds.First();
  ds.Edit();
  owned->Clear();
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_EQ(shown, "");

  // Destroyed while inserting: the dataset closes and lets go.
  ds.Append();
  owned.reset();
  EXPECT_FALSE(ds.Active());
  EXPECT_EQ(ds.Collection(), nullptr);
  EXPECT_FALSE(link.Active());
  EXPECT_THROW(ds.Open(), EDatabaseError);

  ds.SetCollection(&plots);
  ds.Open();
  EXPECT_EQ(shown, "A");
  // Changing the collection of an open dataset closes it first.
  TPlots other;
  ds.SetCollection(&other);
  EXPECT_FALSE(ds.Active());
}

TEST_F(CollectionDataSetTest, DestroyedDataSetLeavesTheCollectionClean) {
  {
    TCollectionDataSet temp;
    temp.SetCollection(&plots);
    temp.Open();
    temp.Append();
  }
  EXPECT_EQ(plots.Count(), 5);
  plots.Clear();  // no observer left behind
  EXPECT_EQ(plots.Count(), 0);
}

}  // namespace
