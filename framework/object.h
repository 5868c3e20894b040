// TObject: root of the layer's objects, so that event senders share one type.
#pragma once

#include <functional>

class TObject {
 public:
  virtual ~TObject() = default;
};

// The common event: "something happened to Sender".
using TNotifyEvent = std::function<void(TObject* Sender)>;
