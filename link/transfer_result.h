// How one memory-access exchange ended: the step that failed, or trOk.
#pragma once

enum TransferResult {
  trOk,
  trRefused,          // memory space or length out of range; nothing was sent
  trCommandNotSent,   // the command could not be written
  trReplyMissing,     // the command reply did not come in full
  trReplyCountWrong,  // the reply carried another count than the length asked for
  trChunkNotSent,     // write: a data chunk could not be written
  trChunkShort,       // read: a data chunk did not come in full
  trAckNotSent,       // read: an acknowledgement could not be written
  trAckMissing,       // write: an acknowledgement did not come in full
  trAckWrong,         // write: an acknowledgement carried a wrong count
  trMisframed,        // the device sent bytes beyond the answer it was asked for
};

// What the result means to a technician, in English ("the command could
// not be sent"); "done" for trOk.
const char* TransferResultText(TransferResult result);
