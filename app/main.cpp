// The program: the station on the Qt front end.
#include <QApplication>

#include <cstdio>

#include "qt/DisplayCheck.h"
#include "qt/QtFrontEnd.h"
#include "qt/Translations.h"
#include "settings/Options.h"
#include "window/Form.h"
#include "window/ProgramMain.h"

int main(int argc, char** argv) {
  if (const auto message = qtfront::MissingDisplayMessage()) {
    std::fprintf(stderr, "%s\n", message->c_str());
    return 1;
  }
  qtfront::InstallFatalMessageHandler();
  QApplication application(argc, argv);
  qtfront::FinishStartup();
  qtfront::LoadQtTranslations();
  qtfront::QtFrontEnd frontEnd;
  return ProgramMain(frontEnd, [&frontEnd] {
    frontEnd.BindForm(*Forma, true);
    // The options form stays hidden until its button shows it.
    frontEnd.BindForm(*Option, false);
    frontEnd.RunMessageLoop();
  });
}
