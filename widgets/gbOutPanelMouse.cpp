// The mouse manager and the end of the panel widgets' shared objects.

#include <QCoreApplication>
#include <algorithm>

#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "widgets/gbOutPanel.h"
#include "widgets/gbOutPanelShared.h"

namespace {

std::unique_ptr<TMouseManager>& Instance() {
  static std::unique_ptr<TMouseManager> instance;
  return instance;
}

bool finalizerInstalled = false;

// Runs at the start of the QApplication's destructor: the manager and the
// arrow font go before the application and its input hub.
void FinalizePanelWidgets() {
  FreeMouseManager();
  FreeArrowFont();
  finalizerInstalled = false;
}

}  // namespace

void InstallPanelFinalizer() {
  if (finalizerInstalled || !QCoreApplication::instance()) return;
  qAddPostRoutine(FinalizePanelWidgets);
  finalizerInstalled = true;
}

// ---- TMouseManager

TMouseManager::TMouseManager() {
  InputHub& hub = InputHub::Instance();
  pressSubscription_ = hub.SubscribeMousePresses([this](const TMousePress& press) {
    if (press.Button == mbLeft || press.Button == mbRight) BroadcastMessage(WM_TRACKMOUSEDOWN);
  });
  deactivationSubscription_ = hub.SubscribeDeactivation([this] { BroadcastMessage(WM_TRACKDEACTIVATE); });
}

TMouseManager::~TMouseManager() {
  InputHub& hub = InputHub::Instance();
  hub.Unsubscribe(deactivationSubscription_);
  hub.Unsubscribe(pressSubscription_);
}

void TMouseManager::RegisterButton(TGBCustomHeaderButton* button) {
  if (!button || IsRegistered(button)) return;
  buttons_.push_back({button, nextSerial_++});
}

void TMouseManager::UnregisterButton(TGBCustomHeaderButton* button) {
  buttons_.erase(
      std::remove_if(buttons_.begin(), buttons_.end(), [button](const Entry& e) { return e.button == button; }),
      buttons_.end());
}

bool TMouseManager::IsRegistered(const TGBCustomHeaderButton* button) const {
  return std::any_of(buttons_.begin(), buttons_.end(), [button](const Entry& e) { return e.button == button; });
}

bool TMouseManager::Holds(const Entry& entry) const {
  return std::any_of(buttons_.begin(), buttons_.end(),
                     [&entry](const Entry& e) { return e.button == entry.button && e.serial == entry.serial; });
}

void TMouseManager::BroadcastMessage(int message) {
  // The registration serial tells a button registered again during the walk
  // (possibly a new one at a freed one's address) from the one walked.
  const std::vector<Entry> snapshot = buttons_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (!Holds(*it)) continue;
    TGBCustomHeaderButton* button = it->button;
    Guard([&] {
      if (message == WM_TRACKMOUSEDOWN) {
        button->TrackMouseDown();
      } else if (message == WM_TRACKDEACTIVATE) {
        button->TrackDeactivate();
      }
    });
  }
}

TMouseManager& GetMouseManager() {
  std::unique_ptr<TMouseManager>& instance = Instance();
  if (!instance) {
    instance = std::make_unique<TMouseManager>();
    InstallPanelFinalizer();
  }
  return *instance;
}

TMouseManager* MouseManager() {
  return Instance().get();
}

void FreeMouseManager() {
  Instance().reset();
}
