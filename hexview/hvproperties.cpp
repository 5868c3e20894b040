// The settings table of the extended hex view and the text forms of its
// values: numbers in decimal, Booleans True/False, enumerations and set
// elements by name (sets as "[a,b]"), colours by name or "$00BBGGRR",
// characters as themselves or "#code", strings as they are.
#include "hexview/hvproperties.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "framework/exceptions.h"
#include "hexview/hexviewex.h"

namespace {

using V = THexViewEx;
using Names = std::vector<std::pair<const char*, uint32_t>>;

bool Same(const std::string& a, const char* b) {
  return strcasecmp(a.c_str(), b) == 0;
}

[[noreturn]] void Bad(const std::string& text, const char* kind) {
  throw EConvertError("'" + text + "' is not a valid " + kind + " value");
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

int32_t ToInt(const std::string& text) {
  const std::string t = Trim(text);
  char* end = nullptr;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (t.empty() || *end != '\0' || v < INT32_MIN || v > INT32_MAX) Bad(text, "integer");
  return static_cast<int32_t>(v);
}

bool ToBool(const std::string& text) {
  if (Same(Trim(text), "True")) return true;
  if (Same(Trim(text), "False")) return false;
  Bad(text, "Boolean");
}

uint32_t ToEnum(const Names& names, const std::string& text) {
  for (const auto& [name, value] : names)
    if (Same(Trim(text), name)) return value;
  Bad(text, "enumeration");
}

std::string EnumText(const Names& names, uint32_t value) {
  for (const auto& [name, v] : names)
    if (v == value) return name;
  return std::to_string(value);
}

std::string SetText(const Names& names, uint32_t bits) {
  std::string out = "[";
  for (const auto& [name, bit] : names)
    if (bits & bit) out += (out.size() > 1 ? "," : "") + std::string(name);
  return out + "]";
}

uint32_t ToSet(const Names& names, const std::string& text) {
  std::string t = Trim(text);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') Bad(text, "set");
  t = t.substr(1, t.size() - 2);
  uint32_t bits = 0;
  for (size_t from = 0; from <= t.size();) {
    const size_t comma = std::min(t.find(',', from), t.size());
    const std::string item = Trim(t.substr(from, comma - from));
    if (!item.empty()) bits |= ToEnum(names, item);
    from = comma + 1;
  }
  return bits;
}

TColor ToColor(const std::string& text) {
  TColor c = clNone;
  if (!IdentToColor(Trim(text), c)) Bad(text, "colour");
  return c;
}

std::string CharText(Byte c) {
  return c > 32 && c < 127 ? std::string(1, static_cast<char>(c)) : "#" + std::to_string(c);
}

Byte ToChar(const std::string& text) {
  if (text.size() == 1) return static_cast<Byte>(text[0]);
  if (text.size() > 1 && text[0] == '#') {
    const int32_t v = ToInt(text.substr(1));
    if (v >= 0 && v <= 255) return static_cast<Byte>(v);
  }
  Bad(text, "character");
}

const Names kCaretKinds = {
    {"ckFull", ckFull}, {"ckLeft", ckLeft}, {"ckBottom", ckBottom}, {"ckAuto", ckAuto}};
const Names kTranslations = {{"tkAsIs", tkAsIs}, {"tkDos8", tkDos8}, {"tkASCII", tkASCII},
                             {"tkMac", tkMac},   {"tkBCD", tkBCD},   {"tkCustom", tkCustom}};
const Names kFontStyles = {{"fsBold", fsBold},
                           {"fsItalic", fsItalic},
                           {"fsUnderline", fsUnderline},
                           {"fsStrikeOut", fsStrikeOut}};
const Names kPrintFlags = {{"pfSelectionOnly", pfSelectionOnly},
                           {"pfSelectionBold", pfSelectionBold},
                           {"pfMonochrome", pfMonochrome},
                           {"pfUseBackgroundColor", pfUseBackgroundColor},
                           {"pfCurrentViewOnly", pfCurrentViewOnly}};
const Names kCharsets = {{"ANSI_CHARSET", ANSI_CHARSET},
                         {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                         {"GB2312_CHARSET", GB2312_CHARSET}};

// ---- Entry makers: one line per setting in the table below ----

template <class G, class S>
THVProperty Bool(const char* name, G get, S set) {
  return {name, [get](const V& v) { return std::string(get(v) ? "True" : "False"); },
          [set](V& v, const std::string& t) { set(v, ToBool(t)); }};
}
template <class G, class S>
THVProperty Int(const char* name, G get, S set) {
  return {name, [get](const V& v) { return std::to_string(get(v)); },
          [set](V& v, const std::string& t) { set(v, ToInt(t)); }};
}
template <class G, class S>
THVProperty Str(const char* name, G get, S set) {
  return {name, [get](const V& v) { return std::string(get(v)); },
          [set](V& v, const std::string& t) { set(v, t); }};
}
template <class G, class S>
THVProperty Enum(const char* name, const Names& names, G get, S set) {
  return {name, [&names, get](const V& v) { return EnumText(names, get(v)); },
          [&names, set](V& v, const std::string& t) { set(v, ToEnum(names, t)); }};
}
template <class G, class S>
THVProperty Set(const char* name, const Names& names, G get, S set) {
  return {name, [&names, get](const V& v) { return SetText(names, get(v)); },
          [&names, set](V& v, const std::string& t) { set(v, ToSet(names, t)); }};
}
template <class G, class S>
THVProperty Color(const char* name, G get, S set) {
  return {name, [get](const V& v) { return std::string(ColorToIdent(get(v))); },
          [set](V& v, const std::string& t) { set(v, ToColor(t)); }};
}

// A setting X of the view, read by X() and written by SetX(value).
#define HV_PROP(Kind, X) \
  Kind(                  \
      #X, [](const V& v) { return v.X(); }, [](V& v, auto value) { v.Set##X(value); })
// A setting X of one of its objects, named "Object.X".
#define HV_SUB(Kind, Object, X)                                  \
  Kind(                                                          \
      #Object "." #X, [](const V& v) { return v.Object().X(); }, \
      [](V& v, auto value) { v.Object().Set##X(value); })

// The font properties of a font reached through `font`.
void AddFont(std::vector<THVProperty>& t, const std::string& prefix,
             const std::function<TFont&(V&)>& font) {
  auto cfont = [font](const V& v) -> const TFont& { return font(const_cast<V&>(v)); };
  auto name = [](const std::string& p, const char* n) { return p + "." + n; };
  t.push_back(Enum(
      "", kCharsets, [cfont](const V& v) { return cfont(v).Charset(); },
      [font](V& v, uint32_t c) { font(v).SetCharset(static_cast<TFontCharset>(c)); }));
  // Charsets other than the named ones are numbers.
  t.back().Name = name(prefix, "Charset");
  t.back().Set = [font](V& v, const std::string& text) {
    uint32_t c = 0;
    try {
      c = ToEnum(kCharsets, text);
    } catch (const EConvertError&) {
      const int32_t n = ToInt(text);
      if (n < 0 || n > 255) Bad(text, "charset");
      c = static_cast<uint32_t>(n);
    }
    font(v).SetCharset(static_cast<TFontCharset>(c));
  };
  t.push_back(Color(
      "", [cfont](const V& v) { return cfont(v).Color(); },
      [font](V& v, TColor c) { font(v).SetColor(c); }));
  t.back().Name = name(prefix, "Color");
  t.push_back(Str(
      "", [cfont](const V& v) { return cfont(v).Name(); },
      [font](V& v, const std::string& s) { font(v).SetName(s); }));
  t.back().Name = name(prefix, "Name");
  t.push_back(Int(
      "", [cfont](const V& v) { return cfont(v).Size(); },
      [font](V& v, int32_t s) { font(v).SetSize(s); }));
  t.back().Name = name(prefix, "Size");
  t.push_back(Set(
      "", kFontStyles, [cfont](const V& v) { return cfont(v).Style(); },
      [font](V& v, uint32_t s) { font(v).SetStyle(static_cast<TFontStyles>(s)); }));
  t.back().Name = name(prefix, "Style");
}

// The settings in the order the settings text writes them: the view's
// own, Colors, PrintFont, PrintOptions, Font, then those added later.
std::vector<THVProperty> ViewSettings() {
  return {
      HV_PROP(Bool, ShowRuler),
      HV_PROP(Bool, DrawGutter3D),
      HV_PROP(Bool, CreateBackup),
      HV_PROP(Str, BackupExtension),
      HV_PROP(Bool, OleDragDrop),
      HV_PROP(Bool, ClipboardAsHexText),
      HV_PROP(Bool, FlushClipboardAtShutDown),
      HV_PROP(Bool, SupportsOtherClipFormats),
      HV_PROP(Bool, UseEditorFontForPrinting),
      HV_PROP(Bool, ZoomOnWheel),
      HV_PROP(Int, BytesPerRow),
      HV_PROP(Int, BytesPerColumn),
      Enum(
          "Translation", kTranslations, [](const V& v) { return v.Translation(); },
          [](V& v, uint32_t k) { v.SetTranslation(static_cast<THVTranslationKind>(k)); }),
      HV_PROP(Str, OffsetFormat),
      Enum(
          "CaretKind", kCaretKinds, [](const V& v) { return v.CaretKind(); },
          [](V& v, uint32_t k) { v.SetCaretKind(static_cast<THVCaretKind>(k)); }),
      HV_PROP(Bool, FocusFrame),
      HV_PROP(Bool, SwapNibbles),
      {"MaskChar", [](const V& v) { return CharText(v.MaskChar()); },
       [](V& v, const std::string& t) { v.SetMaskChar(ToChar(t)); }},
      HV_PROP(Bool, NoSizeChange),
      HV_PROP(Bool, AllowInsertMode),
      HV_PROP(Bool, DrawGridLines),
      HV_PROP(Bool, ReadOnlyView),
      HV_PROP(Bool, HideSelection),
      HV_PROP(Bool, GraySelectionIfNotFocused),
      HV_PROP(Int, GutterWidth),
      HV_PROP(Int, MaxUndo),
      HV_PROP(Bool, InsertMode),
      HV_PROP(Bool, HexLowerCase),
  };
}

// THVColors in its own declared order (not that of the name list).
std::vector<THVProperty> ColorSettings() {
  return {
      HV_SUB(Color, Colors, Background),
      HV_SUB(Color, Colors, ChangedBackground),
      HV_SUB(Color, Colors, ChangedText),
      HV_SUB(Color, Colors, CursorFrame),
      HV_SUB(Color, Colors, Offset),
      HV_SUB(Color, Colors, OddColumn),
      HV_SUB(Color, Colors, EvenColumn),
      HV_SUB(Color, Colors, CurrentOffsetBackground),
      HV_SUB(Color, Colors, OffsetBackGround),
      HV_SUB(Color, Colors, CurrentOffset),
      HV_SUB(Color, Colors, Grid),
      HV_SUB(Color, Colors, NonFocusCursorFrame),
  };
}

std::vector<THVProperty> PrintOptionSettings() {
  return {
      HV_SUB(Int, PrintOptions, MarginLeft),
      HV_SUB(Int, PrintOptions, MarginTop),
      HV_SUB(Int, PrintOptions, MarginRight),
      HV_SUB(Int, PrintOptions, MarginBottom),
      HV_SUB(Str, PrintOptions, PageHeader),
      HV_SUB(Str, PrintOptions, PageFooter),
      Set(
          "PrintOptions.Flags", kPrintFlags, [](const V& v) { return v.PrintOptions().Flags(); },
          [](V& v, uint32_t f) { v.PrintOptions().SetFlags(f); }),
  };
}

std::vector<THVProperty> LaterSettings() {
  return {
      HV_PROP(Int, BytesPerUnit),
      HV_PROP(Int, RulerBytesPerUnit),
      HV_PROP(Bool, ShowPositionIfNotFocused),
      HV_PROP(Bool, UnicodeChars),
      HV_PROP(Bool, UnicodeBigEndian),
      HV_PROP(Int, BytesPerBlock),
      HV_PROP(Bool, SeparateBlocksInCharField),
      HV_PROP(Bool, FindProgress),
  };
}

std::vector<THVProperty> BuildTable() {
  std::vector<THVProperty> t = ViewSettings();
  const auto append = [&t](const std::vector<THVProperty>& more) {
    t.insert(t.end(), more.begin(), more.end());
  };
  append(ColorSettings());
  AddFont(t, "PrintFont", [](V& v) -> TFont& { return v.PrintFont(); });
  append(PrintOptionSettings());
  AddFont(t, "Font", [](V& v) -> TFont& { return v.Font(); });
  append(LaterSettings());
  return t;
}

// Every name the settings text may carry, whether or not this build of the
// view has the setting yet (those without an entry are skipped).
constexpr const char* kPublicNames[] = {"ShowRuler",
                                        "DrawGutter3D",
                                        "CreateBackup",
                                        "BackupExtension",
                                        "OleDragDrop",
                                        "ClipboardAsHexText",
                                        "FlushClipboardAtShutDown",
                                        "SupportsOtherClipFormats",
                                        "UseEditorFontForPrinting",
                                        "ZoomOnWheel",
                                        "BytesPerRow",
                                        "BytesPerColumn",
                                        "Translation",
                                        "OffsetFormat",
                                        "CaretKind",
                                        "FocusFrame",
                                        "SwapNibbles",
                                        "MaskChar",
                                        "NoSizeChange",
                                        "AllowInsertMode",
                                        "DrawGridLines",
                                        "ReadOnlyView",
                                        "HideSelection",
                                        "GraySelectionIfNotFocused",
                                        "GutterWidth",
                                        "MaxUndo",
                                        "InsertMode",
                                        "HexLowerCase",
                                        "Colors.Background",
                                        "Colors.ChangedBackground",
                                        "Colors.ChangedText",
                                        "Colors.CursorFrame",
                                        "Colors.NonFocusCursorFrame",
                                        "Colors.Offset",
                                        "Colors.OddColumn",
                                        "Colors.EvenColumn",
                                        "Colors.CurrentOffsetBackground",
                                        "Colors.OffsetBackGround",
                                        "Colors.CurrentOffset",
                                        "Colors.Grid",
                                        "PrintFont.Charset",
                                        "PrintFont.Color",
                                        "PrintFont.Name",
                                        "PrintFont.Size",
                                        "PrintFont.Style",
                                        "PrintOptions.MarginLeft",
                                        "PrintOptions.MarginTop",
                                        "PrintOptions.MarginRight",
                                        "PrintOptions.MarginBottom",
                                        "PrintOptions.PageHeader",
                                        "PrintOptions.PageFooter",
                                        "PrintOptions.Flags",
                                        "Font.Charset",
                                        "Font.Color",
                                        "Font.Name",
                                        "Font.Size",
                                        "Font.Style",
                                        "BytesPerUnit",
                                        "RulerBytesPerUnit",
                                        "ShowPositionIfNotFocused",
                                        "UnicodeChars",
                                        "UnicodeBigEndian",
                                        "BytesPerBlock",
                                        "SeparateBlocksInCharField",
                                        "FindProgress"};

}  // namespace

const std::vector<THVProperty>& HVPropertyTable() {
  static const std::vector<THVProperty> table = BuildTable();
  return table;
}

const THVProperty* HVFindProperty(const std::string& name) {
  for (const THVProperty& p : HVPropertyTable())
    if (Same(name, p.Name.c_str())) return &p;
  return nullptr;
}

bool HVIsPublicName(const std::string& name) {
  return std::any_of(std::begin(kPublicNames), std::end(kPublicNames),
                     [&](const char* n) { return Same(name, n); });
}
