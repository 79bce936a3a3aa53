#pragma once
// The sweep the frequency-response page asks for, read and planned when the operator starts a
// sweep, so that a sweep that cannot run is refused before anything starts; the worker runs the
// sweep so planned.
#include <string>

#include "analysis/SweepSignal.h"

struct AffcPage;

namespace affc_page {

// The page's seven edits as sweep settings. The empty text when every value is one a sweep
// accepts; otherwise the refusal, naming the first field that is not and what it accepts, and
// `out` partly filled.
std::string ReadSweepSettings(const AffcPage& page, sweep::SweepSettings& out);

// The page's settings, the rates of its rate bars, its channels and range, and the geometry they
// plan. The empty text when the sweep can run; otherwise the refusal: the page's first value no
// sweep accepts, or rates whose blocks cannot keep the converters in step or whose record is too
// long.
std::string PlanPageSweep(const AffcPage& page, sweep::SweepOrder& out);

} // namespace affc_page
