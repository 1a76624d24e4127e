#include "export_formats.h"

#include <QFileInfo>
#include <functional>

#include "output_files.h"

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

// Writes one file of the run through `write`; false with the reason in
// `error` (the disk's own reason, or the file named when the writer failed).
bool WriteFile(OutputFiles& files, const QString& fileName,
               const std::function<bool(QIODevice&)>& write, QString& error) {
    platform::AtomicFile* file = files.Open(fileName);
    if (file == nullptr) {
        error = files.Failure();
        return false;
    }
    const bool written = write(*file);
    if (!files.Finish(*file)) {
        error = files.Failure();
        return false;
    }
    if (!written) {
        error = CannotWrite(fileName);
    }
    return written;
}

QString CommitAll(OutputFiles& files) {
    return files.Commit() ? QString() : files.Failure();
}

// One HTML file with the header, the page's elements and the trailer.
bool WriteHtmlPage(QIODevice& file, TSestVystup& output, const QString& fileName, int page,
                   const QString& pictureBase) {
    HtmlHeader(file);
    const bool pageWritten = SaveHtmlPage(output, file, FolderOf(fileName), page, pictureBase);
    HtmlTrailer(file);
    return pageWritten;
}

// The pages as out1.html, out2.html, … and `fileName` itself as their index.
QString WriteHtmlPages(TSestVystup& output, const QString& fileName) {
    OutputFiles files;
    QString error;
    const int first = std::max(output.FirstPage, 1);
    QStringList pageFiles;
    for (int page = first; page <= output.PageCount(); ++page) {
        const QString pageFile = ReplaceExtension(fileName, QStringLiteral("%1.html").arg(page));
        const QString pictureBase =
            QFileInfo(ReplaceExtension(fileName, QStringLiteral("%1_.bmp").arg(page))).fileName();
        const auto write = [&](QIODevice& file) {
            return WriteHtmlPage(file, output, pageFile, page - 1, pictureBase);
        };
        if (!WriteFile(files, pageFile, write, error)) {
            return error;
        }
        pageFiles << QFileInfo(pageFile).fileName();
    }
    const auto index = [&](QIODevice& file) {
        return SaveHtmlIndex(file, pageFiles, output.Title);
    };
    if (!WriteFile(files, fileName, index, error)) {
        return error;
    }
    return CommitAll(files);
}

QString WriteMetafiles(TSestVystup& output, const QString& fileName, bool enhanced) {
    OutputFiles files;
    QString error;
    const QString extension = enhanced ? QStringLiteral("emf") : QStringLiteral("wmf");
    const int first = std::max(output.FirstPage, 1);
    for (int page = first; page <= output.PageCount(); ++page) {
        const QString pageFile =
            ReplaceExtension(fileName, QStringLiteral("%1.%2").arg(page).arg(extension));
        const auto write = [&](QIODevice& file) {
            return SaveMetafile(output, file, page - 1, false, output.PrintBackground, enhanced);
        };
        if (!WriteFile(files, pageFile, write, error)) {
            return error;
        }
    }
    return CommitAll(files);
}

// A format written as one file.
QString WriteSingle(const QString& fileName, const std::function<bool(QIODevice&)>& write) {
    OutputFiles files;
    QString error;
    return WriteFile(files, fileName, write, error) ? CommitAll(files) : error;
}

}  // namespace

bool IsExportFormat(const QString& format) {
    static const QStringList formats = {"html", "html-single", "rtf", "txt", "emf", "wmf", "spl"};
    return formats.contains(format);
}

TSestLanguage CodePageOf(const QString& name) {
    if (name == QLatin1String("ascii")) {
        return slASCII;
    }
    if (name == QLatin1String("cp867")) {
        return slCP867;
    }
    if (name == QLatin1String("cp852")) {
        return slCP852;
    }
    if (name == QLatin1String("cp1250")) {
        return slCP1250;
    }
    if (name == QLatin1String("iso88592")) {
        return slISO88592;
    }
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
        return WriteSingle(fileName, [&](QIODevice& file) {
            return SaveHtmlPage(output, file, FolderOf(fileName), 0, pictureBase);
        });
    }
    if (format == QLatin1String("rtf")) {
        return WriteSingle(fileName, [&](QIODevice& file) { return SaveRtf(output, file); });
    }
    if (format == QLatin1String("txt")) {
        QString lost;
        const QString failure = WriteSingle(fileName, [&](QIODevice& file) {
            return SaveTextStream(output, file, output.FirstPage, output.LastPage, output.Copies,
                                  nullptr, &lost);
        });
        if (failure.isEmpty() && !lost.isEmpty()) {
            report.ReportLostCharacters(lost);
        }
        return failure;
    }
    if (format == QLatin1String("emf") || format == QLatin1String("wmf")) {
        return WriteMetafiles(output, fileName, format == QLatin1String("emf"));
    }
    if (format == QLatin1String("spl")) {
        return WriteSingle(fileName, [&](QIODevice& file) {
            return SaveSpool(output, file, output.PrintBackground, report.Popis());
        });
    }
    return QStringLiteral("Neznámý formát \"%1\".").arg(format);
}

}  // namespace harvel_report
