// The parent-image painter used by transparent widgets.
#include <QPainter>
#include <QRegion>

#include "framework/controls.h"
#include "framework/forms.h"
#include "widgets/nvgrafx.h"

void DrawParentImage(TControl* control, TCanvas& canvas, bool invalidateParent) {
  if (!control || !control->Parent()) return;
  TWinControl* parent = control->Parent();
  QPainter* painter = canvas.Painter();
  if (painter) {
    canvas.Save();
    // Parent widget coordinates of the control's top-left corner.
    const TPoint offset = parent->ClientOffset();
    const int x = offset.X + control->Left(), y = offset.Y + control->Top();
    QRect area = ToQRect(Bounds(x, y, control->Width(), control->Height()));
    area &= ToQRect(Bounds(offset.X, offset.Y, parent->ClientWidth(), parent->ClientHeight()));
    if (!area.isEmpty()) {
      // Only the parent's own background and painting: no sibling controls.
      parent->render(painter, QPoint(area.left() - x, area.top() - y), QRegion(area),
                     QWidget::DrawWindowBackground);
    }
    canvas.Restore();
  }
  if (invalidateParent && !dynamic_cast<TCustomControl*>(parent) &&
      !(control->ComponentState() & csDesigning)) {
    parent->Invalidate();
  }
}
