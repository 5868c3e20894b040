// THexEditSearch: piecewise search with progress and cancel, replacing.
#include "hexedit/hexedit_search.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <memory>

#include "framework/panel.h"
#include "hexedit/hexeditform.h"
#include "hexview/hvclipformats.h"
#include "hexview/hvhextext.h"

namespace {

constexpr const char* kReplaceDescription = "Replace";
constexpr const char* kReplaceAllDescription = "Replace All";

std::vector<Byte> BytesOf(const std::string& s) {
  return std::vector<Byte>(s.begin(), s.end());
}

std::string Ansi(const std::string& utf8) {
  return HVUnicodeToAnsi(QString::fromStdString(utf8).toStdU32String());
}

}  // namespace

THexEditSearch::THexEditSearch(THexEditForm& form) : form_(form) {}

THexEditSearch& SearchOf(THexEditForm& form) {
  static std::map<THexEditForm*, std::unique_ptr<THexEditSearch>> searches;
  auto& slot = searches[&form];
  if (!slot) {
    slot = std::make_unique<THexEditSearch>(form);
    QObject::connect(&form, &QObject::destroyed, [&form] { searches.erase(&form); });
  }
  return *slot;
}

THexEditSearch::~THexEditSearch() = default;  // bar and button belong to the status panel

std::vector<Byte> THexEditSearch::Pattern() {
  THexViewEx& v = form_.View();
  if (options_.hex) {
    const std::vector<Byte> bytes = ConvertHexToBin(options_.text, false);
    return BytesOf(v.PrepareFindReplaceData(std::string(bytes.begin(), bytes.end()),
                                            options_.ignoreCase, false));
  }
  return BytesOf(v.PrepareFindReplaceData(Ansi(options_.text), options_.ignoreCase, true));
}

std::vector<Byte> THexEditSearch::ReplacementBytes() {
  if (options_.replacementHex) return ConvertHexToBin(options_.replacement, false);
  // Keeps the lookup tables of the pattern: prepared the same way.
  return BytesOf(form_.View().PrepareFindReplaceData(Ansi(options_.replacement), false, true));
}

int THexEditSearch::Wildcard() const {
  const std::string wild = Ansi(options_.wildcard);
  return options_.useWildcard && !wild.empty() ? static_cast<Byte>(wild[0]) : -1;
}

Integer THexEditSearch::FindIn(const std::vector<Byte>& pattern, Integer start, Integer end) {
  THexViewEx& v = form_.View();
  const Integer m = static_cast<Integer>(pattern.size());
  const int wildcard = Wildcard();
  return wildcard >= 0 ? v.FindWithWildcard(pattern.data(), m, start, end, options_.ignoreCase,
                                            static_cast<Byte>(wildcard))
                       : v.Find(pattern.data(), m, start, end, options_.ignoreCase);
}

void THexEditSearch::PieceDone(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (bar_ && bar_->isVisible()) SetPercent(percent);
  if (OnPiece) OnPiece(percent);
}

Integer THexEditSearch::Search(const std::vector<Byte>& pattern, Integer from, Integer until) {
  THexViewEx& v = form_.View();
  cancelled_ = false;
  const Integer m = static_cast<Integer>(pattern.size());
  Integer last = v.DataSize() - 1;
  if (until >= 0) last = std::min<Int64>(last, static_cast<Int64>(until) + m - 1);
  if (m == 0 || from < 0 || from > last) return -1;
  const bool progress = v.DataSize() >= progressFrom_;
  if (progress) ShowProgress(true);
  Integer found = -1;
  // Each piece tries the starts [s, s + piece); its end reaches the last
  // byte a match from there may need.
  for (Int64 s = from; s <= last && found < 0 && !cancelled_; s += pieceSize_) {
    const Integer end = static_cast<Integer>(std::min<Int64>(last, s + pieceSize_ + m - 2));
    found = FindIn(pattern, static_cast<Integer>(s), end);
    if (found >= 0) break;
    PieceDone(
        static_cast<int>((s + pieceSize_ - from) * 100 / std::max<Int64>(1, last - from + 1)));
  }
  if (progress) ShowProgress(false);
  return cancelled_ ? -1 : found;
}

Integer THexEditSearch::LastIn(const std::vector<Byte>& pattern, Integer low, Integer high) {
  // The largest start in [low, high] with a match: each probe asks for the
  // first match starting in the upper half of what is left, so a piece
  // costs a few forward scans whatever its number of hits.
  const Integer m = static_cast<Integer>(pattern.size());
  const Integer last = form_.View().DataSize() - 1;
  Integer best = -1;
  while (low <= high) {
    const Integer mid = low + (high - low + 1) / 2;
    const Integer found =
        FindIn(pattern, mid, static_cast<Integer>(std::min<Int64>(last, Int64{high} + m - 1)));
    if (found >= 0) {
      best = found;
      low = found + 1;
    } else {
      high = mid - 1;
    }
  }
  return best;
}

Integer THexEditSearch::SearchBack(const std::vector<Byte>& pattern, Integer from) {
  THexViewEx& v = form_.View();
  cancelled_ = false;
  const Integer m = static_cast<Integer>(pattern.size());
  from = std::min(from, v.DataSize() - m);
  if (m == 0 || from < 0) return -1;
  const bool progress = v.DataSize() >= progressFrom_;
  if (progress) ShowProgress(true);
  Integer found = -1;
  for (Int64 high = from; high >= 0 && found < 0 && !cancelled_; high -= pieceSize_) {
    const Integer low = static_cast<Integer>(std::max<Int64>(0, high - pieceSize_ + 1));
    found = LastIn(pattern, low, static_cast<Integer>(high));
    if (found >= 0) break;
    PieceDone(static_cast<int>((from - low + 1) * 100 / (Int64{from} + 1)));
  }
  if (progress) ShowProgress(false);
  return cancelled_ ? -1 : found;
}

void THexEditSearch::SelectHit(Integer found, Integer length) {
  THexViewEx& v = form_.View();
  const Integer high = found + length - 1;
  // Through the start first, so that the view shows the whole hit.
  v.Data().MoveCaret(found, v.Data().CaretInCharField());
  v.Data().MoveCaret(high, v.Data().CaretInCharField());
  v.SetSelection(found, found, high);
  v.Invalidate();
}

Integer THexEditSearch::FindFrom(Integer from) {
  const std::vector<Byte> pattern = Pattern();
  const Integer found = Search(pattern, from);
  if (found >= 0) SelectHit(found, static_cast<Integer>(pattern.size()));
  form_.UpdateUi();
  return found;
}

Integer THexEditSearch::FindBackFrom(Integer from) {
  const std::vector<Byte> pattern = Pattern();
  const Integer found = SearchBack(pattern, from);
  if (found >= 0) SelectHit(found, static_cast<Integer>(pattern.size()));
  form_.UpdateUi();
  return found;
}

Integer THexEditSearch::FindNext() {
  const THexViewData& d = form_.View().Data();
  const Integer from = d.HasSelection() ? d.Selection().Low + 1 : std::max(0, d.CaretIndex());
  return FindFrom(from);
}

Integer THexEditSearch::FindPrevious() {
  const THexViewData& d = form_.View().Data();
  const Integer from = (d.HasSelection() ? d.Selection().Low : std::max(0, d.CaretIndex())) - 1;
  return from < 0 ? -1 : FindBackFrom(from);
}

bool THexEditSearch::ReplaceCurrent() {
  THexViewEx& v = form_.View();
  const THexViewData& d = v.Data();
  const std::vector<Byte> pattern = Pattern();
  const Integer m = static_cast<Integer>(pattern.size());
  bool replaced = false;
  const Integer low = d.Selection().Low;
  if (d.HasSelection() && v.GetSelCount() == m && Search(pattern, low, low) == low) {
    const std::vector<Byte> with = ReplacementBytes();
    const Integer at = d.Selection().Low;
    const Integer n =
        v.Replace(with.data(), at, m, static_cast<Integer>(with.size()), kReplaceDescription, true);
    v.ResetSelection(true);
    v.Data().MoveCaret(std::min(at + n, std::max(0, v.DataSize() - 1)), d.CaretInCharField());
    replaced = true;
  }
  if (replaced)
    FindFrom(std::max(0, d.CaretIndex()));
  else
    FindNext();
  return replaced;
}

int THexEditSearch::ReplaceAll() {
  THexViewEx& v = form_.View();
  const std::vector<Byte> pattern = Pattern();
  const std::vector<Byte> with = ReplacementBytes();
  cancelled_ = false;
  const bool progress = v.DataSize() >= progressFrom_;
  const bool findProgress = v.FindProgress();
  THVProgressEvent onProgress = std::move(v.OnProgress);
  v.SetFindProgress(progress);
  v.OnProgress = [this](TObject*, THVProgressKind, const std::string&, Byte percent, bool& cancel) {
    PieceDone(percent);
    cancel = cancelled_;
  };
  if (progress) ShowProgress(true);
  int count = 0;
  std::string error;
  try {
    count = v.ReplaceAll(pattern.data(), static_cast<Integer>(pattern.size()), with.data(),
                         static_cast<Integer>(with.size()), 0, v.DataSize() - 1,
                         options_.ignoreCase, Wildcard(), kReplaceAllDescription);
  } catch (const std::exception& e) {
    if (!cancelled_) error = e.what();  // a cancel is no fault: nothing changed
  }
  if (progress) ShowProgress(false);
  v.OnProgress = std::move(onProgress);
  v.SetFindProgress(findProgress);
  v.Invalidate();
  if (!error.empty()) form_.ShowError(error);
  if (cancelled_)
    form_.ShowStatusMessage("Replace All cancelled: nothing was changed");
  else if (error.empty())
    form_.ShowStatusMessage(count == 1 ? "Replaced 1 occurrence"
                                       : "Replaced " + std::to_string(count) + " occurrences");
  form_.UpdateUi();
  return count;
}

void THexEditSearch::ShowProgress(bool show) {
  TPanel& panel = form_.StatusPanel();
  if (!bar_) {
    bar_ = new QProgressBar(&panel);
    bar_->setRange(0, 100);
    cancel_ = new QPushButton("Cancel", &panel);
    QObject::connect(cancel_, &QPushButton::clicked, [this] { Cancel(); });
  }
  if (show) {
    const int h = panel.height() - 4, w = panel.width();
    cancel_->setGeometry(w - 82, 2, 80, h);
    bar_->setGeometry(w - 82 - 204, 2, 200, h);
    bar_->setValue(0);
  }
  bar_->setVisible(show);
  cancel_->setVisible(show);
  // While searching only the Cancel button takes input.
  form_.View().setEnabled(!show);
  form_.MenuBar().setEnabled(!show);
}

void THexEditSearch::SetPercent(int percent) {
  if (bar_) bar_->setValue(percent);
  QCoreApplication::processEvents();
}
