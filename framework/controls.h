// The control vocabulary on Qt widgets.
//
// TControl        every control (a QWidget); bounds, alignment, colour, font,
//                 mouse, paint through a TCanvas, messages and timers.
// TWinControl     a windowed control: can take the keyboard focus, has a tab
//                 order among its siblings, keyboard events, child controls
//                 that it aligns, and an optional non-client border.
// TGraphicControl a windowless control: never takes the focus; paints on top
//                 of its parent (unpainted pixels show the parent).
// TCustomControl  a windowed control that paints itself (override Paint).
//
// Coordinates: Left/Top are relative to the parent's client area; mouse
// positions in the hooks are client coordinates. Paint() receives Canvas()
// bound to the client area, with Font = the control's Font, Brush = solid
// Color and a default pen. Windowed controls first erase their client area in
// Color unless ControlStyle has csOpaque or ParentBackground is set.
//
// Message flow: Qt events become messages handed to the virtual WndProc,
// whose default handling calls the hooks below:
//   CM_MOUSEENTER / CM_MOUSELEAVE -> MouseEnter() / MouseLeave()
//   CM_ENTER / CM_EXIT            -> DoEnter() / DoExit()  (focus gained/lost)
//   CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED, CM_TEXTCHANGED,
//   CM_VISIBLECHANGED             -> EnabledChanged(), ColorChanged() ...
//   CM_PARENTCOLORCHANGED / CM_PARENTFONTCHANGED -> take the parent's value
//                                    when ParentColor / ParentFont is set
// A subclass overrides WndProc, handles its own messages (posted ones, WM_TIMER,
// private CM_/WM_USER ones) and passes the rest to the base class.
// An exception escaping a hook is caught at the event boundary and given to
// the application's exception display (the event loop goes on).
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "framework/colors.h"
#include "framework/font.h"
#include "framework/geometry.h"
#include "framework/messages.h"
#include "framework/object.h"
#include "framework/types.h"

class TControl;
class TWinControl;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 0x0001,
  csCaptureMouse = 0x0002,
  csClickEvents = 0x0008,
  csSetCaption = 0x0020,
  csOpaque = 0x0040,
  csDoubleClicks = 0x0080,
};
using TControlStyle = uint32_t;

enum TControlStateFlag : uint32_t {
  csLButtonDown = 0x0001,
  csClicked = 0x0002,
};
using TControlState = uint32_t;

enum TComponentStateFlag : uint32_t {
  csLoading = 0x0001,
  csDesigning = 0x0010,
};
using TComponentState = uint32_t;

class TControl : public QWidget, public TObject {
 public:
  // Creates the control as a child of `parent` (visible unless hidden later).
  explicit TControl(TWinControl* parent = nullptr);
  ~TControl() override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  // Bounds in the parent's client coordinates.
  int Left() const;
  int Top() const;
  int Width() const { return QWidget::width(); }
  int Height() const { return QWidget::height(); }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area (0, 0, ClientWidth, ClientHeight).
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  // Offset of the client area inside the control's own rectangle.
  virtual TPoint ClientOffset() const { return {0, 0}; }
  TPoint ClientToScreen(const TPoint& p) const;
  TPoint ScreenToClient(const TPoint& p) const;
  TPoint ClientOrigin() const { return ClientToScreen({0, 0}); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);

  // Own visibility flag; Showing() is true when it and every parent is shown.
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Showing() const { return QWidget::isVisible(); }

  // Own enabled flag (a disabled parent also disables its children's input).
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  TColor Color() const { return color_; }
  void SetColor(TColor v);  // clears ParentColor
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& v);  // clears ParentFont
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  // The control's text (a caption, or an edit's contents); setting it to a
  // different value sends CM_TEXTCHANGED.
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& v) { SetTextValue(v); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& v) { SetTextValue(v); }

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);

  TBiDiMode BiDiMode() const { return bidiMode_; }
  void SetBiDiMode(TBiDiMode v);
  bool UseRightToLeftReading() const { return bidiMode_ != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return bidiMode_ == bdRightToLeft; }

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState v) { controlState_ = v; }
  TComponentState ComponentState() const { return componentState_; }
  // Marks the control (and its children) as being loaded; EndLoading clears the
  // mark and calls Loaded() on each, children first.
  void BeginLoading();
  void EndLoading();

  // Mouse capture: while set, this control gets every mouse event.
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // Repainting.
  virtual void Invalidate();
  void InvalidateRect(const TRect& r);  // client coordinates
  void Repaint();
  void Refresh() { Repaint(); }
  void Update();

  // Windowless controls stay beneath their windowed siblings: bringing one
  // to the front puts it over the other windowless ones only, and sending a
  // windowed one to the back keeps it over them.
  void BringToFront();
  void SendToBack();

  // Messages.
  LRESULT Perform(Cardinal msg, WPARAM wParam, LPARAM lParam);
  virtual void WndProc(TMessage& message);

  // The canvas used by Paint (outside Paint it only measures text).
  TCanvas& Canvas() { return canvas_; }

  // Events (an unassigned event is skipped).
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // Fires OnClick (virtual: buttons run their action here).
  virtual void Click();

 protected:
  bool IsWindowless() const;
  // Places a windowless control right under the lowest windowed sibling.
  void StackBelowWindowedSiblings();
  virtual void Paint() {}
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Wheel: fires OnMouseWheel, then DoMouseWheelDown/Up; true when handled.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
  virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void EnabledChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void VisibleChanged() {}
  virtual void Resize();
  virtual void Loaded() {}
  // Paints the area outside the client rectangle (whole-control coordinates).
  virtual void PaintNonClient(TCanvas&) {}
  virtual bool ErasesBackground() const { return false; }
  // Text storage; an edit keeps its text elsewhere.
  virtual std::string GetText() const { return caption_; }
  virtual void SetTextValue(const std::string& v);

  // Qt plumbing.
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

  // Client-coordinate mouse position of a Qt event.
  TPoint ClientPos(const QPointF& widgetPos) const;
  // Marks the control as a top-level window (shown without a parent).
  void MarkAsWindow() { isWindow_ = true; }

 private:
  friend class TWinControl;
  friend uintptr_t SetTimer(TControl*, uintptr_t, uint32_t);
  friend bool KillTimer(TControl*, uintptr_t);
  void ParentColorChanged();
  void ParentFontChanged();
  void FontObjectChanged();
  void ApplyQtCursor();
  void PlaceInParent(int left, int top, int width, int height);
  // With a button held: CM_MOUSELEAVE when the pointer goes out of the
  // control, CM_MOUSEENTER when it comes back.
  void TrackHeldPointer(bool inside);

  std::string name_;
  intptr_t tag_ = 0;
  TWinControl* parent_ = nullptr;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  TFont font_;
  bool parentFont_ = true;
  bool settingFont_ = false;
  std::string caption_;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  TBiDiMode bidiMode_ = bdLeftToRight;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
  // The pointer went out while a button was held and has not come back.
  bool leftWhileHeld_ = false;
  TComponentState componentState_ = 0;
  TCanvas canvas_;
  std::map<uintptr_t, int> timers_;  // control timer id -> Qt timer id
  int wheelAccumulator_ = 0;
  bool isWindow_ = false;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TWinControl* parent = nullptr);
  ~TWinControl() override;

  // Child controls in declaration (creation) order.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  bool ContainsControl(const TControl* control) const;

  // Focus.
  virtual bool CanFocus() const;  // visible and enabled, with all parents
  bool Focused() const;
  virtual void SetFocus();
  // Position among the parent's windowed children in tab order, 0-based.
  // Setting moves the control there (values out of range move it last).
  int TabOrder() const;
  void SetTabOrder(int v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  // The controls in tab order, depth first (a container, then its children).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next (or previous) focusable control after `current` in this
  // control's tab order list, wrapping around; nullptr if none.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v);

  // Alignment of children: alTop ones from the top down, then alBottom ones
  // from the bottom up, then alLeft, alRight and finally alClient, each group
  // in declaration order, inside AlignRect().
  void Realign();
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  // Sends `message` to every child control (Result of the last one kept).
  void Broadcast(TMessage& message);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  TRect ClientRect() const override;
  TPoint ClientOffset() const override { return {ncLeft_, ncTop_}; }
  void WndProc(TMessage& message) override;

 protected:
  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(Word& key, TShiftState shift);
  // The area children are aligned in (the client rectangle by default).
  virtual void AdjustClientRect(TRect& r) const { (void)r; }
  virtual void AlignControls(TRect& r);
  // Width of the non-client border on each side; children and the client
  // area lie inside it. PaintNonClient paints it.
  void SetNonClientInsets(int left, int top, int right, int bottom);
  // Whether a mouse click gives this control the focus.
  void SetFocusOnClick(bool v);
  // True when Tab and Shift+Tab should reach KeyDown instead of moving the
  // focus to the next control.
  virtual bool WantsTabKey() const { return false; }
  bool ErasesBackground() const override;
  void Resize() override;

  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  // The control's own handling of a key that KeyDown left non-zero, and of a
  // character that KeyPress left non-zero (arrows in a list, ...). Return true
  // when handled.
  virtual bool DefaultKeyDown(Word key, TShiftState shift);
  virtual bool DefaultKeyPress(char key);
  // Feeds a Qt key event through KeyDown, DefaultKeyDown, KeyPress and
  // DefaultKeyPress; true when something consumed it.
  bool HandleKeyPress(QKeyEvent* e);
  bool HandleKeyRelease(QKeyEvent* e);

 private:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void UpdateFocusPolicy();

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool focusOnClick_ = false;
  bool doubleBuffered_ = false;
  bool parentBackground_ = false;
  int alignDisabled_ = 0;
  bool aligning_ = false;
  int ncLeft_ = 0, ncTop_ = 0, ncRight_ = 0, ncBottom_ = 0;
  bool entered_ = false;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TWinControl* parent = nullptr);
};

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TWinControl* parent = nullptr);
};

// The control holding the mouse capture (nullptr when none). A control with
// csCaptureMouse takes it when a button is pressed on it and gives it up when
// the last button is released; while a button is held the pressed control gets
// every mouse event, also outside itself.
void SetCaptureControl(TControl* control);
TControl* GetCaptureControl();

// Maps the layer's cursor identifiers to Qt cursors.
Qt::CursorShape CursorToQt(TCursor cursor);
