#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include "qt/Translations.h"

namespace {

QString CancelText() {
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  return buttons.button(QDialogButtonBox::Cancel)->text();
}

// The set-up installs Qt's Russian catalogue: after the start-up load Qt's own buttons are Russian.
TEST(QtTranslations, StandardButtonsSpeakRussianAfterTheStartUpLoad) {
  ASSERT_TRUE(qtfront::LoadQtTranslations()) << "Qt's Russian catalogue (qt6-translations-l10n)";
  EXPECT_EQ(CancelText().toStdString(), "Отмена");
  // The other tests see Qt's own texts again.
  for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
    QCoreApplication::removeTranslator(translator);
  EXPECT_EQ(CancelText().toStdString(), "Cancel");
}

}  // namespace
