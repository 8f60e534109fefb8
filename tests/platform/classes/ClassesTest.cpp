#include <gtest/gtest.h>

#include "platform/classes/Classes.h"
#include "platform/rtl/Exceptions.h"

namespace {

class TSample : public TCollectionItem {
  TQ_DECLARE_CLASS(TSample)
public:
  const std::string& Label() const { return label_; }
  void SetLabel(const std::string& v) { label_ = v; }
  double Weight() const { return weight_; }
  void SetWeight(double v) { weight_ = v; }
  int Count() const { return count_; }
  void SetCount(int v) { count_ = v; }

private:
  std::string label_;
  double weight_ = 0;
  int count_ = 0;
};

const ClassInfo& TSample::StaticClass() {
  static const auto ci = ClassBuilder<TSample>("TSample", &TCollectionItem::StaticClass())
                             .ReadOnlyInteger("Id", &TSample::Id)
                             .String("Label", &TSample::Label, &TSample::SetLabel)
                             .Double("Weight", &TSample::Weight, &TSample::SetWeight)
                             .Integer("Count", &TSample::Count, &TSample::SetCount)
                             .Build();
  return *ci;
}

class TSamples : public TTypedCollection<TSample> {
public:
  using TTypedCollection::TTypedCollection;
};

class TSampleRoot : public TComponent {
  TQ_DECLARE_CLASS(TSampleRoot)
public:
  using TComponent::TComponent;
  TSampleRoot() : TComponent(nullptr) {}
  const std::string& Filename() const { return filename_; }
  void SetFilename(const std::string& v) { filename_ = v; }
  TSamples& Samples() { return samples_; }

private:
  std::string filename_;
  TSamples samples_{this};
};

const ClassInfo& TSampleRoot::StaticClass() {
  static const auto ci = ClassBuilder<TSampleRoot>("TSampleRoot", &TComponent::StaticClass())
                             .String("Filename", &TSampleRoot::Filename, &TSampleRoot::SetFilename)
                             .Collection("Samples", &TSampleRoot::Samples, TSample::StaticClass())
                             .Build();
  return *ci;
}

std::vector<int> Ids(const TSamples& c) {
  std::vector<int> ids;
  for (const TSample& s : c) ids.push_back(s.Id());
  return ids;
}

}  // namespace

TEST(Collection, IdsComeFromACounterThatNeverReusesAndCanRestart) {
  TSamples c;
  c.Add();
  c.Add();
  c.Add();
  EXPECT_EQ(Ids(c), (std::vector<int>{0, 1, 2}));
  c.Delete(1);
  c.Add();
  EXPECT_EQ(Ids(c), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(c.FindItemID(3), &c[2]);
  EXPECT_EQ(c.FindItemID(1), nullptr);
  c.Clear();
  c.Add();
  EXPECT_EQ(Ids(c), (std::vector<int>{4}));
  c.Clear();
  c.RestartIds();
  c.Add();
  c.Add();
  EXPECT_EQ(Ids(c), (std::vector<int>{0, 1}));
}

TEST(Collection, IndexMovesTheItemAndAccessIsBoundsChecked) {
  TSamples c;
  for (int i = 0; i < 4; ++i) c.Add();
  c[0].SetIndex(2);
  EXPECT_EQ(Ids(c), (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(c.FindItemID(0)->Index(), 2);
  c[3].SetIndex(0);
  EXPECT_EQ(Ids(c), (std::vector<int>{3, 1, 2, 0}));
  c.Insert(1);
  EXPECT_EQ(Ids(c), (std::vector<int>{3, 4, 1, 2, 0}));
  EXPECT_EQ(&c[1].Collection()->GetItem(1), &c[1]);
  EXPECT_THROW(c.GetItem(5), EListError);
  EXPECT_THROW(c.GetItem(-1), EListError);
  EXPECT_THROW(c.Delete(5), EListError);
  EXPECT_THROW(c.Insert(7), EListError);
  TSample loose;
  EXPECT_EQ(loose.Index(), -1);
  EXPECT_EQ(loose.Collection(), nullptr);
}

TEST(Collection, ObserversHearOfClearAndDestruction) {
  struct Recorder : TCollectionObserver {
    int cleared = 0, destroyed = 0;
    void CollectionCleared(TCollection&) override { ++cleared; }
    void CollectionDestroyed(TCollection&) override { ++destroyed; }
  } rec;
  {
    TSamples c;
    c.AddObserver(&rec);
    c.Add();
    c.Clear();
    c.Clear();  // already empty: nothing to tell
    EXPECT_EQ(rec.cleared, 1);
  }
  EXPECT_EQ(rec.destroyed, 1);
}

TEST(Properties, DeclaredOnceInOrderAncestorFirstWithCaseInsensitiveLookup) {
  const ClassInfo& ci = TSampleRoot::StaticClass();
  std::vector<std::string> names;
  for (const PropertyInfo* p : ci.Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Filename", "Samples"}));
  EXPECT_FALSE(ci.Find("name")->stored);
  EXPECT_EQ(ci.Find("TAG")->intDefault, 0);
  EXPECT_EQ(ci.Find("samples")->itemClass, &TSample::StaticClass());
  EXPECT_EQ(ci.Find("Missing"), nullptr);
  EXPECT_TRUE(ci.InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(ci));

  const ClassInfo& item = TSample::StaticClass();
  EXPECT_FALSE(item.Find("id")->writable);
  EXPECT_FALSE(item.Find("id")->IsStreamed());
  EXPECT_TRUE(item.Find("Label")->IsStreamed());
}

TEST(Properties, ReadAndWriteThroughTheDescription) {
  TSampleRoot root;
  SetStrProp(root, "filename", "Produtos.dat");
  EXPECT_EQ(root.Filename(), "Produtos.dat");
  TCollection& samples = GetCollectionProp(root, "Samples");
  auto& s = static_cast<TSample&>(samples.Add());
  SetFloatProp(s, "WEIGHT", 2.5);
  SetIntProp(s, "count", 7);
  SetStrProp(s, "Label", "Tora");
  EXPECT_EQ(GetFloatProp(s, "Weight"), 2.5);
  EXPECT_EQ(GetIntProp(s, "Count"), 7);
  EXPECT_EQ(GetStrProp(s, "label"), "Tora");
  EXPECT_EQ(GetIntProp(s, "Id"), 0);
  EXPECT_THROW(SetIntProp(s, "Id", 3), EConvertError);
  EXPECT_THROW(SetIntProp(s, "Weight", 3), EConvertError);
  EXPECT_THROW(GetStrProp(s, "Nope"), EConvertError);
  // An integer value widens into a Double property.
  SetPropValue(s, *s.Class().Find("Weight"), PropValue(std::int32_t{4}));
  EXPECT_EQ(s.Weight(), 4.0);
}

TEST(Properties, AssignCopiesScalarsAndCollectionsDeeply) {
  TSampleRoot a, b;
  a.SetFilename("a.dat");
  a.SetTag(5);
  auto& s = a.Samples().Add();
  s.SetLabel("Serraria");
  s.SetWeight(25);
  a.Samples().Add().SetCount(3);
  b.Samples().Add();
  b.Assign(a);
  EXPECT_EQ(b.Filename(), "a.dat");
  EXPECT_EQ(b.Tag(), 5);
  ASSERT_EQ(b.Samples().Count(), 2);
  EXPECT_EQ(b.Samples()[0].Label(), "Serraria");
  EXPECT_EQ(b.Samples()[0].Weight(), 25);
  EXPECT_EQ(b.Samples()[1].Count(), 3);
  a.Samples()[0].SetLabel("changed");
  EXPECT_EQ(b.Samples()[0].Label(), "Serraria");
}

TEST(Component, OwnerFreesWhatItOwns) {
  static int alive = 0;
  struct Counted : TComponent {
    explicit Counted(TComponent* o) : TComponent(o) { ++alive; }
    ~Counted() override { --alive; }
  };
  {
    TComponent owner;
    auto* a = new Counted(&owner);
    auto* b = new Counted(a);
    new Counted(&owner);
    a->SetName("Primeiro");
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.FindComponent("primeiro"), a);
    EXPECT_EQ(b->Owner(), a);
    delete b;  // a child freed early leaves its owner
    EXPECT_EQ(a->ComponentCount(), 0);
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);
}

TEST(Component, OwnedComponentsGoWhileTheOwnersMembersStillExist) {
  // Children that look at a member of their owner when they go, as a data
  // module's datasets call its handlers.
  static bool memberGone = false;
  static std::vector<bool> seenGone;
  struct Member {
    ~Member() { memberGone = true; }
  };
  struct Host : TComponent {
    Member member;
    ~Host() override { DestroyComponents(); }
  };
  struct Child : TComponent {
    using TComponent::TComponent;
    ~Child() override { seenGone.push_back(memberGone); }
  };
  {
    Host host;
    new Child(&host);
    new Child(&host);
  }
  EXPECT_TRUE(memberGone);
  EXPECT_EQ(seenGone, (std::vector<bool>{false, false}));
}

TEST(Collection, AConstCollectionHandsOutConstItems) {
  using Item = decltype(std::declval<const TSamples&>().GetItem(0));
  using Found = decltype(std::declval<const TSamples&>().FindItemID(0));
  using Walked = decltype(*std::declval<const TSamples&>().begin());
  static_assert(std::is_same_v<Item, const TSample&>);
  static_assert(std::is_same_v<Found, const TSample*>);
  static_assert(std::is_same_v<Walked, const TSample&>);
  static_assert(std::is_same_v<decltype(std::declval<TSamples&>().GetItem(0)), TSample&>);
}
