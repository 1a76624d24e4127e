#pragma once
// A designer window over a real report: the kennel cards of the component
// tests as data, a template file in a temporary folder, the designer's
// settings in a settings file of that folder.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QFile>
#include <QTest>
#include <memory>

#include "platform/ini_file.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"
#include "tests/report/engine/component_fixture.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

namespace designer_test {

// Presses a button as the user does; its window is shown first, since a
// button of a window never shown has no geometry to be clicked in.
inline void Press(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    button->window()->show();
    QTest::mouseClick(button, Qt::LeftButton);
}

// Header "Seznam psů" with a rule under it, the two names in the body.
inline QStringList ListLines() {
    return {
        QStringLiteral("I,0,\"Seznam psů\""),
        QStringLiteral("I,1,10,52,6"),
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,0,1,40,0"),
        QStringLiteral("I,3,1,0,0,0"),
        QStringLiteral("I,3,2,1,30,0"),
        QStringLiteral("I,3,3,0,0,0"),
        QStringLiteral("I,3,4,0,0,0"),
        QStringLiteral("I,5,0"),
        QStringLiteral("I,6,0,8,8,0,1,1,1"),
        QStringLiteral("I,7,0,0,0,0,0,0,0,"),
        QStringLiteral("Z,1,0,0,0,400,24,Arial,14,0,1,0,0,238,\"Seznam psů\",0,0,0,\"\",0,\"\""),
        QStringLiteral("Z,7,0,0,30,726,2,,1,0,0,8,15,0,,,,,\"\",0,\"\""),
        QStringLiteral("T,2,Jmeno_registr,16,8,400,20,Arial,10,0,0,0,0,238,\"Jmeno_registr\",0,0,"
                       "0,\"\",0,\"\""),
        QStringLiteral("T,2,Jmeno_call,424,8,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,"
                       "\"\",0,\"\""),
    };
}

class DesignerFixture {
  public:
    explicit DesignerFixture(const QStringList& lines = ListLines()) {
        WriteTemplate(lines);
        report.SetDataSource(data.source.get());
        report.IniFileName = data.File(QStringLiteral("SestDLL.ini"));
        report.ReportDirIgnore = false;
        report.SetReportDir(data.Folder());
        report.SetReportName(QStringLiteral("seznam.pts"));
        report.PrepareData();
        report.LoadFieldLists();
        report.LoadTemplate(true);
    }

    void WriteTemplate(const QStringList& lines) {
        ASSERT_TRUE(TPredloha(lines).SaveToFile(TemplatePath()));
    }
    QString TemplatePath() const { return data.File(QStringLiteral("seznam.pts")); }
    QStringList FileLines() const {
        TPredloha read;
        read.LoadFromFile(TemplatePath());
        return read.Lines();
    }
    // Writes designer settings before the window opens.
    void Setting(const QString& section, const QString& key, const QString& value) {
        platform::IniFile ini(report.IniFileName);
        ini.Load();
        ini.WriteString(section, key, value);
        ini.Save();
    }

    // The window, opened on the report.
    TFormSestE& Open() {
        window = std::make_unique<TFormSestE>();
        window->OpenReport(report, false);
        window->resize(1200, 800);
        return *window;
    }

    TOddil& Band(int code) { return *window->Paper()->Band(code); }
    TSesPrvek& Element(int code, int index) { return *Band(code).Elements()[index]; }

    component_test::DataFolder data;
    TSestava report;
    testing_support::ScriptedMessages messages;
    std::unique_ptr<TFormSestE> window;
};

}  // namespace designer_test
