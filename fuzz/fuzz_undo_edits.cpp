// Random edit sequences on the hex view's data side. After every step the
// undo storage must be a sound chain of entries (walked from the newest
// back to offset 0, as many as it counts), a refused edit must leave the
// data as it was, and taking the entries back newest first, each by what
// its kind saved, must lead exactly to the bytes the sequence started from,
// and so must the editor's own undo steps.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "hexview/ehexview.h"
#include "hexview/thexviewexdata.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

std::vector<Byte> DataOf(const THexViewData& d) {
  return std::vector<Byte>(d.GetFastPointer(), d.GetFastPointer() + d.DataSize());
}

uint32_t TrailingSize(const std::vector<Byte>& s, size_t end) {
  return s[end - 4] | s[end - 3] << 8 | s[end - 2] << 16 | static_cast<uint32_t>(s[end - 1]) << 24;
}

// The entries from the newest to the oldest; aborts on a broken chain.
std::vector<THVUndoEntry> Entries(const THVUndoStorage& undo) {
  std::vector<THVUndoEntry> out;
  const std::vector<Byte>& s = undo.Bytes();
  size_t end = s.size();
  while (end > 0) {
    Require(end >= static_cast<size_t>(kHVUndoMinEntrySize));
    const uint32_t size = TrailingSize(s, end);
    Require(size <= end);
    THVUndoEntry e;
    Require(undo.ReadAt(static_cast<Int64>(end - size), e));
    Require(static_cast<uint32_t>(e.EntrySize) == size);
    out.push_back(e);
    end -= size;
  }
  Require(static_cast<Integer>(out.size()) == undo.Count());
  return out;
}

void RequireRange(const THexViewData& s, Integer pos, Integer count) {
  Require(pos >= 0 && count >= 0 && pos + count <= s.DataSize());
}

// Takes one entry back on `s` by its data alone.
void TakeBack(THexViewData& s, const THVUndoEntry& e) {
  switch (e.Kind()) {
    case ufKindBytesChanged:
    case ufKindConvert:
      RequireRange(s, e.Pos, e.Count);
      Require(static_cast<Integer>(e.Data.size()) >= e.Count);
      if (e.Count > 0) s.WriteBuffer(e.Data.data(), e.Pos, e.Count);
      break;
    case ufKindByteRemoved:
      RequireRange(s, e.Pos, 0);
      Require(static_cast<Integer>(e.Data.size()) == e.Count);
      s.InternalInsertBuffer(e.Data.data(), e.Count, e.Pos);
      break;
    case ufKindInsertBuffer:
      RequireRange(s, e.Pos, e.Count);
      s.InternalDelete(e.Pos, e.Pos + e.Count, -1);
      break;
    case ufKindReplace:
      RequireRange(s, e.Pos, e.Count);
      s.InternalDelete(e.Pos, e.Pos + e.Count, -1);
      Require(static_cast<Integer>(e.Data.size()) >= e.ReplaceCount);
      if (e.ReplaceCount > 0) s.InternalInsertBuffer(e.Data.data(), e.ReplaceCount, e.Pos);
      break;
    case ufKindAppendBuffer:
      RequireRange(s, e.Pos, 0);
      s.InternalDelete(e.Pos, s.DataSize(), -1);
      break;
    case ufKindNibbleInsert:
    case ufKindNibbleDelete:
      RequireRange(s, e.Pos, 1);
      if (e.Kind() == ufKindNibbleInsert)
        s.InternalDeleteNibble(e.Pos, false);
      else
        s.InternalInsertNibble(e.Pos, false);
      s.SetDataAt(e.Pos, e.Data.at(0));
      s.InternalDelete(s.DataSize() - 1, s.DataSize(), -1);
      break;
    case ufKindAllData:
      Require(static_cast<Integer>(e.Data.size()) >= e.Count);
      s.InternalDelete(0, s.DataSize(), -1);
      s.InternalInsertBuffer(e.Data.data(), e.Count, 0);
      break;
    default:  // selection and combined entries change no data
      break;
  }
}

Integer PosIn(FuzzedDataProvider& in, const THexViewData& d) {
  return in.ConsumeIntegralInRange<Integer>(-1, d.DataSize() + 1);
}

void Edit(FuzzedDataProvider& in, THexViewExData& d, int& depth) {
  const std::vector<Byte> bytes = in.ConsumeBytes<Byte>(in.ConsumeIntegralInRange<size_t>(0, 40));
  const auto count = static_cast<Integer>(bytes.size());
  const Byte* p = bytes.empty() ? nullptr : bytes.data();
  const std::string text = in.ConsumeBool() ? "" : "edit";
  switch (in.ConsumeIntegralInRange<int>(0, 17)) {
    case 0:
      d.InsertBuffer(p, count, PosIn(in, d), text, in.ConsumeBool());
      break;
    case 1:
      d.AppendBuffer(p, count, text, in.ConsumeBool());
      break;
    case 2:
      d.ReplaceSelection(p, count, text, in.ConsumeBool());
      break;
    case 3:
      d.DeleteSelection(text);
      break;
    case 4:
      d.InsertNibble(PosIn(in, d), in.ConsumeBool(), text);
      break;
    case 5:
      d.DeleteNibble(PosIn(in, d), in.ConsumeBool(), text);
      break;
    case 6: {
      const Integer from = PosIn(in, d);
      d.ConvertRange(from, PosIn(in, d),
                     static_cast<THVTranslationKind>(in.ConsumeIntegralInRange(0, 4)),
                     static_cast<THVTranslationKind>(in.ConsumeIntegralInRange(0, 4)), text);
      break;
    }
    case 7: {
      const Integer pos = PosIn(in, d);
      const Byte old = pos >= 0 && pos < d.DataSize() ? d.GetDataAt(pos) : 0;
      d.IntChangeByte(old, in.ConsumeIntegral<Byte>(), pos, text);
      break;
    }
    case 8:
      d.SetDataSize(in.ConsumeIntegralInRange<Integer>(0, d.DataSize() + 40));
      break;
    case 9:
      d.Replace(p, PosIn(in, d), in.ConsumeIntegralInRange<Integer>(0, 50), count, text,
                in.ConsumeBool());
      break;
    case 10:
      d.NewSelection(PosIn(in, d), PosIn(in, d));
      break;
    case 11:
      d.ResetSelection(false);
      break;
    case 12:
      d.SetInsertMode(in.ConsumeBool());
      break;
    case 13:
      d.CombineUndo(in.ConsumeIntegralInRange<Integer>(1, 3), text);
      break;
    case 14:
      d.AddSelectionUndo(PosIn(in, d), in.ConsumeIntegralInRange<Integer>(1, 8));
      break;
    case 15:
      if (depth < 3) {
        // A described group is one undoable step (a snapshot); a plain
        // group records nothing at all, so nothing could lead back.
        d.UndoBeginUpdate("group");
        ++depth;
      }
      break;
    case 16:
      if (depth > 0) {
        d.UndoEndUpdate();
        --depth;
      }
      break;
    case 17:
      d.SetNoSizeChange(in.ConsumeBool());
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  THexViewExData d;
  const std::vector<Byte> start = in.ConsumeBytes<Byte>(in.ConsumeIntegralInRange<size_t>(0, 64));
  if (!start.empty()) d.InternalAppendBuffer(start.data(), static_cast<Integer>(start.size()));
  int depth = 0;
  for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
    const std::vector<Byte> before = DataOf(d);
    try {
      Edit(in, d, depth);
    } catch (const EHexView&) {
      Require(DataOf(d) == before);  // a refusal comes before any change
    }
    Entries(d.UndoStorage());
  }
  while (depth-- > 0) d.UndoEndUpdate();

  THexViewData back;
  const std::vector<Byte> end = DataOf(d);
  if (!end.empty()) back.InternalAppendBuffer(end.data(), static_cast<Integer>(end.size()));
  for (const THVUndoEntry& e : Entries(d.UndoStorage())) TakeBack(back, e);
  Require(DataOf(back) == start);

  // The editor's own undo, step by step, leads back to the same start; the
  // step just undone can be redone once and undone again.
  d.SetNoSizeChange(false);
  if (d.GetCanUndo()) {
    const std::vector<Byte> now = DataOf(d);
    d.Undo();
    if (d.Redo()) {
      Require(DataOf(d) == now);
      d.Undo();
    }
  }
  for (int guard = 0; d.GetCanUndo(); ++guard) {
    Require(guard < 10000);
    d.Undo();
  }
  Require(DataOf(d) == start);
  return 0;
}
