// The real message box: its answers in the order the question names them,
// whatever order the desktop's style would give their roles, Escape
// answering with the cancelling button, keys typed before it appeared
// dropped, and a title bar wide enough for the whole caption.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
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
        for (QAbstractButton* b : shown) {
            seen.buttonsLeftToRight << b->text();
        }
        seen.defaultButton = box.defaultButton() ? box.defaultButton()->text() : QString();
        seen.escapeButton = box.escapeButton() ? box.escapeButton()->text() : QString();
        for (QAbstractButton* b : shown) {
            if (b->text() == press) {
                b->click();
            }
        }
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

// Keys typed on after Tab sit in the queue of the form's window while a
// field's check raises its box; they must not press the box's button, nor
// land in the field after it.
TEST(MessageBox, KeysTypedBeforeTheBoxAppearedAreDropped) {
    QWidget form;
    auto* field = new QLineEdit(&form);
    form.show();
    field->setFocus();
    QApplication::processEvents();
    for (const QChar c : QStringLiteral("099")) {
        QCoreApplication::postEvent(field,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, c));
    }
    QCoreApplication::postEvent(field,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));

    const MessageHandler previous = SetMessageHandler(MessageHandler());
    InstallWidgetMessageHandler();
    bool pressedBeforeAnyKey = true;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        box.show();
        QApplication::processEvents();
        pressedBeforeAnyKey = box.clickedButton() != nullptr;
        // A key pressed while the box is shown answers it.
        QCoreApplication::postEvent(
            &box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QApplication::processEvents();
        return box.result();
    });
    const int answer = ShowMessage(QStringLiteral("Chybné datum !"), QString(), MessageIcon::Error,
                                   mbOK | mbCancel);
    QApplication::processEvents();
    SetMessageHandler(previous);
    EXPECT_FALSE(pressedBeforeAnyKey);
    EXPECT_EQ(answer, mbCancel);
    EXPECT_EQ(field->text(), QString());
}

TEST(MessageBox, ASmallBoxIsWideEnoughForItsWholeCaption) {
    const QString caption =
        QStringLiteral("Převzetí dat z dřívější instalace – velmi dlouhý titulek");
    const MessageHandler previous = SetMessageHandler(MessageHandler());
    InstallWidgetMessageHandler();
    int boxWidth = 0;
    int captionWidth = 0;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        boxWidth = dialog.width();
        QFont bold = dialog.font();
        bold.setBold(true);
        captionWidth = QFontMetrics(bold).horizontalAdvance(caption);
        return 0;
    });
    ShowMessage(QStringLiteral("Hotovo."), caption, MessageIcon::Information, mbOK);
    SetMessageHandler(previous);
    EXPECT_GT(boxWidth, captionWidth + 100);
}

}  // namespace
