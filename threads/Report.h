#pragma once
// The printable report of the frequency-response sweep.
#include "ui/Controls.h"

class TQReport : public ui::Form {
public:
    TQReport();
    ~TQReport() override;
};

extern TQReport* QReport;
