// The parameter table, the window's controls and zn4417ctl's --help agree:
// every control of the window is a parameter of the table with its caption,
// unit, range, step and items, and the help lists every name the tool knows
// with the range of its parameter.
#include <QTest>
#include <regex>
#include <set>
#include <sstream>

#include "model/config_controller.h"
#include "tests/app/app_test_util.h"
#include "tools/ctl_names.h"
#include "tools/ctl_options.h"
#include "widgets/nvchklst.h"
#include "widgets/nvlabel.h"
#include "widgets/nvradchk.h"
#include "widgets/nvspnedt.h"

namespace {

void CollectControls(TWinControl* parent, std::vector<TControl*>& all) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    all.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectControls(w, all);
  }
}

bool IsParameterControl(TControl* c) {
  return dynamic_cast<TNvSpinEdit*>(c) || dynamic_cast<TNvCheckList*>(c) ||
         dynamic_cast<TNvCheckBox*>(c);
}

// The caption of the label on the edit's row (8 lower, as the labels' text
// stands beside the edit's): the nearest one left of it, or the one just
// after it; "" when there is none.
std::string RowLabel(TNvSpinEdit* edit, bool after) {
  TNvLabel* found = nullptr;
  for (int i = 0; i < edit->Parent()->ControlCount(); ++i) {
    auto* label = dynamic_cast<TNvLabel*>(edit->Parent()->Controls(i));
    if (label == nullptr || label->Top() != edit->Top() + 8) continue;
    const bool fits =
        after ? label->Left() > edit->Left() && label->Left() <= edit->Left() + edit->Width() + 8
              : label->Left() < edit->Left();
    if (fits && (found == nullptr || label->Left() > found->Left())) found = label;
  }
  return found == nullptr ? "" : found->Caption();
}

std::string Range(const ParamDescriptor& d) {
  return std::to_string(static_cast<long long>(d.min)) + ".." +
         std::to_string(static_cast<long long>(d.max));
}

std::string Section(const std::string& text, const std::string& from, const std::string& to) {
  const size_t start = text.find(from);
  const size_t end = start == std::string::npos ? start : text.find(to, start + from.size());
  return start == std::string::npos || end == std::string::npos
             ? ""
             : text.substr(start + from.size(), end - start - from.size());
}

// The help's parameter entries: the names of each (OVERLOAD1..OVERLOAD3
// spelt out) with its description.
std::vector<std::pair<std::vector<std::string>, std::string>> HelpEntries(const std::string& list) {
  std::vector<std::pair<std::vector<std::string>, std::string>> entries;
  std::istringstream in(list);
  std::string line;
  const std::regex series("([A-Z]+)(\\d)\\.\\.\\1(\\d)");
  while (std::getline(in, line)) {
    if (line.rfind("  ", 0) != 0) continue;
    if (line[2] == ' ') {
      if (!entries.empty()) entries.back().second += line.substr(line.find_first_not_of(' '));
      continue;
    }
    const size_t gap = line.find("  ", 2);
    std::vector<std::string> names;
    std::istringstream fields(
        line.substr(2, gap == std::string::npos ? std::string::npos : gap - 2));
    for (std::string name; std::getline(fields, name, ',');) {
      name.erase(0, name.find_first_not_of(' '));
      name.erase(name.find_last_not_of(' ') + 1);
      std::smatch m;
      if (std::regex_match(name, m, series)) {
        for (int i = std::stoi(m[2]); i <= std::stoi(m[3]); ++i)
          names.push_back(m[1].str() + std::to_string(i));
      } else {
        names.push_back(name);
      }
    }
    entries.emplace_back(
        names, gap == std::string::npos ? "" : line.substr(line.find_first_not_of(' ', gap)));
  }
  return entries;
}

ParamRef Resolve(const std::string& helpName) {
  ParamRef ref;
  std::string error;
  // A list's entry stands for its items: FUNREG.i.
  const std::string name = helpName.size() > 2 && helpName.ends_with(".i")
                               ? helpName.substr(0, helpName.size() - 1) + "2"
                               : helpName;
  if (!LookUpName(name, ref, error)) ref.id = static_cast<ParamId>(-1);
  return ref;
}

}  // namespace

class ParameterTableTest : public QObject {
  Q_OBJECT

 private slots:
  void windowControlsAreTheTablesParameters() {
    SimWindow w;
    TForm1& form = w.Create();
    std::vector<TControl*> all;
    CollectControls(&form, all);
    std::set<ParamId> seen;
    for (TControl* c : all) {
      if (!IsParameterControl(c)) continue;
      ParamId id{};
      QVERIFY2(form.ParamOfControl(c, id), c->Name().c_str());
      QVERIFY2(seen.insert(id).second, c->Name().c_str());
      const ParamDescriptor& d = DescriptorOf(id);
      QCOMPARE_STR(c->Name(), d.name);
      if (auto* edit = dynamic_cast<TNvSpinEdit*>(c)) {
        QCOMPARE(d.kind, pkNumeric);
        QCOMPARE(form.SpinEditOf(id), edit);
        QCOMPARE(edit->Min(), d.min);
        QCOMPARE(edit->Max(), d.max);
        QCOMPARE(edit->Increment(), d.step);
        QCOMPARE(edit->AllowKeyEdit(), d.typed);
        QCOMPARE_STR(RowLabel(edit, false), d.caption);
        QCOMPARE_STR(RowLabel(edit, true), d.unit);
      } else if (auto* list = dynamic_cast<TNvCheckList*>(c)) {
        QCOMPARE(d.kind, pkItemList);
        QCOMPARE(size_t(list->Items().Count()), d.items.size());
        for (size_t i = 0; i < d.items.size(); ++i)
          QCOMPARE_STR(list->Items().Strings(int(i)), d.items[i].caption);
      } else {
        QCOMPARE(d.kind, pkFlag);
        QCOMPARE_STR(dynamic_cast<TNvCheckBox*>(c)->Caption(), d.caption);
      }
    }
    QCOMPARE(seen.size(), size_t(kParamCount));
  }

  void helpListsEveryNameWithItsParametersRange() {
    const std::string help = HelpText();
    const std::string list = Section(help, "\n\n  DEADBAND", "\n\n");
    QVERIFY(!list.empty());
    std::set<std::string> listed;
    for (const auto& [names, description] : HelpEntries("  DEADBAND" + list)) {
      for (const std::string& name : names) {
        const ParamRef ref = Resolve(name);
        QVERIFY2(ref.id >= 0, name.c_str());
        listed.insert(name);
        const ParamDescriptor& d = DescriptorOf(ref.id);
        if (d.kind != pkNumeric) {
          QVERIFY2(description.rfind("flag", 0) == 0, name.c_str());
          continue;
        }
        std::smatch range;
        QVERIFY2(std::regex_search(description, range, std::regex("-?\\d+\\.\\.\\d+")),
                 name.c_str());
        QCOMPARE_STR(range.str(), Range(d));
        QCOMPARE(*d.unit != 0,
                 description.find(std::string("(") + d.unit + ")") != std::string::npos);
      }
    }
    // Every name the table gives the tool is listed: each number's caption
    // and the names dump prints.
    std::vector<std::string> names;
    for (const ParamDescriptor& d : ParamDescriptors()) {
      if (d.kind == pkNumeric) names.push_back(d.caption);
      if (d.kind != pkItemList) names.push_back(DumpName({d.id, -1}));
      for (size_t i = 0; i < d.items.size(); ++i) {
        const std::string item = DumpName({d.id, Integer(i)});
        names.push_back(
            item.find('.') == std::string::npos ? item : item.substr(0, item.find('.')) + ".i");
      }
    }
    for (const std::string& name : names) QVERIFY2(listed.count(name), name.c_str());

    // The fixed FUNREG items are the ones start-up disables.
    std::string fixed;
    const size_t count = std::size(kDisabledFunregItems);
    for (size_t i = 0; i < count; ++i)
      fixed += (i == 0           ? ""
                : i + 1 == count ? " and "
                                 : ", ") +
               std::to_string(kDisabledFunregItems[i]);
    QVERIFY2(help.find("items " + fixed + " are fixed") != std::string::npos, fixed.c_str());

    // The controls' names the help gives are the table's, and each control
    // name is given there or among the names above.
    std::istringstream words(Section(help, "in their exact case:", ".\n"));
    std::set<std::string> controlNames;
    for (std::string word; words >> word;) {
      const std::string base = word.ends_with(".i") ? word.substr(0, word.size() - 2) : word;
      ParamId id{};
      QVERIFY2(FindParam(base, id), word.c_str());
      controlNames.insert(base);
    }
    for (const ParamDescriptor& d : ParamDescriptors()) {
      const std::string asListed = d.kind == pkItemList ? std::string(d.name) + ".i" : d.name;
      QVERIFY2(controlNames.count(d.name) || listed.count(asListed), d.name);
    }
  }
};

QTEST_MAIN(ParameterTableTest)
#include "parameter_table_test.moc"
