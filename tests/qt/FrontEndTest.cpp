#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "qt/EditBinders.h"
#include "qt/FileFilter.h"
#include "qt/QtFrontEnd.h"
#include "ui/Application.h"
#include "ui/Chart.h"
#include "ui/Containers.h"
#include "ui/Dialogs.h"
#include "ui/MessageFlags.h"

namespace {

// Acts on the modal window once its loop runs, as the operator would.
void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    act(modal);
  });
}

TEST(QtMessageBox, CaptionTextIconAndButtonsComeFromTheFlags) {
  qtfront::QtFrontEnd frontEnd;
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(frontEnd.MessageBox("Модуль АЦП не обнаружен!", "ОШИБКА!!!", ui::MB_OK | ui::MB_ICONINFORMATION),
            ui::IDOK);
  EXPECT_EQ(caption, "ОШИБКА!!!");
  EXPECT_EQ(text, "Модуль АЦП не обнаружен!");
  EXPECT_EQ(icon, QMessageBox::Information);

  WhenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    icon = box->icon();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(frontEnd.MessageBox("?", "Quev", ui::MB_YESNO), ui::IDNO);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST(QtFileDialog, FilterIndexIsOneBasedAndRememberedPerDialog) {
  QTemporaryDir folder;
  const QString path = folder.filePath("data.dat");
  QFile(path).open(QIODevice::WriteOnly);
  qtfront::QtFrontEnd frontEnd;
  ui::Application.SetFrontEnd(&frontEnd);
  ui::OpenDialog open;
  open.Filter = "Численный формат  ( *.asc )|*.asc|Бинарный формат  ( *.dat )|*.dat";
  open.DefaultExt = "*.asc";
  open.FilterIndex = 1;
  QString shownFilter;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    shownFilter = dialog->selectedNameFilter();
    dialog->setDirectory(folder.path());
    dialog->selectNameFilter(dialog->nameFilters()[1]);
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  const QString current = QDir::currentPath();
  ASSERT_TRUE(open.Execute());
  QDir::setCurrent(current);
  EXPECT_TRUE(shownFilter.startsWith("Численный формат"));
  EXPECT_EQ(open.FilterIndex, 2);
  EXPECT_EQ(QString::fromStdString(open.FileName), path);

  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    shownFilter = dialog->selectedNameFilter();
    dialog->reject();
  });
  EXPECT_FALSE(open.Execute());
  EXPECT_TRUE(shownFilter.startsWith("Бинарный формат"));
  EXPECT_EQ(open.FilterIndex, 2);
  ui::Application.SetFrontEnd(nullptr);
}

TEST(QtFileDialog, OpenTakesATypedNameOfAFileThatDoesNotExist) {
  QTemporaryDir folder;
  const QString missing = folder.filePath("missing.asc");
  qtfront::QtFrontEnd frontEnd;
  ui::OpenDialog open;
  open.Filter = "Численный формат  ( *.asc )|*.asc";
  // A dialog that refused the name would stay open behind its own warning: close everything.
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, [] {
    while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  failsafe.start(3000);
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setDirectory(folder.path());
    dialog->selectFile(missing);
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_TRUE(frontEnd.ExecuteFileDialog(open));
  EXPECT_EQ(QString::fromStdString(open.FileName), missing);
}

TEST(QtFileDialog, SavedNameGetsTheChosenTypesExtensionUnlessTypedWithOneTheOpenFiltersFind) {
  const std::string filter =
      "Численный формат  ( *.asc )|*.asc|Бинарный формат  ( *.dat )|*.dat|"
      "Амплитуды и Фазы  ( *.af )|*.af|Конфигурация  ( *.cfg )|*.cfg";
  // The open dialog carries the same filter.
  QStringList openPatterns;
  const QStringList parts = QString::fromStdString(filter).split('|');
  for (qsizetype i = 1; i < parts.size(); i += 2) openPatterns << parts[i].split(';');
  struct Row {
    int entry;
    const char* typed;
    const char* written;
    const char* existing = nullptr;  // a recording already in the folder
  };
  for (const Row& row : {Row{2, "met1", "met1.dat"}, Row{3, "met1", "met1.af"},
                         Row{1, "met1", "met1.asc"}, Row{2, "met1.dat", "met1.dat"},
                         Row{3, "met1.asc", "met1.asc"}, Row{2, "met1.v2", "met1.v2.dat"},
                         Row{2, "met1.v2", "met1.v2.dat", "met1.v2.dat"},
                         Row{2, "met1", "met1.dat", "met1.dat"},
                         Row{2, "met1.v2", "met1.v2.dat", "met1.v2"}}) {
    SCOPED_TRACE(std::string(row.typed) + " as entry " + std::to_string(row.entry) +
                 (row.existing ? std::string(" over ") + row.existing : std::string()));
    QTemporaryDir folder;
    if (row.existing) ASSERT_TRUE(QFile(folder.filePath(row.existing)).open(QIODevice::WriteOnly));
    // The operator is asked before the file written is replaced, once each time: "no" first,
    // then "yes".
    const bool replaces = row.existing && std::string(row.existing) == row.written;
    QStringList questions;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        questions << box->text();
        box->button(answer)->click();
      }
    });
    answering.start(20);
    qtfront::QtFrontEnd frontEnd;
    ui::SaveDialog save;
    save.Filter = filter;
    save.DefaultExt = "*.asc";
    save.FilterIndex = 1;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(folder.path());
      auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_TRUE(types != nullptr && name != nullptr);
      for (int down = 1; down < row.entry; ++down) QTest::keyClick(types, Qt::Key_Down);
      QTest::keyClicks(name, row.typed);
      if (replaces) {
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << "\"no\" leaves the operator in the dialog";
        answer = QMessageBox::Yes;
      }
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    const QString current = QDir::currentPath();
    const bool chosen = frontEnd.ExecuteFileDialog(save);
    QDir::setCurrent(current);
    const QString question =
        QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(row.written);
    EXPECT_EQ(questions.join('|').toStdString(),
              (replaces ? QStringList{question, question} : QStringList{}).join('|').toStdString());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(save.FilterIndex, row.entry);
    EXPECT_EQ(save.FileName, folder.filePath(row.written).toStdString());
    EXPECT_TRUE(QDir::match(openPatterns, QFileInfo(QString::fromStdString(save.FileName)).fileName()))
        << "no entry of the open dialog lists it";
  }
}

TEST(QtReportPreview, ShownThroughTheFrontEndInterfaceAsAModalPreview) {
  qtfront::QtFrontEnd qtFrontEnd;
  ui::FrontEnd& frontEnd = qtFrontEnd;
  ui::Form report;
  report.SetCaption("QReport");
  report.Add<ui::Chart>("QRDBChartAFC", 0, 0, 300, 200)->AddSeries()->AddXY(1, 1);
  QString title;
  WhenModal([&](QWidget* modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
    ASSERT_NE(preview, nullptr);
    title = preview->windowTitle();
    preview->reject();
  });
  frontEnd.PreviewReport(report);
  EXPECT_EQ(title, "QReport");
}

TEST(QtColorDialog, ConfirmedColourIsStoredAsBgrAndCancelChangesNothing) {
  qtfront::QtFrontEnd frontEnd;
  ui::ColorDialog dialog;
  dialog.Color = ui::clBlack;
  WhenModal([](QWidget* modal) {
    auto* colours = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(colours, nullptr);
    colours->setCurrentColor(QColor(0, 255, 0));
    colours->accept();
  });
  ASSERT_TRUE(frontEnd.ExecuteColorDialog(dialog));
  EXPECT_EQ(dialog.Color, ui::clLime);

  dialog.Color = ui::clRed;
  WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(frontEnd.ExecuteColorDialog(dialog));
  EXPECT_EQ(dialog.Color, ui::clRed);
}

TEST(FileFilter, PlatformFilterBecomesQtFiltersInOrder) {
  const QStringList filters = qtfront::ToQtNameFilters(
      "Численный формат  ( *.asc )|*.asc|Амплитуды и Фазы  ( *.af )|*.af|Все|*.asc;*.af");
  ASSERT_EQ(filters.size(), 3);
  EXPECT_EQ(filters[0], "Численный формат  ( *.asc ) (*.asc)");
  EXPECT_EQ(filters[2], "Все (*.asc *.af)");
  EXPECT_TRUE(qtfront::ToQtNameFilters("").isEmpty());
  EXPECT_EQ(qtfront::NameFilterIndex(filters, "Амплитуды и Фазы ( *.af )"), 1);
  EXPECT_EQ(qtfront::NameFilterIndex(filters, "Все (*.asc *.af)"), 2);
  EXPECT_EQ(qtfront::NameFilterIndex(filters, "Другое"), -1);
  EXPECT_EQ(qtfront::ToDefaultSuffix("*.asc"), "asc");
  EXPECT_EQ(qtfront::ToDefaultSuffix(".dat"), "dat");
}

TEST(EditMask, PlatformMaskCharactersMapToQtOnes) {
  EXPECT_EQ(qtfront::ToQtInputMask("!99999;1;_"), "00000");
  EXPECT_EQ(qtfront::ToQtInputMask("000-LL;0"), "999-AA");
  EXPECT_EQ(qtfront::ToQtInputMask("9 Гц"), "0 Гц");
  EXPECT_EQ(qtfront::ToQtInputMask("H9"), "\\H0");
  EXPECT_EQ(qtfront::ToQtInputMask(""), "");
}

}  // namespace
