#include "print_source.h"

#include <QFileInfo>
#include <cstdio>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "app/print_sources.h"
#include "platform/messages.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "report/engine/sestavy.h"
#include "report/engine/template_field_names.h"

namespace harvel_report {

namespace {

// The store's own reason, read by opening the refused statement once more:
// the data module shows only its fixed box text.
QString StoreReason(platform::DataSet& query) {
    try {
        query.Open();
    } catch (const platform::StoreError& error) {
        return error.Message();
    }
    return QString();
}

// The settings of Harvel.INI beside the program. A print never runs the
// orphan check: unattended, its questions would be answered by their
// default button, Yes, and delete rows.
void ReadSettings() {
    ReadParametry(SettingsFilePath(), CurrentParametry());
    CurrentParametry().KontrolaJmen = false;
}

}  // namespace

PrintSourceRun::PrintSourceRun(const QString& dataFolder, int source, const QString& where,
                               const QString& order)
    : source_(source) {
    ReadSettings();
    QStringList messages;
    const platform::MessageHandler before =
        platform::SetMessageHandler([&messages](const platform::MessageRequest& request) {
            messages << request.text;
            return request.defaultButton ? request.defaultButton
                                         : platform::FirstButton(request.buttons);
        });
    // The source's own book or list is run below, before anything reads.
    dm_ = std::make_unique<TDM1>(
        platform::IsServerAddress(dataFolder) ? dataFolder
                                              : QFileInfo(dataFolder).absoluteFilePath(),
        nullptr, platform::OpenMode::ReadOnly, TDM1::BookQueryStart::WithFirstBook);
    const bool opened = dm_->TaMain_Card.IsActive();
    if (opened) {
        dm_->RunBookQuery(source, order, where);
    }
    platform::SetMessageHandler(before);
    if (!opened) {
        throw PrintSourceError{QStringLiteral("Data ve složce \"%1\" se nepodařilo otevřít: %2")
                                   .arg(dataFolder, messages.join(u' '))};
    }
    platform::DataSet& list = *Source()->GetDataSet();
    if (!list.IsActive()) {
        throw PrintSourceError{
            QStringLiteral("%1 (zdroj %2 \"%3\"): %4")
                .arg(messages.value(0), QString::number(source), Caption(), StoreReason(list))};
    }
    if (source == tzRodokmenEvid) {
        // Loops in the pedigrees: the lines they cut are printed empty.
        for (const QString& problem : dm_->QRodokmenEvid.Problems()) {
            std::fprintf(stderr, "harvel-report: %s\n", qUtf8Printable(problem));
        }
    }
}

PrintSourceRun::~PrintSourceRun() = default;

void PrintSourceRun::FollowTemplateOrder(TSestava& report) const {
    ::FollowTemplateOrder(report, *dm_, source_);
}

platform::DataSource* PrintSourceRun::Source() const {
    return PrintDataSource(*dm_, source_);
}

QStringList PrintSourceRun::Parametry() const {
    return dm_->Sestava1.Parametry;
}

void PrintSourceRun::CheckBeforePrint(const QString& templateFile) const {
    if (!templateFile.isEmpty()) {
        CheckTemplate(templateFile);
    }
    if (Source()->GetDataSet()->RecordCount() == 0) {
        std::fprintf(stderr, "harvel-report: %s\n",
                     qUtf8Printable(QStringLiteral("Seznam zdroje %1 \"%2\" je prázdný, "
                                                   "sestava nemá žádný řádek.")
                                        .arg(QString::number(source_), Caption())));
    }
}

QString PrintSourceRun::Caption() const {
    return FindPrintSource(source_)->caption;
}

void PrintSourceRun::CheckTemplate(const QString& templateFile) const {
    TPredloha predloha;
    if (!predloha.LoadFromFile(templateFile)) {
        throw PrintSourceError{
            QStringLiteral("Předlohu \"%1\" se nepodařilo přečíst.").arg(templateFile)};
    }
    const QStringList missing =
        MissingTemplateFields(predloha, Source()->GetDataSet()->FieldNames());
    if (!missing.isEmpty()) {
        throw PrintSourceError{
            QStringLiteral("Předloha \"%1\" nepatří ke zdroji %2 \"%3\": jeho seznam nemá "
                           "položky %4.")
                .arg(QFileInfo(templateFile).fileName(), QString::number(source_), Caption(),
                     missing.join(QStringLiteral(", ")))};
    }
}

}  // namespace harvel_report
