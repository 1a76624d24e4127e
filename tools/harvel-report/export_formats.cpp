#include "export_formats.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "report/engine/sestavy.h"
#include "report/output/sestexport.h"
#include "report/output/sestvyst.h"

namespace harvel_report {
namespace {

QString CannotWrite(const QString& fileName) {
    return QStringLiteral("Výstupní soubor \"%1\" se nepodařilo uložit.").arg(fileName);
}

QString FolderOf(const QString& fileName) {
    return QFileInfo(fileName).absolutePath() + QLatin1Char('/');
}

// One HTML file with the header, the page's elements and the trailer.
bool WriteHtmlFile(TSestVystup& output, const QString& fileName, int page,
                   const QString& pictureBase) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    HtmlHeader(file);
    const bool pageWritten = SaveHtmlPage(output, file, FolderOf(fileName), page, pictureBase);
    HtmlTrailer(file);
    return pageWritten && file.commit();
}

// The pages as out1.html, out2.html, … and `fileName` itself as their index.
QString WriteHtmlPages(TSestVystup& output, const QString& fileName) {
    const int first = std::max(output.FirstPage, 1);
    QStringList pageFiles;
    for (int page = first; page <= output.PageCount(); ++page) {
        const QString pageFile = ReplaceExtension(fileName, QStringLiteral("%1.html").arg(page));
        const QString pictureBase =
            QFileInfo(ReplaceExtension(fileName, QStringLiteral("%1_.bmp").arg(page))).fileName();
        if (!WriteHtmlFile(output, pageFile, page - 1, pictureBase)) {
            return CannotWrite(pageFile);
        }
        pageFiles << QFileInfo(pageFile).fileName();
    }
    return SaveHtmlIndexFile(fileName, pageFiles, output.Title) ? QString() : CannotWrite(fileName);
}

QString WriteMetafiles(TSestVystup& output, const QString& fileName, bool enhanced) {
    const QString extension = enhanced ? QStringLiteral("emf") : QStringLiteral("wmf");
    const int first = std::max(output.FirstPage, 1);
    for (int page = first; page <= output.PageCount(); ++page) {
        const QString pageFile =
            ReplaceExtension(fileName, QStringLiteral("%1.%2").arg(page).arg(extension));
        if (!SaveMetafileFile(output, pageFile, page - 1, false, output.PrintBackground,
                              enhanced)) {
            return CannotWrite(pageFile);
        }
    }
    return QString();
}

QString WriteText(TSestVystup& output, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        !SaveTextStream(output, file, output.FirstPage, output.LastPage, output.Copies) ||
        !file.commit()) {
        return CannotWrite(fileName);
    }
    return QString();
}

}  // namespace

bool IsExportFormat(const QString& format) {
    static const QStringList formats = {"html", "html-single", "rtf", "txt", "emf", "wmf", "spl"};
    return formats.contains(format);
}

TSestLanguage CodePageOf(const QString& name) {
    if (name == QLatin1String("ascii"))
        return slASCII;
    if (name == QLatin1String("cp867"))
        return slCP867;
    if (name == QLatin1String("cp852"))
        return slCP852;
    if (name == QLatin1String("cp1250"))
        return slCP1250;
    if (name == QLatin1String("iso88592"))
        return slISO88592;
    return slUndefined;
}

QString WriteExport(const QString& format, TSestava& report, TSestVystup& output,
                    const QString& fileName) {
    if (output.PageCount() == 0) {
        return QStringLiteral("Sestava nemá žádnou stránku.");
    }
    if (format == QLatin1String("html")) {
        return WriteHtmlPages(output, fileName);
    }
    if (format == QLatin1String("html-single")) {
        const QString pictureBase = QFileInfo(fileName).fileName();
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) ||
            !SaveHtmlPage(output, file, FolderOf(fileName), 0, pictureBase) || !file.commit()) {
            return CannotWrite(fileName);
        }
        return QString();
    }
    if (format == QLatin1String("rtf")) {
        return SaveRtfFile(output, fileName) ? QString() : CannotWrite(fileName);
    }
    if (format == QLatin1String("txt")) {
        return WriteText(output, fileName);
    }
    if (format == QLatin1String("emf") || format == QLatin1String("wmf")) {
        return WriteMetafiles(output, fileName, format == QLatin1String("emf"));
    }
    if (format == QLatin1String("spl")) {
        return SaveSpoolFile(output, fileName, output.PrintBackground, report.Popis())
                   ? QString()
                   : CannotWrite(fileName);
    }
    return QStringLiteral("Neznámý formát \"%1\".").arg(format);
}

}  // namespace harvel_report
