#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/Dialogs.h"

namespace qtfront {

// Qt's own file dialog showing one of the station's open and save dialogs: its filters, the
// chosen one selected, and a name typed without an extension given the chosen type's one. Before
// a save replaces a file the operator is asked, once, in Qt's own words, about the file actually
// written; "no" returns to the dialog.
class FileDialogBox : public QFileDialog {
 public:
  FileDialogBox(QWidget* parent, const ui::FileDialog& dialog);

  // Which filter is chosen, from 0; -1 when none matches.
  int ChosenFilter() const;
  // The file confirmed; a save's with an extension the filters list (see WithListedExtension).
  QString ChosenPath() const;

 protected:
  void done(int result) override;

 private:
  void FollowChosenType();
  bool ReplaceConfirmed(const QString& path);

  bool save_;
  QStringList filters_;  // as the dialog keeps them
  QString defaultSuffix_;
};

}  // namespace qtfront
