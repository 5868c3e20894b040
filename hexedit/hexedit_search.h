// THexEditSearch: Find, Find Next, Replace and Replace All of zn4417hex on
// the view's find and replace primitives.
//
// Large data is searched piece by piece; between pieces a progress bar in
// the status line moves and its Cancel button (the only input taken while
// searching) stops the search.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hexview/hvtypes.h"

class QProgressBar;
class QPushButton;
class THexEditForm;

struct THexEditFindOptions {
  std::string text;  // as typed (UTF-8); hex digits when hex
  bool hex = false;
  bool ignoreCase = false;
  bool useWildcard = false;
  std::string wildcard = "?";  // one character; its byte matches any byte
  std::string replacement;     // as typed; hex digits when replacementHex
  bool replacementHex = false;
};

class THexEditSearch {
 public:
  explicit THexEditSearch(THexEditForm& form);
  ~THexEditSearch();

  void SetOptions(const THexEditFindOptions& options) { options_ = options; }
  const THexEditFindOptions& Options() const { return options_; }
  // The bytes searched for and put in, as the view holds them.
  std::vector<Byte> Pattern();
  std::vector<Byte> ReplacementBytes();

  // The first match at or after from: selected and shown; -1 when there is
  // none, or the user cancelled (Cancelled()).
  Integer FindFrom(Integer from);
  // From the byte after the caret's selection start (or the caret).
  Integer FindNext();
  // Replaces the selection when it is a match, then finds the next one.
  // One undo step per replacement. False when nothing was replaced.
  bool ReplaceCurrent();
  // Replaces every match from the start, each one its own undo step;
  // returns how many.
  int ReplaceAll();

  bool Cancelled() const { return cancelled_; }
  void Cancel() { cancelled_ = true; }

  // Bytes searched per piece; data of at least ProgressFrom bytes shows
  // the progress bar.
  void SetPieceSize(Integer bytes) { pieceSize_ = bytes; }
  void SetProgressFrom(Integer bytes) { progressFrom_ = bytes; }
  // Called after each piece with the percentage reached (tests use it).
  std::function<void(int percent)> OnPiece;

  // What the Find and Replace dialog answers.
  enum TAnswer { faCancel, faFind, faReplace, faReplaceAll };
  // Asks for the options (the dialog; tests replace it). replace: the
  // Replace dialog with its replacement and buttons.
  std::function<TAnswer(THexEditFindOptions& options, bool replace)> AskOptions;

 private:
  // The first match starting in [from, until] (until -1: anywhere).
  Integer Search(const std::vector<Byte>& pattern, Integer from, Integer until = -1);
  void ShowProgress(bool show);
  void SetPercent(int percent);

  THexEditForm& form_;
  THexEditFindOptions options_;
  bool cancelled_ = false;
  Integer pieceSize_ = 16 * 1024 * 1024;
  Integer progressFrom_ = 4 * 1024 * 1024;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The search of a window, made on first use and gone with the window.
THexEditSearch& SearchOf(THexEditForm& form);
