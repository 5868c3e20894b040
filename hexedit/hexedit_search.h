// THexEditSearch: Find, Find Next, Find Previous, Replace and Replace All
// of zn4417hex on the view's find and replace primitives.
//
// Large data is searched piece by piece; between pieces a progress bar in
// the status line moves and its Cancel button (the only input taken while
// searching) stops the search. The view searches forward only; a backward
// search goes through pieces from the end towards the start and finds the
// last hit of each piece with forward searches. Replace All is one call of
// the view's ReplaceAll, whose progress drives the same bar.
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
  bool backward = false;  // Find in the dialog searches towards the start
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
  // The last match starting at or before from, likewise.
  Integer FindBackFrom(Integer from);
  // From the byte after the caret's selection start (or the caret).
  Integer FindNext();
  // From the byte before the selection start (or the caret).
  Integer FindPrevious();
  // Replaces the selection when it is a match, then finds the next one.
  // One undo step per replacement. False when nothing was replaced.
  bool ReplaceCurrent();
  // Replaces every match in the data in one undo step; returns how many
  // (0 also when the user cancelled: then nothing changed).
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
  // Whether to go on from the other end after a miss (backward: from the
  // end); unassigned: no.
  std::function<bool(bool backward)> AskContinue;

 private:
  // The first match starting in [from, until] (until -1: anywhere).
  Integer Search(const std::vector<Byte>& pattern, Integer from, Integer until = -1);
  // The last match starting in [0, from].
  Integer SearchBack(const std::vector<Byte>& pattern, Integer from);
  // The last match starting in [low, high], or -1.
  Integer LastIn(const std::vector<Byte>& pattern, Integer low, Integer high);
  Integer FindIn(const std::vector<Byte>& pattern, Integer start, Integer end);
  void SelectHit(Integer found, Integer length);
  int Wildcard() const;  // -1: none
  // After each piece: moves the bar and lets the Cancel button be pressed.
  void PieceDone(int percent);
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
