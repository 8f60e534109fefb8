// Controls are deleted by Qt's parent tree; their owner only hears of them.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"

namespace {

int alive = 0;

class Gauge : public TControl {
public:
  explicit Gauge(TComponent* owner, std::string label) : TControl(owner), label(std::move(label)) { ++alive; }
  ~Gauge() override {
    Destroying();
    --alive;
  }
  std::string label;
  std::vector<std::string> loaded;

protected:
  void Loaded() override {
    TControl::Loaded();
    loaded.push_back(label);
  }
};

// Hears of gauges going, reading them as gauges.
class Watcher : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<std::string> heard;

protected:
  void Notification(TComponent* component, TComponentOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (auto* g = dynamic_cast<Gauge*>(component)) heard.push_back(g->label);
  }
};

}  // namespace

TEST(ControlOwnership, TheParentTreeFreesControlsOnceAndTheOwnerHearsOfThem) {
  alive = 0;
  Watcher* watcher = nullptr;
  {
    auto* form = new Gauge(nullptr, "form");
    watcher = new Watcher(form);
    auto* panel = new Gauge(form, "panel");
    panel->SetParent(form);
    auto* dial = new Gauge(form, "dial");
    dial->SetParent(panel);
    new TTimer(form);
    EXPECT_EQ(form->ComponentCount(), 4);
    EXPECT_EQ(alive, 3);

    delete panel;  // takes the dial with it, after telling of its own going
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(watcher->heard, (std::vector<std::string>{"panel", "dial"}));
    EXPECT_EQ(form->ComponentCount(), 2);
    delete form;  // frees the watcher and the timer it owns
  }
  EXPECT_EQ(alive, 0);
}

TEST(ControlOwnership, AControlWithoutAParentIsFreedByItsOwner) {
  alive = 0;
  {
    TComponent owner;
    new Gauge(&owner, "loose");
    auto* placed = new Gauge(&owner, "placed");
    auto* window = new Gauge(nullptr, "window");
    placed->SetParent(window);
    EXPECT_EQ(alive, 3);
    delete window;
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(owner.ComponentCount(), 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(ControlOwnership, AWindowBuiltInALoadingScopeLoadsEachControlOnce) {
  Gauge form(nullptr, "form");
  Gauge* a = nullptr;
  Gauge* b = nullptr;
  {
    LoadingScope scope(form);
    a = new Gauge(&form, "a");
    a->SetParent(&form);
    b = new Gauge(&form, "b");
    b->SetParent(a);
    EXPECT_TRUE(b->ComponentState() & csLoading);
  }
  EXPECT_EQ(form.loaded, (std::vector<std::string>{"form"}));
  EXPECT_EQ(a->loaded, (std::vector<std::string>{"a"}));
  EXPECT_EQ(b->loaded, (std::vector<std::string>{"b"}));
  EXPECT_FALSE(b->ComponentState() & csLoading);
}
