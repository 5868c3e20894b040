// Helpers of the shared vocabulary.
#include "hexview/hvtypes.h"

THVUndoFlag UndoKindOf(THVUndoFlags set) {
  for (int k = 0; k < kHVUndoKindCount; ++k)
    if (set & (THVUndoFlags{1} << k)) return static_cast<THVUndoFlag>(k);
  return ufKindBytesChanged;
}
