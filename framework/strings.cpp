#include "framework/strings.h"

#include <algorithm>
#include <cctype>

#include "framework/property.h"

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool NeedsQuotes(const std::string& s) {
  if (s.empty()) return true;
  return std::any_of(s.begin(), s.end(), [](char c) {
    return c == ',' || c == '"' || static_cast<unsigned char>(c) <= ' ';
  });
}

}  // namespace

// ---- TStrings -----------------------------------------------------------------

void TStrings::IndexError(int index) {
  throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, void* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(source);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  std::string s = Get(from);
  void* o = GetObject(from);
  BeginUpdate();
  Delete(from);
  InsertObject(to, s, o);
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  std::string sa = Get(a), sb = Get(b);
  void* oa = GetObject(a);
  void* ob = GetObject(b);
  BeginUpdate();
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareNoCase(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const void* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Get(i) + "\n";
  return out;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Add(line);
    start = end + 1;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += ',';
    std::string s = Get(i);
    if (!NeedsQuotes(s)) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStrings::SetCommaText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  };
  skipBlanks();
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ')
        item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < n && text[i] == ',') {
      ++i;
      skipBlanks();
    }
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  for (int i = 0; i < Count(); ++i) v.push_back(Get(i));
  return v;
}

// ---- TStringList --------------------------------------------------------------

TStringList::TStringList(std::initializer_list<std::string> items) {
  for (const std::string& s : items) items_.push_back({s, nullptr});
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  if (caseSensitive_) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  return CompareNoCase(a, b);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].text;
}

void TStringList::Put(int index, const std::string& s) {
  CheckUnsorted();
  CheckIndex(index);
  Changing();
  items_[index].text = s;
  Changed({TStringsChange::Replaced, index});
}

void* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::PutObject(int index, void* object) {
  CheckIndex(index);
  items_[index].object = object;
}

void TStringList::Insert(int index, const std::string& s) {
  CheckUnsorted();
  if (index < 0 || index > Count()) IndexError(index);
  Changing();
  items_.insert(items_.begin() + index, Item{s, nullptr});
  Changed({TStringsChange::Inserted, index});
}

int TStringList::Add(const std::string& s) {
  if (!sorted_) {
    int index = Count();
    Insert(index, s);
    return index;
  }
  int index;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  Changing();
  items_.insert(items_.begin() + index, Item{s, nullptr});
  Changed({TStringsChange::Inserted, index});
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed({TStringsChange::Deleted, index});
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed({TStringsChange::Cleared});
}

void TStringList::Move(int from, int to) {
  CheckUnsorted();
  CheckIndex(from);
  CheckIndex(to);
  if (from == to) return;
  Changing();
  Item item = items_[from];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
  Changed({TStringsChange::Moved, from, to});
}

void TStringList::Exchange(int a, int b) {
  CheckUnsorted();
  CheckIndex(a);
  CheckIndex(b);
  if (a == b) return;
  Changing();
  std::swap(items_[a], items_[b]);
  Changed({TStringsChange::Exchanged, a, b});
}

int TStringList::IndexOf(const std::string& s) const {
  if (sorted_) {
    int index;
    return Find(s, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(items_[i].text, s) == 0) return i;
  return -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(items_[mid].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

void TStringList::SetSorted(bool v) {
  if (sorted_ == v) return;
  if (v) Sort();
  sorted_ = v;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(), [this](const Item& a, const Item& b) {
    return CompareStrings(a.text, b.text) < 0;
  });
  Changed({TStringsChange::Sorted});
}

void TStringList::SetCaseSensitive(bool v) {
  if (!Store(caseSensitive_, v)) return;
  if (sorted_) Sort();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    changedInUpdate_ = false;
    if (OnChanging) OnChanging(this);
  } else if (changedInUpdate_) {
    changedInUpdate_ = false;
    if (OnChange) OnChange(this);
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed(const TStringsChange& change) {
  if (OnChangeEx) OnChangeEx(change);
  if (UpdateCount() > 0)
    changedInUpdate_ = true;
  else if (OnChange)
    OnChange(this);
}
