// Qt's standard dialogs speak Czech once the translations are installed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/widgets/qt_translations.h"

namespace {

TEST(QtTranslations, FileDialogAndStandardButtonsSpeakCzech) {
    if (!platform::InstallQtCzechTranslations(*qApp)) {
        GTEST_SKIP() << "Qt's Czech translations (qt6-translations-l10n) are not installed";
    }
    QFileDialog dialog(nullptr, QStringLiteral("Otevřít"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_NE(lookIn->text(), "Look in:");
    auto* fileName = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    ASSERT_NE(fileName, nullptr);
    EXPECT_NE(fileName->text(), "File &name:");
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Zrušit");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), "Uložit");
}

}  // namespace
