#pragma once
// A kennel database in a temporary folder with a few record sheets, the
// main-card table behind a data source, and a shown, active form to put
// bound controls on.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "platform/store/store.h"
#include "tests/support/seams.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace bound_test {

// Types text character by character, also letters outside ASCII.
inline void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void Settle() {
    QApplication::processEvents();
    QApplication::processEvents();
}

class BoundForm : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        const QString folder = dir_.filePath(QStringLiteral("DATA"));
        platform::Database::CreateSchema(folder);
        db = std::make_unique<platform::Database>(folder);
        AddCard("Aron", "Pes", "12345");
        AddCard("Bára", "Fena", "");
        AddCard("Cita", "Fena", "777");
        cards = std::make_unique<platform::Table>(*db, QStringLiteral("main_card.db"));
        cards->Open();
        source = std::make_unique<platform::DataSource>(QStringLiteral("SoMainCard"), cards.get());
        form = std::make_unique<QWidget>();
        layout = new QVBoxLayout(form.get());
    }

    void TearDown() override { form.reset(); }

    void AddCard(const QString& name, const QString& sex, const QString& chip) {
        platform::Table t(*db, QStringLiteral("main_card.db"));
        t.Open();
        t.Append();
        t.FieldByName("Jmeno_registr").SetAsString(name);
        t.FieldByName("Pohlavi").SetAsString(sex);
        t.FieldByName("Cip").SetAsString(chip);
        t.Post();
    }

    // A column of one card as stored, read through a fresh query.
    QString Stored(const QString& name, const QString& column) {
        platform::Query q(*db);
        q.SetSQL(
            {QStringLiteral("Select * from main_card where Jmeno_registr = \"%1\"").arg(name)});
        q.Open();
        return q.IsEmpty() ? QStringLiteral("<none>") : q.FieldByName(column).AsString();
    }

    template <typename W>
    W* Add(W* widget, const QString& name) {
        widget->setObjectName(name);
        layout->addWidget(widget);
        return widget;
    }

    void Show() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void Focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        Settle();
        ASSERT_TRUE(w->hasFocus());
    }

    QTemporaryDir dir_;
    std::unique_ptr<platform::Database> db;
    std::unique_ptr<platform::Table> cards;
    std::unique_ptr<platform::DataSource> source;
    std::unique_ptr<QWidget> form;
    QVBoxLayout* layout = nullptr;
    testing_support::ScriptedMessages messages;
};

}  // namespace bound_test
