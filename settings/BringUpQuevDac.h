#pragma once
// The Quev bring-up's last step: a block of zeros through the DAC proves that it plays.

#include <string>

#include "modules/QuevModule.h"

// Programs the DAC, writes one block of zero words and waits for it. True when the DAC played
// it (the log line then carries the DAC); otherwise the failure is reported and the module
// released.
bool RunDacZeroOutputTest(IQuevModule& module, std::string& line);
