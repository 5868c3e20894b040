// The hex view's drop target and drag source.
#pragma once

#include <QObject>
#include <functional>

class QDrag;
class THexViewEx;

// Takes the drag events of the view while active: enter and over show the
// drop position and answer the effect (none for data the view cannot
// take), leave hides it, a drop inserts the data there.
class THVDropTarget : public QObject {
 public:
  explicit THVDropTarget(THexViewEx& view);
  ~THVDropTarget() override;
  // Registers (true) or revokes (false) the view as a drop target.
  void SetActive(bool active);
  bool Active() const { return active_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  THexViewEx& view_;
  bool active_ = false;
};

// Runs the modal drag loop for a drag of the selection.
class THVDropSource {
 public:
  // The performed effect (Qt::IgnoreAction when cancelled). Takes the
  // drag, made with new: the platform may need it after the loop returns.
  static Qt::DropAction Run(QDrag* drag, Qt::DropActions allowed);
  // Replaces the platform's drag loop (tests and scripted use): gets the
  // prepared drag and answers the effect the drop target performed.
  using TDragLoop = std::function<Qt::DropAction(QDrag&, Qt::DropActions)>;
  static void SetDragLoopInterceptor(TDragLoop loop);
};
