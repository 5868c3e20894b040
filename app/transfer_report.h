// One English line on why a Read or a Write of the window did not succeed,
// for --verbose; the window itself stays silent.
#pragma once

#include <string>

#include "link/transfer_result.h"
#include "model/config_controller.h"

// "Read failed: " and the step that failed.
std::string ReadFailureLine(TransferResult result);

// The step of a Write that failed (the write, the read-back, the compare),
// "" for a write that went through and read back as written.
std::string WriteFailureLine(const WriteReport& report);
