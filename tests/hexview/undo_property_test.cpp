// Random sequences of edits of every kind on random buffers, then undo until
// nothing is left: data, change marks and bookmarks are as at the start
// (insert mode is as the first recorded edit found it); after a single-entry edit, undo followed by
// redo gives the state the edit left. ZN_UNDO_PROPERTY_STEPS raises the number of steps (10 000 by
// default), ZN_UNDO_PROPERTY_SEED picks the seed; a failure prints both.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "hexdata_test_util.h"
#include "hexview/thexviewexdata.h"

namespace {

struct Snapshot {
  std::vector<Byte> data;
  std::vector<Integer> marks;  // positions of the set change marks
  THVBookmarks bookmarks;
  bool insertMode = false;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const THexViewData& d) {
  Snapshot s;
  s.data = Contents(d);
  for (Integer i = 0; i < d.ChangeMarks().Length(); ++i)
    if (d.ChangeMarks().Get(i)) s.marks.push_back(i);
  s.bookmarks = d.Bookmarks();
  s.insertMode = d.InsertMode();
  return s;
}

std::string Describe(const Snapshot& s) {
  std::ostringstream o;
  o << "size " << s.data.size() << " bytes:";
  for (size_t i = 0; i < s.data.size() && i < 48; ++i) o << ' ' << int(s.data[i]);
  o << " | marks:";
  for (Integer m : s.marks) o << ' ' << m;
  o << " | bookmarks:";
  for (const auto& b : s.bookmarks) o << ' ' << b.Position << (b.InCharField ? "c" : "");
  o << " | insert " << s.insertMode;
  return o.str();
}

uint64_t EnvNumber(const char* name, uint64_t fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

class Runner {
 public:
  explicit Runner(uint64_t seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  std::vector<Byte> Bytes(int n) {
    std::vector<Byte> b(static_cast<size_t>(n));
    for (Byte& x : b) x = static_cast<Byte>(Int(0, 255));
    return b;
  }

  void Start(THexViewExData& d) {
    d.CreateEmptyFile("");
    d.SetInsertMode(false);
    const std::vector<Byte> bytes = Bytes(Int(0, 40));
    Fill(d, bytes);
    THVBookmarks b;
    for (auto& m : b)
      if (Chance(40)) m = THVBookmark{Int(0, d.DataSize()), Chance(50)};
    d.SetAllBookmarks(b);
    if (d.DataSize() > 0) d.MoveCaret(Int(0, d.DataSize() - 1), Chance(30));
  }

  void RandomSelection(THexViewData& d) {
    if (d.DataSize() == 0) return;
    const Integer a = Int(0, d.DataSize() - 1), b = Int(0, d.DataSize() - 1);
    d.MoveCaret(a, Chance(30));
    d.NewSelection(a, b);
  }

  // One recorded edit (or a caret or mode change); returns its name.
  std::string Edit(THexViewExData& d) {
    const Integer size = d.DataSize();
    const int kind = Int(0, 15);
    switch (kind) {
      case 0:
      case 1: {  // overwrite, as typing does
        if (size == 0) break;
        const Integer p = Int(0, size - 1);
        d.MoveCaret(p, false, Chance(50));
        d.IntChangeByte(d.GetDataAt(p), static_cast<Byte>(Int(0, 255)), p, "");
        return "overwrite";
      }
      case 2: {
        const std::vector<Byte> b = Bytes(Int(1, 6));
        d.InsertBuffer(b.data(), static_cast<Integer>(b.size()), Int(0, size), "", Chance(50));
        return "insert";
      }
      case 3:
        if (Chance(50))
          RandomSelection(d);
        else if (size > 0)
          d.MoveCaret(Int(0, size - 1), false);
        d.DeleteSelection("");
        return "delete";
      case 4: {
        RandomSelection(d);
        const std::vector<Byte> b = Bytes(Int(1, 6));
        d.ReplaceSelection(b.data(), static_cast<Integer>(b.size()), Chance(50) ? "Typed" : "",
                           Chance(50));
        return "replace";
      }
      case 5: {
        const std::vector<Byte> b = Bytes(Int(1, 5));
        d.AppendBuffer(b.data(), static_cast<Integer>(b.size()), "", Chance(50));
        return "append";
      }
      case 6:
        d.InsertNibble(size ? Int(0, size - 1) : 0, Chance(50), "");
        return "nibble insert";
      case 7:
        if (size) d.DeleteNibble(Int(0, size - 1), Chance(50), "");
        return "nibble delete";
      case 8: {
        if (size == 0) break;
        const Integer a = Int(0, size - 1), b = Int(a, size - 1);
        d.ConvertRange(a, b, static_cast<THVTranslationKind>(Int(0, 5)),
                       static_cast<THVTranslationKind>(Int(0, 5)), "");
        return "convert";
      }
      case 9:  // caret and selection moves recorded for undo
        if (size == 0) break;
        RandomSelection(d);
        d.AddSelectionUndo(Int(0, size - 1), 1);
        return "selection";
      case 10:
        if (!d.IsFileSizeFixed()) d.InternalErase(Chance(50));
        return "erase";
      case 11:  // not recorded: restored by the undo of a later entry
        d.SetInsertMode(!d.InsertMode());
        if (d.GetInsertMode() && Chance(50)) d.MoveCaret(d.DataSize(), false);
        return "insert mode";
      case 12:
        d.SetBytesPerUnit(std::vector<Integer>{1, 2, 4}[Int(0, 2)]);
        return "bytes per unit";
      case 13:
        d.SetDataSize(std::max(0, size + Int(-4, 6)));
        return "size";
      default:
        break;
    }
    return "";
  }

 private:
  std::mt19937_64 rng_;
};

}  // namespace

TEST(UndoProperty, RandomEditsUndoToTheStartAndRedoOneStep) {
  const uint64_t seed = EnvNumber("ZN_UNDO_PROPERTY_SEED", std::random_device{}());
  const uint64_t steps = EnvNumber("ZN_UNDO_PROPERTY_STEPS", 10000);
  SCOPED_TRACE("seed " + std::to_string(seed) + " (ZN_UNDO_PROPERTY_SEED=" + std::to_string(seed) +
               " repeats this run)");
  Runner r(seed);
  THexViewExData d;
  uint64_t done = 0;
  for (int round = 0; done < steps; ++round) {
    r.Start(d);
    const Snapshot start = Take(d);
    std::string history;
    const int length = r.Int(1, 40);
    for (int i = 0; i < length; ++i, ++done) {
      const int chooser = r.Int(0, 9);
      if (chooser == 0) {  // a group of edits made one step by a snapshot
        d.UndoBeginUpdate("Group");
        for (int k = r.Int(1, 3); k > 0; --k) history += r.Edit(d) + "(grouped) ";
        d.UndoEndUpdate();
        continue;
      }
      if (chooser == 1) {  // several entries combined into one step
        const Integer before = d.UndoStorage().Count();
        for (int k = r.Int(1, 3); k > 0; --k) history += r.Edit(d) + "(combined) ";
        const Integer made = d.UndoStorage().Count() - before;
        if (made > 0) d.CombineUndo(made, "Combined");
        continue;
      }
      const Integer before = d.UndoStorage().Count();
      const std::string name = r.Edit(d);
      history += name + " ";
      if (d.UndoStorage().Count() == before + 1 && r.Chance(30)) {
        const Snapshot after = Take(d);
        d.Undo();
        ASSERT_TRUE(d.Redo()) << "round " << round << ": " << history;
        ASSERT_EQ(Describe(Take(d)), Describe(after))
            << "round " << round << ": undo and redo of " << name << " after " << history;
        ASSERT_FALSE(d.Redo());
      }
    }
    int guard = 0;
    while (d.GetCanUndo() && ++guard < 1000) d.Undo();
    ASSERT_FALSE(d.GetCanUndo());
    Snapshot end = Take(d);
    end.insertMode = start.insertMode;  // switching the mode is no undo step
    ASSERT_EQ(Describe(end), Describe(start)) << "round " << round << ": " << history;
    EXPECT_FALSE(d.ModifiedFlag()) << "round " << round << ": " << history;
  }
}
