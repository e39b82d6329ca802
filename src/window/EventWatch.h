#pragma once
// Handlers for events a widget has no signal for (a double click on a text
// box, a key as it is pressed): a small filter object owned by the watched
// object, so it goes when the widget goes.
#include <QEvent>
#include <functional>

class QObject;

namespace quillary {

// Calls `handler` for every event of `type` that reaches `target`, before the
// target sees it. The handler returns true to stop the event there.
void watchEvents(QObject& target, QEvent::Type type, std::function<bool(QEvent&)> handler);

}  // namespace quillary
