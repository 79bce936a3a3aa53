#include "window/ProgramMain.h"

#include "settings/Options.h"
#include "threads/Report.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "state/State.h"

void CreateForms() {
    ui::Application.SetHelpFile(kHelpFilePath);
    Forma = new TForma();
    QReport = new TQReport();
    Option = new TOption();
}

void DestroyForms() {
    // Every worker, not only those whose running flag is set: one that is stopping, or a
    // compute-only or report-only run, must not find the modules released or the forms gone.
    ThreadControl.ShuttingDown = 1;
    StopAndReapAllWorkers();

    delete Option;
    Option = nullptr;
    delete QReport;
    QReport = nullptr;
    delete Forma;
    Forma = nullptr;

    ResetSharedState();
}

int ProgramMain(ui::FrontEnd& frontEnd, const std::function<void()>& runMessageLoop) {
    ui::Application.SetFrontEnd(&frontEnd);
    ui::Application.SetGuiThread();
    ui::Application.ResetTerminated();
    CreateForms();
    Forma->Show();
    if (runMessageLoop) runMessageLoop();
    DestroyForms();
    ui::Application.SetFrontEnd(nullptr);
    return 0;
}
