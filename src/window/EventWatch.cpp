#include "window/EventWatch.h"

#include <QObject>

namespace quillary {

namespace {

class EventWatcher : public QObject {
 public:
  EventWatcher(QObject& target, QEvent::Type type, std::function<bool(QEvent&)> handler)
      : QObject(&target), type_(type), handler_(std::move(handler)) {
    target.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_ && handler_(*event)) return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  QEvent::Type type_;
  std::function<bool(QEvent&)> handler_;
};

}  // namespace

void watchEvents(QObject& target, QEvent::Type type, std::function<bool(QEvent&)> handler) {
  new EventWatcher(target, type, std::move(handler));
}

}  // namespace quillary
