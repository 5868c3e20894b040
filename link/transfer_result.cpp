#include "link/transfer_result.h"

const char* TransferResultText(TransferResult result) {
  switch (result) {
    case trOk:
      return "done";
    case trRefused:
      return "the memory space or the length was refused";
    case trCommandNotSent:
      return "the command could not be sent";
    case trReplyMissing:
      return "the chip did not answer the command";
    case trReplyCountWrong:
      return "the chip answered the command with another length";
    case trChunkNotSent:
      return "a data chunk could not be sent";
    case trChunkShort:
      return "a data chunk did not come in full";
    case trAckNotSent:
      return "a data chunk could not be acknowledged";
    case trAckMissing:
      return "a data chunk was not acknowledged";
    case trAckWrong:
      return "a data chunk was acknowledged with a wrong count";
    case trMisframed:
      return "the device sent more bytes than asked for; the transfer is not trusted";
  }
  return "";
}
