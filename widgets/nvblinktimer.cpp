#include "widgets/nvblinktimer.h"

#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "framework/controls.h"

namespace {

Word gIntervalOn = 500;
Word gIntervalOff = 500;

struct BlinkList {
  std::vector<TControl*> controls;
  TBlinkState phase = bsOff;
  bool ticking = false;  // the list is not freed inside its own tick
  // Freed through the event loop: the list may end inside the timer's tick.
  QTimer* timer = new QTimer;
  BlinkList() {
    timer->setTimerType(Qt::CoarseTimer);
    QObject::connect(timer, &QTimer::timeout, [] { TNvBlinkList::Tick(); });
    timer->start(gIntervalOff);
  }
  ~BlinkList() {
    timer->stop();
    timer->deleteLater();
  }
  BlinkList(const BlinkList&) = delete;
  BlinkList& operator=(const BlinkList&) = delete;
  Word CurrentInterval() const { return phase == bsOn ? gIntervalOn : gIntervalOff; }
};

std::unique_ptr<BlinkList>& List() {
  static std::unique_ptr<BlinkList> list;
  return list;
}

}  // namespace

void TNvBlinkList::Register(TControl* control) {
  if (!control || IsRegistered(control)) return;
  if (!List()) List() = std::make_unique<BlinkList>();
  List()->controls.push_back(control);
}

void TNvBlinkList::Unregister(TControl* control) {
  auto& list = List();
  if (!list) return;
  std::erase(list->controls, control);
  if (list->controls.empty() && !list->ticking) list.reset();
}

bool TNvBlinkList::IsRegistered(const TControl* control) {
  const auto& list = List();
  return list &&
         std::find(list->controls.begin(), list->controls.end(), control) != list->controls.end();
}

bool TNvBlinkList::Active() {
  return List() != nullptr;
}

int TNvBlinkList::Count() {
  return List() ? static_cast<int>(List()->controls.size()) : 0;
}

TBlinkState TNvBlinkList::Phase() {
  return List() ? List()->phase : bsOff;
}

Word TNvBlinkList::IntervalOn() {
  return gIntervalOn;
}

Word TNvBlinkList::IntervalOff() {
  return gIntervalOff;
}

void TNvBlinkList::SetIntervalOn(Word ms) {
  gIntervalOn = ms;
  if (List() && List()->phase == bsOn) List()->timer->setInterval(ms);
}

void TNvBlinkList::SetIntervalOff(Word ms) {
  gIntervalOff = ms;
  if (List() && List()->phase == bsOff) List()->timer->setInterval(ms);
}

void TNvBlinkList::Tick() {
  auto& list = List();
  if (!list) return;
  list->phase = list->phase == bsOn ? bsOff : bsOn;
  list->timer->setInterval(list->CurrentInterval());
  const TBlinkState phase = list->phase;
  // A control may leave (or the list end) while the others are served.
  const std::vector<TControl*> controls = list->controls;
  list->ticking = true;
  for (TControl* c : controls) {
    if (!IsRegistered(c)) continue;
    if (c->Perform(CM_GETBLINKING, 0, 0) == 1) c->Perform(CM_BLINK, phase, 0);
  }
  list->ticking = false;
  if (list->controls.empty()) list.reset();
}
