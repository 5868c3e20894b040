// TNvGroupItem and TNvGroupItems: the clickable items of a group bar group.
//
// An item whose Caption is "-" is a separator. An item "has a click handler"
// when it has an OnClick handler or an Action; only such items react to the
// mouse. Every change of an item's look or size tells the owning group, which
// lays the bar out again and repaints.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/colors.h"
#include "framework/font.h"
#include "framework/geometry.h"
#include "framework/object.h"
#include "framework/types.h"

class TNvGroup;
class TNvGroupItems;

// The caption and item mouse states.
enum TNvCaptionState : uint8_t { csNormal, csHot, csDown };

// A command an item runs instead of its OnClick handler.
class TNvItemAction : public TObject {
 public:
  TNotifyEvent OnExecute;
  // Runs OnExecute with `sender`; false when there is none.
  virtual bool Execute(TObject* sender);
};

class TNvGroupItem : public TObject {
 public:
  explicit TNvGroupItem(TNvGroupItems* collection);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // clNone: the group's font colour.
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor v);
  TFontStyles FontStyle() const { return fontStyle_; }
  void SetFontStyle(TFontStyles v);
  Byte IndentLevel() const { return indentLevel_; }
  void SetIndentLevel(Byte v);
  bool Selected() const { return selected_; }
  // Selecting clears the other selected items of the group (and, with the
  // bar's UniqueItemSelection, of every group that shows selection).
  void SetSelected(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }
  TNvItemAction* Action() const { return action_; }
  void SetAction(TNvItemAction* v);

  TNotifyEvent OnClick;

  // Position in the collection.
  int Index() const;
  TNvGroupItems* Collection() const { return collection_; }
  TNvGroup* Group() const;

  bool IsSeparator() const { return caption_ == "-"; }
  bool HasClickHandler() const { return static_cast<bool>(OnClick) || action_ != nullptr; }
  // Runs OnClick, or the Action when there is no OnClick handler.
  void Click();

  // Hit rectangles (group client coordinates), set by the group's item layout.
  TRect ImageRect() const { return imageRect_; }
  TRect CaptionRect() const { return captionRect_; }
  TNvCaptionState State() const { return state_; }
  bool Pressed() const { return pressed_; }

 private:
  friend class TNvGroup;
  void Changed();

  TNvGroupItems* collection_;
  std::string caption_;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  TColor fontColor_ = clNone;
  TFontStyles fontStyle_ = 0;
  Byte indentLevel_ = 0;
  bool selected_ = false;
  std::string hint_;
  intptr_t tag_ = 0;
  TNvItemAction* action_ = nullptr;
  TRect imageRect_;
  TRect captionRect_;
  bool pressed_ = false;
  TNvCaptionState state_ = csNormal;
};

class TNvGroupItems {
 public:
  explicit TNvGroupItems(TNvGroup* group);
  TNvGroupItems(const TNvGroupItems&) = delete;
  TNvGroupItems& operator=(const TNvGroupItems&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // The item at `index` (EListError "List index out of bounds (%d)" outside).
  TNvGroupItem* Items(int index) const;
  TNvGroupItem* operator[](int index) const { return Items(index); }
  TNvGroupItem* Add();
  TNvGroupItem* Add(const std::string& caption);
  TNvGroupItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TNvGroup* Group() const { return group_; }

  // Called when an item changed (size or look).
  void Changed();

 private:
  friend class TNvGroupItem;
  TNvGroup* group_;
  std::vector<std::unique_ptr<TNvGroupItem>> items_;
};
