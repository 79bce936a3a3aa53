#include "settings/SystemStatus.h"

#include "platform/SystemInfo.h"
#include "state/State.h"
#include "window/Form.h"
#include "window/Redraw.h"

void ShowSystemInfo() {
    FilesAndDirectories.StartDirectory = platform::GetCurrentDirectory();
    Forma->StatusBar->SetPanelText(0, "Версия ОС :  " + platform::OsVersionText());
    ShowFreeMemory();
}

void ShowFreeMemory() {
    Forma->StatusBar->SetPanelText(
        1, "Свободно ОЗУ :  " + redraw::GroupedDigits(platform::FreePhysicalMemory()) + "байт");
    Forma->StatusBar->SetPanelText(
        2, "Свободно ПЗУ ( C:/ ) :  " + redraw::GroupedDigits(platform::FreeDiskBytes()) + "байт");
}
