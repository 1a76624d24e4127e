#include "app/print_sources.h"

#include "app/address_print.h"
#include "app/dmunit.h"
#include "report/engine/sestavy.h"

namespace {

QList<TPrintSource> MakeSources() {
    const QString lists = QStringLiteral("SoQSeznamy");
    const QString books = QStringLiteral("SoQPomknihy");
    return {
        {QStringLiteral("Evidenční listy"),
         QStringLiteral("Evidenční list"),
         lists,
         {{QStringLiteral("Evidenční list - identifikační list"), QStringLiteral("EvidList00.pts")},
          {QStringLiteral("Evidenční list - kartotéka"), QStringLiteral("EvidList01.pts")},
          {QStringLiteral("Evidenční list - fyzické znaky"), QStringLiteral("EvidList02.pts")},
          {QStringLiteral("Evidenční list - časové a jiné údaje"),
           QStringLiteral("EvidList03.pts")},
          {QStringLiteral("Štítky na kotce a štěňata (3 x 8)"),
           QStringLiteral("EvidStitky00.pts")}}},
        {QStringLiteral("Zdravotní karta"),
         QStringLiteral("Zdrav. karta"),
         books,
         {{QStringLiteral("zdravotní karta jedince"), QStringLiteral("ZdrKarta00.pts")},
          {QStringLiteral("přehled vyšetření"), QStringLiteral("ZdrKarta01.pts")}}},
        {QStringLiteral("Výstavy"),
         QStringLiteral("Výstavy"),
         books,
         {{QStringLiteral("Výstavní období jedince"), QStringLiteral("Vystavy00.pts")}}},
        {QStringLiteral("Tituly"),
         QStringLiteral("Tituly"),
         books,
         {{QStringLiteral("karta titulů jedince"), QStringLiteral("Tituly00.pts")}}},
        {QStringLiteral("Chovnost"),
         QStringLiteral("Chovnost"),
         books,
         {{QStringLiteral("karta chovnosti za jedince 01"), QStringLiteral("Chovnost00.pts")},
          {QStringLiteral("karta chovnosti za jedince 02"), QStringLiteral("Chovnost01.pts")}}},
        {QStringLiteral("Vrhy"),
         QStringLiteral("Vrhy"),
         books,
         {{QStringLiteral("seznam vrhů za jedince"), QStringLiteral("Vrhy00.pts")},
          {QStringLiteral("seznam vrhů dle otce"), QStringLiteral("Vrhy01.pts")}}},
        {QStringLiteral("Krytí"),
         QStringLiteral("Krytí"),
         books,
         {{QStringLiteral("Seznam krytí za jedince"), QStringLiteral("Kryti00.pts")},
          {QStringLiteral("Seznam krytí dle partnera"), QStringLiteral("Kryti01.pts")},
          {QStringLiteral("Uživatelská 01"), QStringLiteral("Kryti02.pts")},
          {QStringLiteral("Uživatelská 02"), QStringLiteral("Kryti03.pts")}}},
        {QStringLiteral("Rodokmen"),
         QStringLiteral("Rodokmen"),
         books,
         {{QStringLiteral("2 generace včetně titulů"), QStringLiteral("rodokmen00.pts")},
          {QStringLiteral("3  generace včetně titulů"), QStringLiteral("rodokmen01.pts")},
          {QStringLiteral("4  generace - pouze jména"), QStringLiteral("rodokmen02.pts")}}},
        {QStringLiteral("Zkoušky"),
         QStringLiteral("Zkoušky"),
         books,
         {{QStringLiteral("Karta zkoušek za jedince"), QStringLiteral("Zkousky00.pts")}}},
        {QStringLiteral("Foto"),
         QStringLiteral("Foto"),
         books,
         {{QStringLiteral("Fotoalbum"), QStringLiteral("Foto00.pts")}}},
        {QStringLiteral("Rodokmen z evidence"),
         QStringLiteral("Rodokmen z evid."),
         QStringLiteral("SoQRodokmenEvid"),
         {{QStringLiteral("Rodokmenový list - 5 generací"), QStringLiteral("RodokmenEvid00.pts")},
          {QStringLiteral("Rodokmenový list - 4 generace"), QStringLiteral("RodokmenEvid01.pts")}}},
    };
}

}  // namespace

const QList<TPrintSource>& PrintSources() {
    static const QList<TPrintSource> sources = MakeSources();
    return sources;
}

bool IsPrintSource(int position) {
    return position >= 0 && position < PrintSources().size();
}

const TPrintSource* FindPrintSource(int number) {
    if (IsPrintSource(number)) {
        return &PrintSources().at(number);
    }
    return number == tzAdresar ? &AddressPrintSource() : nullptr;
}

platform::DataSource* PrintDataSource(TDM1& dm, int source) {
    if (FindPrintSource(source) == nullptr) {
        return nullptr;
    }
    if (source == tzEvidencniListy) {
        return &dm.SoQSeznamy;
    }
    return source == tzRodokmenEvid ? &dm.SoQRodokmenEvid : &dm.SoQPomknihy;
}

QString PrintTemplateFile(int source, int templateIndex) {
    if (!IsPrintSource(source)) {
        return QString();
    }
    const QList<TPrintTemplate>& templates = PrintSources().at(source).templates;
    if (templateIndex < 0 || templateIndex >= templates.size()) {
        return QString();
    }
    return templates.at(templateIndex).file;
}

bool PointReportAtSource(TSestava& report, TDM1& dm, int source, int templateIndex) {
    return PointReportAtSource(report, dm, source, PrintTemplateFile(source, templateIndex));
}

bool PointReportAtSource(TSestava& report, TDM1& dm, int source, const QString& templateFile) {
    if (platform::DataSource* dataSource = PrintDataSource(dm, source)) {
        report.SetDataSource(dataSource);
    }
    if (!IsPrintSource(source) || templateFile.isEmpty()) {
        return false;
    }
    report.SetReportName(templateFile);
    FollowTemplateOrder(report, dm, source);
    return true;
}

void FollowTemplateOrder(TSestava& report, TDM1& dm, int source) {
    report.OnSourceOrder = [&dm, source](TSestava&, const QString& order) {
        dm.OrderBookQueryFirstBy(source, order);
    };
}
