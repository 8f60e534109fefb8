// Component state: the loading scope, notifications of a component's going,
// and members an owner does not free.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"

namespace {

std::vector<std::string> journal;

class Part : public TComponent {
public:
  explicit Part(TComponent* owner, std::string label) : TComponent(owner), label_(std::move(label)) {}
  ~Part() override { Destroying(); }
  const std::string& Label() const { return label_; }
  bool loadingAtCreation = (ComponentState() & csLoading) != 0;

protected:
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("loaded " + label_);
  }

private:
  std::string label_;
};

// Creates a part of its own in its constructor, as a control creates its
// buttons.
class Assembly : public Part {
public:
  explicit Assembly(TComponent* owner) : Part(owner, "assembly"), inner(new Part(this, "inner")) {}
  ~Assembly() override { Destroying(); }
  Part* inner;
};

// Remembers what it was told, reading the removed component as a Part.
class Listener : public TComponent {
public:
  using TComponent::TComponent;
  ~Listener() override { Destroying(); }
  std::vector<std::string> heard;
  int count = 0;

protected:
  void Notification(TComponent* component, TComponentOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != opRemove || component == this) return;
    ++count;
    auto* part = dynamic_cast<Part*>(component);
    heard.push_back(part ? part->Label() : "?");
  }
};

}  // namespace

TEST(LoadingScope, LoadedRunsOncePerComponentInCreationOrder) {
  journal.clear();
  TComponent form;
  Part* first = nullptr;
  Assembly* assembly = nullptr;
  {
    LoadingScope scope(form);
    EXPECT_TRUE(form.ComponentState() & csLoading);
    first = new Part(&form, "first");
    assembly = new Assembly(&form);
    new Part(&form, "last");
    EXPECT_TRUE(journal.empty());
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded first", "loaded assembly", "loaded inner", "loaded last"}));
  EXPECT_TRUE(first->loadingAtCreation);
  EXPECT_TRUE(assembly->inner->loadingAtCreation);
  EXPECT_FALSE(first->ComponentState() & csLoading);
  EXPECT_FALSE(form.ComponentState() & csLoading);
  EXPECT_FALSE(Part(nullptr, "later").loadingAtCreation);
}

TEST(LoadingScope, AComponentFreedInsideTheScopeIsNotLoaded) {
  journal.clear();
  TComponent form;
  {
    LoadingScope scope;
    new Part(&form, "kept");
    delete new Part(&form, "dropped");
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded kept"}));
}

TEST(LoadingScope, ARaisingLoadedLetsTheOthersLoadAndIsThrownAtTheEnd) {
  journal.clear();
  struct Faulty : TComponent {
    using TComponent::TComponent;
    void Loaded() override {
      TComponent::Loaded();
      throw std::runtime_error("faulty");
    }
  };
  TComponent form;
  Faulty* faulty = nullptr;
  {
    LoadingScope scope;
    faulty = new Faulty(&form);
    new Part(&form, "after");
    EXPECT_THROW(scope.Finish(), std::runtime_error);
  }
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded after"}));
  EXPECT_FALSE(faulty->ComponentState() & csLoading);
}

TEST(Notification, TheOwnersComponentsHearOfAGoingPartAsItsOwnClass) {
  TComponent form;
  auto* listener = new Listener(&form);
  auto* gear = new Part(&form, "gear");
  delete gear;
  EXPECT_EQ(listener->heard, (std::vector<std::string>{"gear"}));
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(Notification, SubscribersHearOfAGoingComponentOnceAndLinksGoBothWays) {
  Listener outsider;
  Listener early;
  {
    TComponent form;
    auto* gear = new Part(&form, "gear");
    gear->FreeNotification(&outsider);
    gear->FreeNotification(&outsider);
    auto* doomed = new Listener;
    gear->FreeNotification(doomed);
    delete doomed;  // the gear must not tell it later
    gear->FreeNotification(&early);
    gear->RemoveFreeNotification(&early);
  }
  EXPECT_EQ(outsider.heard, (std::vector<std::string>{"gear"}));
  EXPECT_EQ(early.count, 0);
}

TEST(Notification, OwnedComponentsFreedByTheOwnerAreHeardOfByTheirSiblings) {
  std::vector<std::string> heard;
  struct Recorder : Listener {
    using Listener::Listener;
    std::vector<std::string>* out = nullptr;
    ~Recorder() override {
      Destroying();
      *out = heard;
    }
  };
  {
    TComponent host;
    auto* recorder = new Recorder(&host);
    recorder->out = &heard;
    new Part(&host, "a");
    new Part(&host, "b");
  }
  // The last one goes first; the recorder, created first, goes last.
  EXPECT_EQ(heard, (std::vector<std::string>{"b", "a"}));
}

TEST(Component, AMemberTheOwnerDoesNotFreeOutlivesItWithoutAnOwner) {
  struct Widget : Part {
    using Part::Part;
    bool FreedByOwner() const override { return false; }
  };
  Widget* widget = nullptr;
  {
    TComponent form;
    widget = new Widget(&form, "widget");
    EXPECT_EQ(form.FindComponent("widget"), nullptr);
    widget->SetName("widget");
    EXPECT_EQ(form.FindComponent("WIDGET"), widget);
  }
  EXPECT_EQ(widget->Owner(), nullptr);
  delete widget;

  TComponent form;
  delete new Widget(&form, "early");
  EXPECT_EQ(form.ComponentCount(), 0);
}
