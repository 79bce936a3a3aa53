#include "qt/FileDialogBox.h"

#include <QFileInfo>
#include <QMessageBox>

#include "qt/Convert.h"
#include "qt/FileFilter.h"

namespace qtfront {

FileDialogBox::FileDialogBox(QWidget* parent, const ui::FileDialog& dialog)
    : QFileDialog(parent, ToQString(dialog.Title)),
      save_(dialog.DialogMode() == ui::FileDialog::Mode::Save),
      defaultSuffix_(ToDefaultSuffix(dialog.DefaultExt)) {
  // Qt's own dialog: the same on every desktop, and it never leaves the program's event loop.
  setOption(DontUseNativeDialog);
  setOption(HideNameFilterDetails);
  // Qt would ask about the name as typed, which is not always the file written.
  setOption(DontConfirmOverwrite);
  setAcceptMode(save_ ? AcceptSave : AcceptOpen);
  // A typed name is taken whether or not the file exists, as the platform's dialogs do by
  // default: opening a missing file then fails with the runtime's "File not found".
  setFileMode(AnyFile);
  setNameFilters(ToQtNameFilters(dialog.Filter));
  filters_ = nameFilters();
  if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters_.size())
    selectNameFilter(filters_[dialog.FilterIndex - 1]);
  FollowChosenType();
  connect(this, &QFileDialog::filterSelected, this, [this] { FollowChosenType(); });
  if (!dialog.FileName.empty()) selectFile(ToQString(dialog.FileName));
}

int FileDialogBox::ChosenFilter() const { return NameFilterIndex(filters_, selectedNameFilter()); }

QString FileDialogBox::ChosenPath() const {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return {};
  return save_ ? WithListedExtension(files.front(), filters_, ChosenFilter()) : files.front();
}

void FileDialogBox::done(int result) {
  if (result == Accepted && save_ && !ReplaceConfirmed(ChosenPath())) return;
  QFileDialog::done(result);
}

void FileDialogBox::FollowChosenType() {
  const int chosen = ChosenFilter();
  const QString extension = chosen >= 0 ? FilterExtension(filters_[chosen]) : QString();
  setDefaultSuffix(extension.isEmpty() ? defaultSuffix_ : extension);
}

bool FileDialogBox::ReplaceConfirmed(const QString& path) {
  const QFileInfo file(path);
  if (!file.exists()) return true;
  // The question, title and buttons Qt's dialog asks with.
  return QMessageBox::warning(this, windowTitle(),
                              QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                  .arg(file.fileName()),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace qtfront
