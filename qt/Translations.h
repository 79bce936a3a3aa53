#pragma once

namespace qtfront {

// Makes Qt's own texts (the buttons of message boxes, the file, colour and print dialogs) speak
// Russian like the rest of the program, whatever the machine's language. The station's own
// texts are Russian already and are not translated. Returns false when Qt's Russian catalogue
// is not installed; the dialogs then stay in Qt's English. Call once, after the application
// object exists.
bool LoadQtTranslations();

}  // namespace qtfront
