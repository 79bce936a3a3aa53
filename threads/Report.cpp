#include "threads/Report.h"

TQReport* QReport = nullptr;

TQReport::TQReport() { SetCaption("QReport"); }

TQReport::~TQReport() = default;
