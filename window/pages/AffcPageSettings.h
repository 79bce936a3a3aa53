#pragma once
// The sweep settings typed on the frequency-response page: checked when the operator starts a
// sweep, so that a value no sweep can run with is refused before anything starts, and read again
// by the sweep worker at its set-up.
#include <string>

#include "analysis/SweepSignal.h"

struct AffcPage;

namespace affc_page {

// The page's seven edits as sweep settings. The empty text when every value is one a sweep
// accepts; otherwise the refusal, naming the first field that is not and what it accepts, and
// `out` partly filled.
std::string ReadSweepSettings(const AffcPage& page, sweep::SweepSettings& out);

} // namespace affc_page
