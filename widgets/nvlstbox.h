// Nvlstbox: the widget set's list-box bases.
//
// TNvCustomListBox adds to the framework list box the colour switching of the
// widget set (FocusColor while focused, DisabledColor while disabled, the
// colour set from outside otherwise), an incremental search by typed prefix
// that forgets what was typed 1500 ms after the last key, hints showing the
// full text of items too wide for the list, group lines (items starting with
// GroupPrefix) and an optional drawn frame.
// TNvCustomTabbedListBox draws item text with its tabs expanded.
#pragma once

#include <memory>
#include <string>

#include "framework/font.h"
#include "framework/listbox.h"
#include "widgets/nvcommon_types.h"
#include "widgets/nvdrawnframe.h"

class TNvItemHintWindow;

// Delay after the last typed key at which the search text is forgotten.
constexpr uint32_t IncrementalSearchResetDelay = 1500;

class TNvCustomListBox : public TCustomListBox {
 public:
  explicit TNvCustomListBox(TWinControl* parent = nullptr);
  ~TNvCustomListBox() override;

  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor v);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor v);

  bool FrameVisible() const { return frame_.visible; }
  void SetFrameVisible(bool v);
  TFrameStyle FrameStyle() const { return frame_.style; }
  void SetFrameStyle(TFrameStyle v);
  TColor FrameColor() const { return frame_.color; }
  void SetFrameColor(TColor v);
  bool FrameHotTrack() const { return frame_.hotTrack; }
  void SetFrameHotTrack(bool v);
  TFrameStyle FrameHotStyle() const { return frame_.hotStyle; }
  void SetFrameHotStyle(TFrameStyle v);
  TColor FrameHotColor() const { return frame_.hotColor; }
  void SetFrameHotColor(TColor v);
  TSides FrameSides() const { return frame_.sides; }
  void SetFrameSides(TSides v);

  bool IncrementalSearch() const { return incrementalSearch_; }
  void SetIncrementalSearch(bool v);
  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool v) { beepOnInvalidKey_ = v; }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool v) { tabOnEnter_ = v; }
  bool ShowItemHints() const { return showItemHints_; }
  void SetShowItemHints(bool v);

  bool ShowGroups() const { return showGroups_; }
  void SetShowGroups(bool v);
  const std::string& GroupPrefix() const { return groupPrefix_; }
  void SetGroupPrefix(const std::string& v);
  TColor GroupColor() const { return groupColor_; }
  void SetGroupColor(TColor v);
  TFont& GroupFont() { return groupFont_; }
  void SetGroupFont(const TFont& v);
  bool UseGradients() const { return useGradients_; }
  void SetUseGradients(bool v);
  int OwnerDrawIndent() const { return ownerDrawIndent_; }
  void SetOwnerDrawIndent(int v);

  // Whether item `index` is a group line (ShowGroups and the GroupPrefix).
  bool IsGroupLine(int index) const;
  // What has been typed for the incremental search so far.
  const std::string& SearchText() const { return searchText_; }
  // Whether an item hint is showing now, and its text.
  bool ItemHintShowing() const;
  std::string ItemHintText() const;

  void WndProc(TMessage& message) override;

  // An incremental-search hit (after OnKeyPress).
  TNotifyEvent OnMatch;

 protected:
  // Pixels left of an item's text (the check glyph's column in a check list).
  virtual int ItemIndent() const { return ownerDrawIndent_; }
  // The reaction to an invalid key: the beep when BeepOnInvalidKey.
  virtual void InvalidKeyPressed();
  // Paints a group line over the whole row.
  void DrawGroupLine(int index, const TRect& rect, TOwnerDrawState state);
  void UpdateColors();
  void ClearSearch();

  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void PaintNonClient(TCanvas& canvas) override;

 private:
  void SearchFor(const std::string& text, char key);
  void SearchBackspace();
  void RestartSearchTimer();
  void SelectFromSearch(int index);
  void UpdateItemHint(int x, int y);
  void HideItemHint();

  TColor focusColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor restColor_ = clWindow;
  bool settingColor_ = false;
  bool hasFocus_ = false;
  TNvDrawnFrame frame_;
  bool mouseInControl_ = false;
  bool incrementalSearch_ = true;
  bool beepOnInvalidKey_ = true;
  bool tabOnEnter_ = false;
  bool showItemHints_ = true;
  bool showGroups_ = true;
  std::string groupPrefix_ = "//";
  TColor groupColor_ = clInactiveCaptionText;
  TFont groupFont_;
  bool useGradients_ = true;
  int ownerDrawIndent_ = 0;
  std::string searchText_;
  bool searchTimerRunning_ = false;
  std::unique_ptr<TNvItemHintWindow> hint_;
  int hintIndex_ = -1;
};

class TNvCustomTabbedListBox : public TNvCustomListBox {
 public:
  using TNvCustomListBox::TNvCustomListBox;

 protected:
  // Draws `text` at (x, y) in the canvas font with tabs expanded, clipped to
  // `clip`.
  void DrawTabbedText(TCanvas& canvas, const std::string& text, int x, int y, const TRect& clip);
};
