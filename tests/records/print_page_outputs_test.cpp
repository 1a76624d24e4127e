// The print page's own templates and files: "Jiná předloha..." prints a
// template drafted by the user and offers it again after a restart;
// "Uložit jako PDF..." writes the list's rows into the PDF the user names
// and offers to open it; "Odeslat e-mailem..." hands the PDF to the mail
// program, and offers to save it when no mail program starts.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/print_sources.h"
#include "platform/ini_file.h"
#include "platform/mail_sender.h"
#include "platform/url_opener.h"
#include "report/designer/template_draft.h"
#include "report/engine/predloha.h"
#include "report/output/output_dump.h"
#include "tests/records/print_page_fixture.h"

using print_page_test::PrintPageInstallation;
using testing_support::ScriptedFileDialog;

namespace {

const QString kOwnEntry = QStringLiteral("Jiná předloha...");
// The installed templates of the record sheets' list, before the user's own.
const int kInstalled = static_cast<int>(PrintSources().at(0).templates.size());

class PrintPageOutputs : public PrintPageInstallation {
  protected:
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        platform::SetMailHandler(nullptr);
        platform::SetUrlHandler(nullptr);
        PrintPageInstallation::TearDown();
    }

    // What the wizard drafts for two fields of the record sheets, with the
    // captions as texts, under the description "Můj seznam".
    void DraftOwnTemplate(const QString& path) {
        ChooseSource(0);
        platform::DataSet& cards = dm_->QSeznamy;
        QList<TDraftField> fields;
        for (int i = 0; i < cards.FieldCount(); ++i) {
            const platform::Field& field = cards.Fields(i);
            fields.append({field.Name(), field.DisplayLabel(), field.DisplayWidth(), 0});
        }
        TDraftChoice choice;
        choice.chosen = QStringList{"Jmeno_registr", "Datum_nar"};
        choice.byName = true;
        choice.captionsAsText = true;
        QStringList lines{QStringLiteral("I,0,\"Můj seznam\"")};
        lines += DraftTemplate(choice, fields, TDesignerSettings(), 750, 1000);
        ASSERT_TRUE(TPredloha(lines).SaveToFile(path));
    }

    // A template of the litters that prints every row's registered name.
    void WriteLitterTemplate() {
        ASSERT_TRUE(
            TPredloha(QStringList{"I,0,\"Vrhy\"", "I,2,0,826,1169,50,50,70,70,1,0", "I,3,2,1,30,0",
                                  "T,2,Jmeno_registr,10,5,400,20,Arial,10,0,0,0,0,238,"
                                  "\"Jmeno_registr\",0,0,0,\"\",0,\"\""})
                .SaveToFile(TemplateFolder() + "Vrhy00.pts"));
    }

    // The text of the dumped output of the next preview.
    QString PreviewText() {
        QString text;
        SetPreviewWindowHook([&](TSestava& report, const TWindowPlace&) {
            text = DumpOutput(report.Output()).join('\n');
            return true;
        });
        Click("PrintBtnKopa1");
        return text;
    }

    static QString PdfText(const QString& file) {
        QProcess process;
        process.start(QStandardPaths::findExecutable("pdftotext"), {file, "-"});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

}  // namespace

TEST_F(PrintPageOutputs, AnOwnTemplatePrintsAndIsOfferedAgainAfterARestart) {
    DraftOwnTemplate(TemplateFolder() + "MujSeznam.pts");
    QComboBox* list = page_->TemplateList(0);
    ASSERT_EQ(list->count(), kInstalled + 1);
    EXPECT_EQ(list->itemText(kInstalled), kOwnEntry);

    platform::FileDialogRequest asked;
    {
        ScriptedFileDialog dialog([&](const platform::FileDialogRequest& request) {
            asked = request;
            return TemplateFolder() + "MujSeznam.pts";
        });
        Pick(list, kInstalled);
    }
    EXPECT_EQ(asked.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(QDir(asked.directory).absolutePath(), QDir(TemplateFolder()).absolutePath());
    ASSERT_EQ(list->count(), kInstalled + 2);
    EXPECT_EQ(list->itemText(kInstalled), "Můj seznam");
    EXPECT_EQ(list->currentIndex(), kInstalled);
    EXPECT_EQ(list->itemText(kInstalled + 1), kOwnEntry);
    platform::IniFile ini(IniPath());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("EvidList", "JinaPredloha0"), "MujSeznam.pts");

    // It prints the list with the words of the drafted captions.
    const QString printed = PreviewText();
    EXPECT_EQ(dm_->Sestava1.ReportName(), "MujSeznam.pts");
    EXPECT_TRUE(printed.contains("Registrované jméno")) << printed.toStdString();
    // The drafted captions are the columns' words (a narrow one may wrap in print).
    TPredloha drafted;
    ASSERT_TRUE(drafted.LoadFromFile(TemplateFolder() + "MujSeznam.pts"));
    EXPECT_TRUE(drafted.Lines().join('\n').contains("\"Datum narození\""));
    EXPECT_FALSE(drafted.Lines().join('\n').contains("\"Datum_nar\""));
    EXPECT_TRUE(printed.contains("Brok od Vltavy"));
    EXPECT_TRUE(printed.contains("1.2.2017"));

    // After a restart it is offered under its description and prints again.
    CloseSheet();
    OpenSheet();
    list = page_->TemplateList(0);
    ASSERT_EQ(list->count(), kInstalled + 2);
    EXPECT_EQ(list->itemText(kInstalled), "Můj seznam");
    EXPECT_EQ(list->currentIndex(), 0);
    Pick(list, kInstalled);
    ChooseSource(0);
    EXPECT_TRUE(PreviewText().contains("Cita"));
    EXPECT_EQ(dm_->Sestava1.ReportName(), "MujSeznam.pts");
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(PrintPageOutputs, ACancelledChoiceKeepsTheEntryAndAFileElsewhereKeepsItsPath) {
    QComboBox* list = page_->TemplateList(5);
    ChooseSource(5);
    Pick(list, 1);
    {
        ScriptedFileDialog cancel([](const platform::FileDialogRequest&) { return QString(); });
        Pick(list, list->count() - 1);
    }
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(list->count(), 3);

    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath("Vrhy dle otce.pts");
    DraftOwnTemplate(path);
    ChooseSource(5);
    {
        ScriptedFileDialog choose([&](const platform::FileDialogRequest&) { return path; });
        Pick(list, list->count() - 1);
    }
    EXPECT_EQ(list->currentText(), "Můj seznam");
    EXPECT_EQ(page_->ChosenTemplateFile(5), path);
    platform::IniFile ini(IniPath());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("EvidList", "JinaPredloha5"), path);
    EXPECT_TRUE(PreviewText().contains("Registrované jméno"));
    EXPECT_EQ(dm_->Sestava1.ReportName(), path);
}

TEST_F(PrintPageOutputs, SaveAsPdfWritesTheRowsAndOffersToOpenIt) {
    testing_support::FixedClock clock(QDate(2026, 12, 10));
    WriteLitterTemplate();
    ChooseSource(5);
    QString suggested;
    const QString pdf = root_.filePath("Vrhy.pdf");
    ScriptedFileDialog dialog([&](const platform::FileDialogRequest& request) {
        EXPECT_EQ(request.kind, platform::FileDialogKind::Save);
        suggested = QFileInfo(request.directory).fileName();
        return pdf;
    });
    QStringList opened;
    platform::SetUrlHandler([&](const QString& url) { return opened << url, true; });
    messages_.Answer(platform::mbYes);
    Click("BtnUlozitPdf");
    EXPECT_EQ(suggested, "Vrhy-2026-12-10.pdf");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_TRUE(messages_.Texts()[0].contains("Vrhy.pdf"));
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(opened, QStringList{QUrl::fromLocalFile(pdf).toString()});
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing; the PDF's text is not read";
    }
    const QString text = PdfText(pdf);
    for (const char* dam : {"Alfa z Lipové aleje", "Cita", "Dora"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(dam))) << text.toStdString();
    }
    EXPECT_FALSE(text.contains("Brok od Vltavy"));
}

TEST_F(PrintPageOutputs, EmailHandsThePdfToTheMailProgram) {
    testing_support::FixedClock clock(QDate(2026, 12, 10));
    WriteLitterTemplate();
    ChooseSource(5);
    std::vector<platform::MailRequest> sent;
    QByteArray attached;
    platform::SetMailHandler([&](const platform::MailRequest& request) {
        sent.push_back(request);
        QFile file(request.attachment);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        attached = file.readAll();
        return true;
    });
    Click("BtnOdeslatEmail");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(QFileInfo(sent[0].attachment).fileName(), "Vrhy-2026-12-10.pdf");
    EXPECT_TRUE(QFileInfo(sent[0].attachment).isAbsolute());
    EXPECT_EQ(sent[0].subject, "Vrhy");
    EXPECT_TRUE(attached.startsWith("%PDF-"));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
    QDir(QFileInfo(sent[0].attachment).absolutePath()).removeRecursively();
}

TEST_F(PrintPageOutputs, WithoutAMailProgramThePdfIsOfferedToBeSaved) {
    WriteLitterTemplate();
    ChooseSource(5);
    QString attachment;
    platform::SetMailHandler([&](const platform::MailRequest& request) {
        attachment = request.attachment;
        return false;
    });
    const QString pdf = root_.filePath("ulozene.pdf");
    ScriptedFileDialog dialog([&](const platform::FileDialogRequest&) { return pdf; });
    platform::SetUrlHandler([](const QString&) { return true; });
    messages_.Answer(platform::mbYes);  // save instead
    messages_.Answer(platform::mbNo);   // do not open it
    Click("BtnOdeslatEmail");
    ASSERT_EQ(messages_.Shown().size(), 2u);
    EXPECT_TRUE(messages_.Texts()[0].contains("Poštovní program se nepodařilo spustit"));
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(attachment.isEmpty());
    EXPECT_FALSE(QFile::exists(attachment));  // nobody took the temporary copy

    // Answered No: nothing is written.
    messages_.Clear();
    messages_.Answer(platform::mbNo);
    QFile::remove(pdf);
    Click("BtnOdeslatEmail");
    EXPECT_EQ(messages_.Shown().size(), 1u);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintPageOutputs, AMissingTemplateWritesNoPdf) {
    ChooseSource(5);  // no Vrhy00.pts in the template folder
    int asked = 0;
    ScriptedFileDialog dialog(
        [&](const platform::FileDialogRequest&) { return ++asked, root_.filePath("x.pdf"); });
    int mailed = 0;
    platform::SetMailHandler([&](const platform::MailRequest&) { return ++mailed, true; });
    Click("BtnUlozitPdf");
    Click("BtnOdeslatEmail");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(mailed, 0);
    EXPECT_FALSE(QFile::exists(root_.filePath("x.pdf")));
    EXPECT_FALSE(messages_.Texts().isEmpty());  // the component named the missing file
}
