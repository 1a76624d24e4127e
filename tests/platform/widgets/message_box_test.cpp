// The real message box: its answers in the order the question names them,
// whatever order the desktop's style would give their roles, and Escape
// answering with the cancelling button.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "tests/support/seams.h"

namespace {

using namespace platform;

struct SeenBox {
    QStringList buttonsLeftToRight;
    QString defaultButton;
    QString escapeButton;
};

// Shows the real box through the widget handler; the modal seam reads the
// laid-out buttons and presses the one captioned `press`.
int ShowAndPress(int buttons, int defaultButton, const QString& press, SeenBox& seen) {
    const MessageHandler previous = SetMessageHandler(MessageHandler());
    InstallWidgetMessageHandler();
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        box.show();
        QApplication::processEvents();
        QList<QAbstractButton*> shown = box.buttons();
        std::sort(shown.begin(), shown.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        for (QAbstractButton* b : shown)
            seen.buttonsLeftToRight << b->text();
        seen.defaultButton = box.defaultButton() ? box.defaultButton()->text() : QString();
        seen.escapeButton = box.escapeButton() ? box.escapeButton()->text() : QString();
        for (QAbstractButton* b : shown)
            if (b->text() == press)
                b->click();
        return box.result();
    });
    const int answer = ShowMessage(QStringLiteral("Uložit změny?"), QString(),
                                   MessageIcon::Question, buttons, defaultButton);
    SetMessageHandler(previous);
    return answer;
}

TEST(MessageBox, YesNoCancelInTheOrderTheQuestionNamesThem) {
    SeenBox seen;
    EXPECT_EQ(ShowAndPress(mbYes | mbNo | mbCancel, mbYes, QStringLiteral("&Ne"), seen), mbNo);
    EXPECT_EQ(seen.buttonsLeftToRight, (QStringList{"&Ano", "&Ne", "Storno"}));
    EXPECT_EQ(seen.defaultButton, "&Ano");
    EXPECT_EQ(seen.escapeButton, "Storno");
}

TEST(MessageBox, OtherButtonSetsKeepTheirOrder) {
    SeenBox okCancel;
    EXPECT_EQ(ShowAndPress(mbOK | mbCancel, 0, QStringLiteral("OK"), okCancel), mbOK);
    EXPECT_EQ(okCancel.buttonsLeftToRight, (QStringList{"OK", "Storno"}));

    SeenBox yesNo;
    EXPECT_EQ(ShowAndPress(mbYes | mbNo, mbNo, QStringLiteral("&Ano"), yesNo), mbYes);
    EXPECT_EQ(yesNo.buttonsLeftToRight, (QStringList{"&Ano", "&Ne"}));
    EXPECT_EQ(yesNo.defaultButton, "&Ne");
    EXPECT_EQ(yesNo.escapeButton, "&Ne");

    SeenBox abortRetryIgnore;
    EXPECT_EQ(ShowAndPress(mbAbort | mbRetry | mbIgnore, 0, QStringLiteral("&Ignorovat"),
                           abortRetryIgnore),
              mbIgnore);
    EXPECT_EQ(abortRetryIgnore.buttonsLeftToRight,
              (QStringList{"&Přerušit", "&Opakovat", "&Ignorovat"}));
}

TEST(MessageBox, ClosingWithoutAButtonAnswersTheCancellingOne) {
    SeenBox seen;
    EXPECT_EQ(ShowAndPress(mbYes | mbNo | mbCancel, mbYes, QString(), seen), mbCancel);
    EXPECT_EQ(ShowAndPress(mbYes | mbNo, mbYes, QString(), seen), mbNo);
}

}  // namespace
