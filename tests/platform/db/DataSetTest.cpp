#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/db/DB.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Rows held in a vector: Code (integer, read-only), Name (text), Amount (float).
struct Row {
  int code = 0;
  std::string name;
  double amount = 0;
};

class TRowDataSet : public TDataSet {
public:
  ~TRowDataSet() override { CloseQuietly(); }

  std::vector<Row> rows;
  TGetResult Get(TGetMode mode, bool doCheck) { return GetRecord(mode, doCheck); }

  int RecordCount() const override {
    if (!open_) return 0;
    return static_cast<int>(rows.size()) - (State() == TDataSetState::Insert ? 1 : 0);
  }

protected:
  void InternalOpen() override {
    cursor_ = -1;
    InitFieldDefs();
    if (FieldCount() == 0) CreateFields();
    BindFields(true);
    open_ = true;
  }
  void InternalClose() override {
    BindFields(false);
    DestroyDefaultFields();
    open_ = false;
  }
  bool IsCursorOpen() const override { return open_; }
  void InternalInitFieldDefs() override {
    FieldDefs().Clear();
    FieldDefs().Add("Code", TFieldType::Integer, 0, true);
    FieldDefs().Add("Name", TFieldType::String, 255);
    FieldDefs().Add("Amount", TFieldType::Float);
  }
  void InternalFirst() override { cursor_ = -1; }
  void InternalLast() override { cursor_ = RecordCount(); }
  TGetResult GetRecord(TGetMode mode, bool doCheck) override {
    const int n = RecordCount();
    if (n == 0) return TGetResult::grEOF;
    if (mode == TGetMode::gmNext) {
      if (cursor_ >= n - 1) return TGetResult::grEOF;
      ++cursor_;
    } else if (mode == TGetMode::gmPrior) {
      if (cursor_ <= 0) return TGetResult::grBOF;
      --cursor_;
    } else if (cursor_ < 0 || cursor_ >= n) {
      if (doCheck) throw EDatabaseError(kMsgNoRecords);
      return TGetResult::grError;
    }
    return TGetResult::grOK;
  }
  int GetRecNo() const override { return cursor_ + 1; }
  void InternalSetRecNo(int n) override { cursor_ = n - 1; }
  void InternalGotoBookmark(TBookmark b) override { cursor_ = b - 1; }
  void CheckCurrentRecord() const override {
    if (!Current()) throw EDatabaseError(kMsgNoRecords);
  }
  void InternalInitRecord() override { rows.push_back(Row{static_cast<int>(rows.size()) + 100, "", 0}); }
  void InternalEdit() override { saved_ = *Current(); }
  void InternalPost() override {
    if (State() != TDataSetState::Insert) return;
    Row r = rows.back();
    rows.pop_back();
    if (cursor_ < 0) cursor_ = static_cast<int>(rows.size());
    rows.insert(rows.begin() + cursor_, r);
  }
  void InternalCancel() override {
    if (State() == TDataSetState::Insert)
      rows.pop_back();
    else
      *Current() = saved_;
  }
  void InternalDelete() override {
    rows.erase(rows.begin() + cursor_);
    if (cursor_ >= static_cast<int>(rows.size())) --cursor_;
  }
  void InternalResync() override {
    if (State() != TDataSetState::Insert && cursor_ >= RecordCount()) cursor_ = RecordCount() - 1;
  }
  TFieldValue GetFieldData(const TField& f) const override {
    const Row* r = Current();
    return r ? Read(*r, f) : TFieldValue();
  }
  TFieldValue GetFieldDataAt(int record, const TField& f) const override {
    return Read(rows[static_cast<std::size_t>(record)], f);
  }
  void SetFieldData(TField& f, const TFieldValue& v) override {
    Row* r = Current();
    if (!r) throw EDatabaseError(kMsgNoRecords);
    if (f.FieldNo() == 2) r->name = std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : "";
    if (f.FieldNo() == 3) r->amount = std::holds_alternative<double>(v) ? std::get<double>(v) : 0.0;
  }

private:
  Row* Current() const {
    auto* self = const_cast<TRowDataSet*>(this);
    if (State() == TDataSetState::Insert) return &self->rows.back();
    if (cursor_ < 0 || cursor_ >= RecordCount()) return nullptr;
    return &self->rows[static_cast<std::size_t>(cursor_)];
  }
  static TFieldValue Read(const Row& r, const TField& f) {
    switch (f.FieldNo()) {
      case 1:
        return TFieldValue(std::int32_t{r.code});
      case 2:
        return r.name.empty() ? TFieldValue() : TFieldValue(r.name);
      case 3:
        return TFieldValue(r.amount);
      default:
        return {};
    }
  }

  bool open_ = false;
  int cursor_ = -1;
  Row saved_;
};

// Records every event of a dataset and of a data source on it.
struct Recorder {
  std::vector<std::string> log;

  void Attach(TDataSet& ds, TDataSource& src) {
    auto on = [this](const char* name) { return [this, name](TDataSet&) { log.push_back(name); }; };
    ds.BeforeOpen = on("BeforeOpen");
    ds.AfterOpen = on("AfterOpen");
    ds.BeforeClose = on("BeforeClose");
    ds.AfterClose = on("AfterClose");
    ds.BeforeInsert = on("BeforeInsert");
    ds.AfterInsert = on("AfterInsert");
    ds.BeforeEdit = on("BeforeEdit");
    ds.AfterEdit = on("AfterEdit");
    ds.BeforePost = on("BeforePost");
    ds.AfterPost = on("AfterPost");
    ds.BeforeCancel = on("BeforeCancel");
    ds.AfterCancel = on("AfterCancel");
    ds.BeforeDelete = on("BeforeDelete");
    ds.AfterDelete = on("AfterDelete");
    ds.BeforeScroll = on("BeforeScroll");
    ds.AfterScroll = on("AfterScroll");
    ds.OnNewRecord = on("OnNewRecord");
    src.SetDataSet(&ds);
    src.OnStateChange = [this](TDataSource& s) {
      static const char* names[] = {"Inactive", "Browse", "Edit", "Insert"};
      log.push_back(std::string("State:") + names[static_cast<int>(s.State())]);
    };
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::string>;

class DataSetTest : public ::testing::Test {
protected:
  void SetUp() override { ds.rows = {{1, "Ana", 1.5}, {2, "Bia", 2.5}, {3, "Caio", 3.5}, {4, "Davi", 4.5}}; }

  std::string Names() const {
    std::string s;
    for (const Row& r : ds.rows) s += r.name + ";";
    return s;
  }

  TRowDataSet ds;
};

TEST_F(DataSetTest, OpenCloseAndEventOrder) {
  TDataSource src;
  Recorder rec;
  rec.Attach(ds, src);
  ds.Open();
  EXPECT_EQ(rec.Take(), (Log{"BeforeOpen", "State:Browse", "AfterOpen", "AfterScroll"}));
  EXPECT_TRUE(ds.DefaultFields());
  EXPECT_EQ(ds.FieldCount(), 3);
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_TRUE(ds.Bof());
  EXPECT_FALSE(ds.Eof());
  ds.Open();  // already open
  EXPECT_TRUE(rec.Take().empty());

  ds.Next();
  EXPECT_EQ(rec.Take(), (Log{"BeforeScroll", "AfterScroll"}));

  ds.Insert();
  EXPECT_EQ(rec.Take(),
            (Log{"BeforeInsert", "BeforeScroll", "State:Insert", "OnNewRecord", "AfterInsert", "AfterScroll"}));
  ds.FieldByName("Name").SetAsString("Eva");
  ds.Post();
  EXPECT_EQ(rec.Take(), (Log{"BeforePost", "State:Browse", "AfterPost"}));

  ds.Edit();
  EXPECT_EQ(rec.Take(), (Log{"BeforeEdit", "State:Edit", "AfterEdit"}));
  ds.Cancel();
  EXPECT_EQ(rec.Take(), (Log{"BeforeCancel", "State:Browse", "AfterCancel"}));

  ds.Delete();
  EXPECT_EQ(rec.Take(), (Log{"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));

  ds.Close();
  EXPECT_EQ(rec.Take(), (Log{"BeforeClose", "State:Inactive", "AfterClose"}));
  EXPECT_FALSE(ds.DefaultFields());
  EXPECT_EQ(ds.FieldCount(), 0);
  EXPECT_THROW(ds.Next(), EDatabaseError);
}

TEST_F(DataSetTest, Navigation) {
  ds.Open();
  EXPECT_EQ(ds.RecordCount(), 4);
  ds.Last();
  EXPECT_TRUE(ds.Eof());
  EXPECT_FALSE(ds.Bof());
  EXPECT_EQ(ds.RecNo(), 4);
  ds.Next();
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.RecNo(), 4);
  ds.Prior();
  EXPECT_FALSE(ds.Eof());
  EXPECT_EQ(ds.FieldByName("name").AsString(), "Caio");
  EXPECT_EQ(ds.MoveBy(-5), -2);
  EXPECT_TRUE(ds.Bof());
  EXPECT_EQ(ds.MoveBy(2), 2);
  EXPECT_EQ(ds.RecNo(), 3);

  int visited = 0;
  for (ds.First(); !ds.Eof(); ds.Next()) ++visited;
  EXPECT_EQ(visited, 4);

  ds.SetRecNo(2);
  EXPECT_EQ(ds.FieldByName("Code").AsInteger(), 2);
  ds.SetRecNo(9);  // out of range: nothing
  EXPECT_EQ(ds.RecNo(), 2);
  ds.SetRecNo(0);  // before the first record: no current record
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_TRUE(ds.FieldByName("Name").IsNull());
  EXPECT_EQ(ds.Get(TGetMode::gmCurrent, false), TGetResult::grError);
  EXPECT_THROW(ds.Get(TGetMode::gmCurrent, true), EDatabaseError);
  EXPECT_THROW(ds.Delete(), EDatabaseError);
  ds.Next();
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(DataSetTest, EditCancelRestoresAndEditOnEmptyInserts) {
  ds.Open();
  ds.Edit();
  ds.FieldByName("Name").SetText("Alice");
  EXPECT_EQ(ds.rows[0].name, "Alice");
  EXPECT_TRUE(ds.Modified());
  ds.Cancel();
  EXPECT_EQ(ds.rows[0].name, "Ana");
  EXPECT_EQ(ds.rows.size(), 4u);

  // A write in browse state goes straight through.
  ds.FieldByName("Amount").SetAsFloat(7);
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(ds.rows[0].amount, 7);

  ds.Close();
  ds.rows.clear();
  ds.Open();
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_TRUE(ds.Eof() && ds.Bof());
  try {
    ds.Delete();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation on an empty dataset");
  }
  ds.Edit();
  EXPECT_EQ(ds.State(), TDataSetState::Insert);
  ds.Post();
  EXPECT_EQ(ds.RecordCount(), 1);
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(DataSetTest, ExceptionsFromHandlers) {
  ds.Open();
  ds.SetRecNo(2);
  ds.rows[1].name = "Beatriz";
  // BeforePost refuses: the dataset stays in edit state.
  ds.BeforePost = [](TDataSet&) { throw EDatabaseError("refused"); };
  ds.Edit();
  ds.FieldByName("Name").SetText("B");
  EXPECT_THROW(ds.Post(), EDatabaseError);
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  ds.Cancel();
  EXPECT_EQ(ds.rows[1].name, "Beatriz");
  ds.BeforePost = nullptr;

  // BeforeDelete refuses: nothing is deleted.
  ds.BeforeDelete = [](TDataSet&) { throw Exception("Esta Fórmula não pode ser excluida!"); };
  EXPECT_THROW(ds.Delete(), Exception);
  EXPECT_EQ(ds.rows.size(), 4u);
  ds.BeforeDelete = nullptr;

  // An AfterInsert that posts at once.
  std::vector<std::string> order;
  ds.AfterInsert = [&](TDataSet& d) {
    order.push_back("AfterInsert");
    d.Post();
  };
  ds.AfterPost = [&](TDataSet&) { order.push_back("AfterPost"); };
  ds.Insert();
  EXPECT_EQ(order, (Log{"AfterInsert", "AfterPost"}));
  EXPECT_EQ(ds.State(), TDataSetState::Browse);
  EXPECT_EQ(ds.rows.size(), 5u);
}

TEST_F(DataSetTest, FieldTexts) {
  ds.AddIntegerField("Code");
  ds.AddStringField("Name", 4);
  TFloatField& amount = ds.AddFloatField("Amount");
  amount.SetCurrency(true);
  ds.rows[0].amount = 1234.5;
  ds.rows[1].amount = -3.5;
  ds.rows[0].name = "Ação Social";
  ds.Open();
  EXPECT_FALSE(ds.DefaultFields());
  TField& name = ds.FieldByName("Name");
  EXPECT_EQ(name.AsString(), "Ação");  // cut at 4 characters, not bytes
  EXPECT_EQ(amount.DisplayText(), "R$ 1.234,50");
  EXPECT_EQ(amount.Text(), "1234,50");
  EXPECT_EQ(ds.FieldTextAt(1, amount), "-R$ 3,50");
  EXPECT_EQ(ds.RecNo(), 1);  // FieldTextAt does not move

  amount.SetText("R$ 2.000,25");
  EXPECT_EQ(ds.rows[0].amount, 2000.25);
  amount.SetText("  ");
  EXPECT_EQ(ds.rows[0].amount, 0);
  amount.SetAsFloat(5);
  try {
    amount.SetText("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' não é um valor válido para o campo Amount");
  }
  EXPECT_THROW(amount.SetText("1.5"), EConvertError);  // not a grouping
  EXPECT_EQ(ds.rows[0].amount, 5);

  amount.SetCurrency(false);
  amount.SetDisplayFormat("#0.0");
  amount.SetAsFloat(12.25);
  EXPECT_EQ(amount.DisplayText(), "12,3");
  EXPECT_EQ(amount.Text(), "12,3");
  amount.SetEditFormat("0.000");
  EXPECT_EQ(amount.Text(), "12,250");
  amount.SetDisplayFormat("");
  EXPECT_EQ(amount.DisplayText(), "12,25");

  name.SetText("Pedro Paulo");
  EXPECT_EQ(ds.rows[0].name, "Pedr");

  TField& code = ds.FieldByName("Code");
  EXPECT_TRUE(code.ReadOnly());
  try {
    code.SetAsInteger(9);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Code' cannot be modified");
  }
  EXPECT_EQ(code.DisplayText(), "1");
  EXPECT_EQ(code.AsFloat(), 1.0);
  EXPECT_EQ(amount.AsInteger(), 12);
}

TEST_F(DataSetTest, PersistentFieldsBindByName) {
  ds.AddFields({{.name = "code", .type = TFieldType::Integer},
                {.name = "Amount", .type = TFieldType::Float, .displayFormat = "0.0"}});
  ds.Open();
  EXPECT_EQ(ds.FieldCount(), 2);
  EXPECT_EQ(ds.FindField("Name"), nullptr);
  EXPECT_EQ(ds.FieldByName("Amount").DisplayText(), "1,5");
  EXPECT_THROW(ds.AddIntegerField("Name"), EDatabaseError);
  ds.Close();

  ds.ClearFields();
  ds.AddStringField("Nome", 10);
  try {
    ds.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Nome' not found");
  }
  EXPECT_FALSE(ds.Active());
  ds.ClearFields();
  ds.AddStringField("Amount", 10);
  EXPECT_THROW(ds.Open(), EDatabaseError);
  EXPECT_FALSE(ds.Active());
}

TEST_F(DataSetTest, DataSourceAndFieldLink) {
  TDataSource src;
  TFieldDataLink link;
  std::vector<std::string> seen;
  std::string shown;
  std::string pending;
  link.OnActiveChange = [&] { seen.push_back(link.Active() ? "active" : "inactive"); };
  link.OnEditingChange = [&] { seen.push_back(link.Editing() ? "editing" : "browsing"); };
  link.OnDataChange = [&] { shown = link.Field() ? link.Field()->DisplayText() : ""; };
  link.OnUpdateData = [&] { link.Field()->SetText(pending); };
  link.SetFieldName("Name");
  link.SetDataSource(&src);
  src.SetDataSet(&ds);
  ds.Open();
  EXPECT_EQ(seen, (Log{"active"}));
  EXPECT_EQ(shown, "Ana");
  ds.Next();
  EXPECT_EQ(shown, "Bia");

  // Typing: the link puts the dataset into edit state; Post writes the pending text.
  EXPECT_TRUE(link.Edit());
  pending = "Bela";
  link.SetModified();
  ds.Post();
  EXPECT_EQ(ds.rows[1].name, "Bela");
  EXPECT_EQ(shown, "Bela");
  EXPECT_EQ(seen, (Log{"active", "editing", "browsing"}));

  // A pending text that does not convert stops the post.
  link.SetFieldName("Amount");
  EXPECT_TRUE(link.Edit());
  pending = "x";
  link.SetModified();
  EXPECT_THROW(ds.Post(), EConvertError);
  EXPECT_EQ(ds.State(), TDataSetState::Edit);
  EXPECT_TRUE(link.Modified());
  pending = "8";
  ds.Post();
  EXPECT_EQ(ds.rows[1].amount, 8);

  // A field write reaches the field's OnChange and the source's OnDataChange.
  TField* changed = nullptr;
  int changes = 0;
  ds.FieldByName("Amount").OnChange = [&](TField&) { ++changes; };
  src.OnDataChange = [&](TDataSource&, TField* f) { changed = f; };
  ds.FieldByName("Amount").SetAsFloat(3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changed, &ds.FieldByName("Amount"));
  EXPECT_EQ(shown, "3");

  // AutoEdit off: controls cannot start an edit.
  src.SetAutoEdit(false);
  EXPECT_FALSE(link.Edit());
  src.SetAutoEdit(true);

  src.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(link.Field(), nullptr);
  src.SetEnabled(true);
  EXPECT_TRUE(link.Active());

  ds.Close();
  EXPECT_EQ(link.Field(), nullptr);
  EXPECT_EQ(shown, "");
}

TEST_F(DataSetTest, LifetimesOfSourcesLinksAndDataSets) {
  TFieldDataLink link;
  {
    TDataSource src;
    link.SetDataSource(&src);
    src.SetDataSet(&ds);
    ds.Open();
    link.SetFieldName("Name");
    EXPECT_NE(link.Field(), nullptr);
  }
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_FALSE(link.Active());

  TDataSource src;
  link.SetDataSource(&src);
  {
    auto temp = std::make_unique<TRowDataSet>();
    temp->rows = {{1, "X", 0}};
    src.SetDataSet(temp.get());
    temp->Open();
    EXPECT_TRUE(link.Active());
    temp->Close();  // a dataset closes before it goes
  }
  EXPECT_EQ(src.DataSet(), nullptr);
  EXPECT_FALSE(link.Active());
  {
    TFieldDataLink inner;
    inner.SetDataSource(&src);
  }
  src.SetDataSet(&ds);
  EXPECT_TRUE(link.Active());
}

TEST_F(DataSetTest, ApplicationExceptionHandler) {
  ds.Open();
  EXPECT_NO_THROW({
    try {
      throw EAbort();
    } catch (...) {
      ds.HandleException();
    }
  });
  EXPECT_THROW(
      {
        try {
          throw EDatabaseError("x");
        } catch (...) {
          ds.HandleException();
        }
      },
      EDatabaseError);
  std::string handled;
  SetApplicationExceptionHandler([&] {
    try {
      throw;
    } catch (const Exception& e) {
      handled = e.Message();
    }
  });
  try {
    throw EDatabaseError("shown");
  } catch (...) {
    ds.HandleException();
  }
  SetApplicationExceptionHandler(nullptr);
  EXPECT_EQ(handled, "shown");
}

}  // namespace
