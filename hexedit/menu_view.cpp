// View menu: bytes per row, offset format, character translation.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "hexedit/hexedit_menus.h"
#include "hexedit/hexeditform.h"
#include "hexview/hvtranslation.h"

namespace {

struct OffsetChoice {
  const char* caption;
  const char* format;
};

constexpr std::array<OffsetChoice, 3> kOffsetChoices = {{
    {"&Hexadecimal (0x...)", "-!10:0x|"},
    {"&Decimal", "-!A:|"},
    {"Hexadecimal with &h", "-!10:|h"},
}};

constexpr std::array<Integer, 5> kRowChoices = {8, 16, 24, 32, 64};

// A checkable group of entries whose checked one follows current().
template <typename Value>
void AddChoices(THexEditForm& form, QMenu* menu,
                const std::vector<std::pair<QString, Value>>& items,
                std::function<void(Value)> apply, std::function<Value()> current) {
  auto* group = new QActionGroup(menu);
  std::vector<std::pair<QAction*, Value>> actions;
  for (const auto& [caption, value] : items) {
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    group->addAction(a);
    const Value v = value;
    QObject::connect(a, &QAction::triggered, menu, [&form, apply, v] {
      try {
        apply(v);
      } catch (const std::exception& e) {
        form.ShowError(e.what());
      }
      form.UpdateUi();
    });
    actions.emplace_back(a, value);
  }
  form.AddUiUpdater([actions, current] {
    const Value now = current();
    for (const auto& [a, v] : actions) a->setChecked(v == now);
  });
}

}  // namespace

void BuildViewMenu(THexEditForm& form) {
  QMenu* menu = form.Menu("&View");
  THexViewEx& view = form.View();

  std::vector<std::pair<QString, Integer>> rows;
  for (Integer n : kRowChoices) rows.emplace_back(QString("%1 bytes per row").arg(n), n);
  AddChoices<Integer>(
      form, menu->addMenu("&Bytes per Row"), rows, [&view](Integer n) { view.SetBytesPerRow(n); },
      [&view] { return view.BytesPerRow(); });

  std::vector<std::pair<QString, std::string>> formats;
  for (const auto& c : kOffsetChoices) formats.emplace_back(c.caption, c.format);
  AddChoices<std::string>(
      form, menu->addMenu("&Offset Format"), formats,
      [&view](std::string f) { view.SetOffsetFormat(f); }, [&view] { return view.OffsetFormat(); });

  std::vector<std::pair<QString, int>> kinds;
  for (int k = tkAsIs; k <= tkCustom; ++k) kinds.emplace_back(QString(HVTranslationDesc[k]), k);
  AddChoices<int>(
      form, menu->addMenu("&Translation"), kinds,
      [&view](int k) { view.SetTranslation(static_cast<THVTranslationKind>(k)); },
      [&view] { return static_cast<int>(view.Translation()); });
}
