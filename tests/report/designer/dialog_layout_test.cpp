// Every page of the designer's dialogs lays out without clipping: each
// visible label, button and field gets at least its minimum size and lies
// inside the dialog. With HARVEL_SCREENSHOT_DIR set, each page is also saved
// there as a PNG to be looked at.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "platform/print/fake_printer_system.h"
#include "report/designer/dlg_format_papiru.h"
#include "report/designer/dlg_nova_sestava.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/funkcedlg.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/designer/sestdlg.h"
#include "report/designer/sestkonfigdlg.h"
#include "tests/report/designer/designer_fixture.h"
#include "tests/report/designer/field_report.h"

using designer_test::DesignerFixture;

namespace {

// The widgets of `dialog` that are shown but squeezed or cut off.
QStringList ClippedWidgets(QDialog& dialog) {
    QStringList clipped;
    const QRect inside = dialog.rect();
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        QWidget* parent = w->parentWidget();
        if (!control || !w->isVisible() || qobject_cast<QAbstractSpinBox*>(parent) ||
            qobject_cast<QComboBox*>(parent)) {
            continue;
        }
        const QRect r(w->mapTo(&dialog, QPoint(0, 0)), w->size());
        const QSize need = w->minimumSizeHint();
        const bool squeezed = w->width() < need.width() || w->height() < need.height();
        if (squeezed || !inside.contains(r)) {
            clipped
                << QStringLiteral("%1 \"%2\"").arg(w->objectName(), w->property("text").toString());
        }
    }
    return clipped;
}

void Shoot(QDialog& dialog, const QString& name) {
    const QString dir = qEnvironmentVariable("HARVEL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        dialog.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}

// Shows the dialog at its own size, then each visible page of its tab widget.
void CheckPages(QDialog& dialog, const QString& name, QTabWidget* tabs) {
    dialog.adjustSize();
    dialog.show();
    QCoreApplication::processEvents();
    const int count = tabs ? tabs->count() : 1;
    for (int i = 0; i < count; ++i) {
        if (tabs) {
            if (!tabs->isTabVisible(i)) {
                continue;
            }
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
        }
        const QString page = tabs ? name + QLatin1Char('-') + QString::number(i) : name;
        EXPECT_EQ(ClippedWidgets(dialog), QStringList()) << page.toStdString();
        Shoot(dialog, page);
    }
    dialog.hide();
}

}  // namespace

TEST(DialogLayout, ElementSettingsInEveryMode) {
    designer_test::FieldReport report(designer_test::KennelFields());
    report.Funkce().AddNew();
    TElementDialogContext context;
    context.report = &report;
    context.functions = &report.Funkce();
    const char* records[] = {
        "T,2,0,0,0,300,20,Arial,10,0,0,0,0,238", "T,2,3,0,0,300,20,Arial,10,0,0,16,0,238",
        "T,6,0,0,0,300,20,Arial,10,0,0,0,0,238", "T,12,0,0,0,300,80,,8,0,3,112,15,0,\"#1\""};
    const char* names[] = {"prvek-polozka", "prvek-memo", "prvek-funkce", "prvek-kod"};
    for (int i = 0; i < 4; ++i) {
        TLumexReportElement e(&report);
        e.ParseElement(QString::fromLatin1(records[i]));
        TDlgKonfPrvku dialog(TDlgKonfPrvku::ModeFor(e.kind), context);
        ASSERT_TRUE(dialog.Fill(e));
        CheckPages(dialog, QLatin1String(names[i]), dialog.Pages());
    }
    TDlgKonfPrvku font(TDlgKonfPrvku::kmFont, context);
    CheckPages(font, QStringLiteral("prvek-pismo"), font.Pages());
}

TEST(DialogLayout, ExpressionEditorAndFunctionDialog) {
    designer_test::FieldReport report(designer_test::KennelFields());
    report.AddGroup(0, "#Plemeno", false, 24, false, 24, false);
    report.Funkce().AddNew();
    TSest_FnEditVyraz editor(report, report.Funkce(), false, false, QStringLiteral("#1"));
    CheckPages(editor, QStringLiteral("vyraz"), nullptr);
    TFunkceDlg function(report, report.Funkce(), false, 1, report.Funkce()[0]);
    CheckPages(function, QStringLiteral("funkce"), nullptr);
}

TEST(DialogLayout, TemplateAndDesignerSettingsAndTheWizard) {
    platform::FakePrinterSystem printers;
    printers.Install();
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& settings = w.TemplateSettingsDialog();
    settings.Fill(TTemplateSettingsValues{}, -1);
    CheckPages(settings, QStringLiteral("predloha"), settings.Tabs());
    TSestKonfigDlg environment(w.Settings(), QString());
    CheckPages(environment, QStringLiteral("prostredi"),
               environment.findChild<QTabWidget*>(QStringLiteral("PageControl")));
    TFormatPapiru format{QStringLiteral("uživ. formát"), 826, 1169};
    TDlgFormatPapiru paper(format, true, QStringLiteral("(0,01 inch)"), 0);
    CheckPages(paper, QStringLiteral("format-papiru"), nullptr);
    QList<TDraftField> fields;
    for (int i = 0; i < f.report.FieldCount() && i < 12; ++i) {
        fields.append({f.report.FieldName(i), f.report.FieldLabel(i), 10, 0});
    }
    TDlgNovaSestava wizard(fields, false);
    CheckPages(wizard, QStringLiteral("pruvodce-pred"), nullptr);
    for (int i : {0, 4, 5}) {
        wizard.SrcList()->item(i)->setSelected(true);
    }
    wizard.Include();
    CheckPages(wizard, QStringLiteral("pruvodce-po"), nullptr);
}
