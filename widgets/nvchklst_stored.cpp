// The stored form of the check list's item records: "ItemEnabled" and
// "ItemState", each a parenthesised list of values in item order.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "widgets/nvchklst.h"

namespace {

// The values between "(" and ")", split at white space; nullopt when the text
// is not such a list.
std::optional<std::vector<std::string>> SplitList(const std::string& text) {
  const size_t open = text.find_first_not_of(" \t\r\n");
  const size_t close = text.find_last_not_of(" \t\r\n");
  if (open == std::string::npos || text[open] != '(' || text[close] != ')' || close <= open)
    return std::nullopt;
  std::istringstream in(text.substr(open + 1, close - open - 1));
  std::vector<std::string> values;
  for (std::string v; in >> v;) values.push_back(v);
  return values;
}

std::optional<bool> ParseBoolean(const std::string& v) {
  std::string lower;
  for (char c : v) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "true") return true;
  if (lower == "false") return false;
  return std::nullopt;
}

std::optional<int> ParseInteger(const std::string& v) {
  try {
    size_t used = 0;
    const int n = std::stoi(v, &used);
    if (used != v.size()) return std::nullopt;
    return n;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

template <typename T>
std::string JoinList(const std::vector<T>& values, std::string (*text)(T)) {
  std::string out = "(";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ' ';
    out += text(values[i]);
  }
  return out + ")";
}

std::string BooleanText(bool v) {
  return v ? "True" : "False";
}

std::string IntegerText(int v) {
  return std::to_string(v);
}

}  // namespace

std::vector<bool> TNvCheckListStrings::StoredItemEnabled() const {
  std::vector<bool> values;
  for (int i = 0; i < Count(); ++i) values.push_back(ItemEnabled(i));
  return values;
}

std::vector<int> TNvCheckListStrings::StoredItemState() const {
  std::vector<int> values;
  for (int i = 0; i < Count(); ++i) values.push_back(ItemState(i));
  return values;
}

void TNvCheckListStrings::ReadItemEnabled(const std::vector<bool>& values) {
  // By position; values beyond the items read so far have no item to go to.
  for (int i = 0; i < Count() && i < static_cast<int>(values.size()); ++i)
    SetItemEnabled(i, values[i]);
}

void TNvCheckListStrings::ReadItemState(const std::vector<int>& values) {
  for (int i = 0; i < Count() && i < static_cast<int>(values.size()); ++i) {
    const int v = values[i];
    SetItemState(i,
                 v >= cbUnchecked && v <= cbGrayed ? static_cast<TCheckBoxState>(v) : cbUnchecked);
  }
}

std::string TNvCheckListStrings::ItemEnabledText() const {
  return JoinList<bool>(StoredItemEnabled(), &BooleanText);
}

std::string TNvCheckListStrings::ItemStateText() const {
  return JoinList<int>(StoredItemState(), &IntegerText);
}

bool TNvCheckListStrings::ReadItemEnabledText(const std::string& text) {
  const auto list = SplitList(text);
  if (!list) return false;
  std::vector<bool> values;
  for (const std::string& v : *list) {
    const auto b = ParseBoolean(v);
    if (!b) return false;
    values.push_back(*b);
  }
  ReadItemEnabled(values);
  return true;
}

bool TNvCheckListStrings::ReadItemStateText(const std::string& text) {
  const auto list = SplitList(text);
  if (!list) return false;
  std::vector<int> values;
  for (const std::string& v : *list) {
    const auto n = ParseInteger(v);
    if (!n) return false;
    values.push_back(*n);
  }
  ReadItemState(values);
  return true;
}
