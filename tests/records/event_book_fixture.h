#pragma once
// What the tests of the event-book forms share: a data folder with the
// thirteen empty tables and the data module over it, typing as a user types
// (character by character, so the fields' key handling runs), leaving a
// field, a row read back from the file through a handle of its own, and a
// store that refuses every new row of a table (a trigger in the database).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/dmunit.h"
#include "platform/store/field.h"
#include "platform/store/sqlite_handle.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/seams.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

namespace event_book_testing {

// Types text into a field, a choice box or a memo as key presses.
inline void Type(QWidget* widget, const QString& text) {
    QWidget* target = widget;
    if (auto* choice = qobject_cast<QComboBox*>(widget);
        choice != nullptr && choice->isEditable()) {
        target = choice->lineEdit();
    }
    target->setFocus(Qt::TabFocusReason);
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Moves the focus on with Tab, as a user leaving the field does.
inline void Leave(QWidget* widget) {
    QWidget* target = widget;
    if (auto* choice = qobject_cast<QComboBox*>(widget);
        choice != nullptr && choice->isEditable()) {
        target = choice->lineEdit();
    }
    QTest::keyClick(target, Qt::Key_Tab);
    QApplication::processEvents();
}

inline QString TextOf(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* choice = qobject_cast<const QComboBox*>(widget)) {
        return choice->currentText();
    }
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
        return memo->toPlainText();
    }
    return QStringLiteral("<no text>");
}

inline QStringList Items(const QComboBox* choice) {
    QStringList items;
    for (int i = 0; i < choice->count(); ++i) {
        items << choice->itemText(i);
    }
    return items;
}

class BookFormTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        HARVEL_TEST_DATA_LOCATION(location, folder_);
        address_ = location;
        platform::Database::CreateSchema(Folder());
        dm_ = std::make_unique<TDM1>(Folder());
    }

    // The data folder, or the club's database on the test server.
    QString Folder() const { return address_; }

    // Every row of a table, read through a handle of its own.
    int Rows(const QString& table) {
        platform::Table rows(dm_->Database1, table);
        rows.Open();
        return rows.RecordCount();
    }

    // The store refuses every new row of `sqlName` with `reason`.
    void RefuseNewRows(const QString& sqlName, const QString& reason) {
        dm_->Database1.Handle().Execute(
            QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 BEGIN "
                           "SELECT RAISE(ABORT, '%2'); END")
                .arg(sqlName, reason));
    }
    void AcceptNewRows(const QString& sqlName) {
        dm_->Database1.Handle().Execute(QStringLiteral("DROP TRIGGER refuse_%1").arg(sqlName));
    }

    void Show(QWidget& form) {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QApplication::processEvents();
    }

    QStringList Messages() const { return messages_.Texts(); }

    QTemporaryDir folder_;
    QString address_;
    std::unique_ptr<TDM1> dm_;
    testing_support::ScriptedMessages messages_;
    testing_support::FixedClock clock_{QDate(2026, 12, 9)};
};

}  // namespace event_book_testing
