// Internal: the Qt event that carries a posted message to its control.
#pragma once

#include <QEvent>

#include "framework/messages.h"

class TPostedMessageEvent : public QEvent {
 public:
  explicit TPostedMessageEvent(const TMessage& message) : QEvent(EventType()), message_(message) {}
  const TMessage& Message() const { return message_; }
  static QEvent::Type EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }

 private:
  TMessage message_;
};
