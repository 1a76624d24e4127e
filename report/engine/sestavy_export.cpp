// The report component's file outputs: the character-cell text, the page
// metafiles, the spool file, the HTML pages and the RTF document. Each either
// generates the report first or writes the output as it stands; a file that
// cannot be written answers seWriteFile, and named files are written through
// a temporary file so that a failure leaves no file that looks complete.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "platform/atomic_file.h"
#include "report/engine/sestavy.h"
#include "report/output/sestexport.h"

namespace {

// The text file is copied in steps of this size, asking the progress window
// between steps whether the user stopped.
constexpr qsizetype kCopyStep = 16 * 1024;

const QString kSavingToFile = QStringLiteral("Ukládám data do souboru ...");

bool WriteBytes(QIODevice& stream, const QByteArray& bytes) {
    return stream.isWritable() && stream.write(bytes) == bytes.size();
}

bool WriteBytesToFile(const QString& fileName, const QByteArray& bytes) {
    platform::AtomicFile file(fileName);
    if (!file.Open()) {
        return false;
    }
    return file.write(bytes) == bytes.size() && file.Commit();
}

// `fileName` in `folder`; a name with its own absolute path stays as it is.
QString InFolder(const QString& folder, const QString& fileName) {
    return folder.isEmpty() ? fileName : QDir(folder).filePath(fileName);
}

// Resets a flag to its value before, also when an exception passes.
class TFlagScope {
  public:
    TFlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~TFlagScope() { flag_ = saved_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

  private:
    bool& flag_;
    bool saved_;
};

// The pages a multi-page output covers: FirstPage..LastPage, 1-based.
struct PageRange {
    int first;
    int last;
    bool Empty() const { return first > last; }
};

PageRange RangeOf(const TSestVystup& output) {
    return {std::max(output.FirstPage, 1), std::min(output.LastPage, output.PageCount())};
}

}  // namespace

// ---- shared steps ------------------------------------------------------------------------------

int TSestava::GenerateForExport() {
    const int r = GenerateReported();
    if (r == seOK) {
        PrepareOutput();
    }
    return r;
}

int TSestava::CatchingWriteErrors(const std::function<int()>& write) {
    // A writer that throws (no memory for a huge page picture) ends like one
    // that could not write; the file it was writing is never committed.
    try {
        return write();
    } catch (const std::exception&) {
        return Report(seWriteFile);
    }
}

int TSestava::Writing(const std::function<int()>& write) {
    return WithOutput([&] { return CatchingWriteErrors(write); });
}

int TSestava::GenerateThen(const std::function<int()>& write) {
    return WithOutput([&] {
        const int r = GenerateForExport();
        return r == seOK ? CatchingWriteErrors(write) : r;
    });
}

int TSestava::CheckPage(int page) {
    if (page < 0 || page >= Output().PageCount()) {
        return Report(seJina);
    }
    return seOK;
}

int TSestava::WritePageFiles(const QString& fileName, const QString& extension, bool paperGeometry,
                             bool background, bool enhanced) {
    TSestVystup& out = Output();
    const PageRange pages = RangeOf(out);
    if (pages.Empty()) {
        return Report(seJina);
    }
    for (int k = pages.first; k <= pages.last; ++k) {
        const QString pageFile = ReplaceExtension(fileName, QString::number(k) + extension);
        if (!SaveMetafileFile(out, pageFile, k - 1, paperGeometry, background, enhanced)) {
            return Report(seWriteFile);
        }
    }
    return seOK;
}

int TSestava::WriteHtmlPage(QIODevice& stream, const QString& folder, int page,
                            const QString& pictureBase) {
    TSestVystup& out = Output();
    // Pages read from a spool file are pictures only: there are no elements.
    if (out.FromSpool) {
        return Report(seJina);
    }
    if (const int r = CheckPage(page); r != seOK) {
        return r;
    }
    QBuffer html;
    html.open(QIODevice::WriteOnly);
    HtmlHeader(html);
    const bool pageWritten = SaveHtmlPage(out, html, folder, page, pictureBase);
    HtmlTrailer(html);
    if (!pageWritten || !WriteBytes(stream, html.data())) {
        return Report(seWriteFile);
    }
    return seOK;
}

int TSestava::WriteHtmlFile(const QString& folder, const QString& fileName, int page,
                            const QString& pictureBase) {
    QBuffer html;
    html.open(QIODevice::WriteOnly);
    if (const int r = WriteHtmlPage(html, folder, page, pictureBase); r != seOK) {
        return r;
    }
    if (!WriteBytesToFile(InFolder(folder, fileName), html.data())) {
        return Report(seWriteFile);
    }
    return seOK;
}

int TSestava::CopyToFile(const QByteArray& text, const QString& fileName) {
    platform::AtomicFile file(fileName);
    if (!file.Open()) {
        return seWriteFile;
    }
    std::unique_ptr<TRunProgress> progress = CreateRunProgress();
    if (progress) {
        progress->SetText(kSavingToFile);
    }
    for (qsizetype at = 0; at <= text.size(); at += kCopyStep) {
        if (progress && progress->Poll()) {
            file.Discard();
            return sePreruseno;
        }
        const qsizetype count = std::min(kCopyStep, text.size() - at);
        if (count > 0 && file.write(text.constData() + at, count) != count) {
            file.Discard();
            return seWriteFile;
        }
    }
    return file.Commit() ? seOK : seWriteFile;
}

// ---- character-cell text --------------------------------------------------------------------

int TSestava::PrintText(const std::function<int(const QByteArray& text)>& write) {
    return WithOutput([&] {
        if (BeforePrint) {
            BeforePrint(*this);
        }
        int r = GenerateForExport();
        if (r == seOK) {
            r = CatchingWriteErrors([&] {
                const TSestVystup& out = Output();
                QBuffer text;
                text.open(QIODevice::WriteOnly);
                QString lost;
                SaveTextStream(out, text, out.FirstPage, out.LastPage, out.Copies, nullptr, &lost);
                const int written = Report(write(text.data()));
                if (written == seOK && !lost.isEmpty()) {
                    ReportLostCharacters(lost);
                }
                return written;
            });
        }
        if (AfterPrint) {
            AfterPrint(*this);
        }
        return r;
    });
}

int TSestava::PrintToStream(QIODevice& stream) {
    return PrintText(
        [&](const QByteArray& text) { return WriteBytes(stream, text) ? seOK : seWriteFile; });
}

int TSestava::PrintToFile(const QString& fileName) {
    return PrintText([&](const QByteArray& text) { return CopyToFile(text, fileName); });
}

// ---- page metafiles ---------------------------------------------------------------------------

int TSestava::ExportEmf(QIODevice& stream, int page, bool paperGeometry, bool background) {
    return Writing([&] {
        if (const int r = CheckPage(page); r != seOK) {
            return r;
        }
        const bool written = stream.isWritable() &&
                             SaveMetafile(Output(), stream, page, paperGeometry, background, true);
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportEmf(const QString& fileName, int page, bool paperGeometry, bool background) {
    return Writing([&] {
        if (const int r = CheckPage(page); r != seOK) {
            return r;
        }
        const bool written =
            SaveMetafileFile(Output(), fileName, page, paperGeometry, background, true);
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportWmf(QIODevice& stream, int page, bool background) {
    return Writing([&] {
        if (const int r = CheckPage(page); r != seOK) {
            return r;
        }
        const bool written =
            stream.isWritable() && SaveMetafile(Output(), stream, page, false, background, false);
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportWmf(const QString& fileName, int page, bool background) {
    return Writing([&] {
        if (const int r = CheckPage(page); r != seOK) {
            return r;
        }
        const bool written = SaveMetafileFile(Output(), fileName, page, false, background, false);
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportAllEmf(const QString& fileName, bool paperGeometry, bool background) {
    return GenerateThen([&] {
        return WritePageFiles(fileName, QStringLiteral(".emf"), paperGeometry, background, true);
    });
}

int TSestava::ExportAllWmf(const QString& fileName, bool background) {
    return GenerateThen(
        [&] { return WritePageFiles(fileName, QStringLiteral(".wmf"), false, background, false); });
}

// ---- spool file -------------------------------------------------------------------------------

int TSestava::ExportSpool(QIODevice& stream, bool background) {
    return GenerateThen([&] {
        if (Output().PageCount() == 0) {
            return Report(seJina);
        }
        const bool written =
            stream.isWritable() && SaveSpool(Output(), stream, background, Popis());
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportSpool(const QString& fileName, bool background) {
    return GenerateThen([&] {
        if (Output().PageCount() == 0) {
            return Report(seJina);
        }
        const bool written = SaveSpoolFile(Output(), fileName, background, Popis());
        return written ? int(seOK) : Report(seWriteFile);
    });
}

// ---- HTML -------------------------------------------------------------------------------------

int TSestava::ExportHtmlPage(QIODevice& stream, const QString& folder, int page,
                             const QString& pictureBase) {
    return Writing([&] { return WriteHtmlPage(stream, folder, page, pictureBase); });
}

int TSestava::ExportHtmlPage(const QString& folder, const QString& fileName, int page,
                             const QString& pictureBase) {
    return Writing([&] { return WriteHtmlFile(folder, fileName, page, pictureBase); });
}

int TSestava::ExportHtmlAll(const QString& folder, const QString& fileName,
                            const QString& pictureName) {
    return GenerateThen([&] {
        const PageRange pages = RangeOf(Output());
        if (pages.Empty()) {
            return Report(seJina);
        }
        QStringList pageFiles;
        for (int k = pages.first; k <= pages.last; ++k) {
            const QString pageFile = ReplaceExtension(fileName, QStringLiteral("%1.html").arg(k));
            const QString pictureBase =
                ReplaceExtension(pictureName, QStringLiteral("%1_.bmp").arg(k));
            if (const int r = WriteHtmlFile(folder, pageFile, k - 1, pictureBase); r != seOK) {
                return r;
            }
            pageFiles << QFileInfo(pageFile).fileName();
        }
        // `fileName` itself links the pages in order.
        if (!SaveHtmlIndexFile(InFolder(folder, fileName), pageFiles, Output().Title)) {
            return Report(seWriteFile);
        }
        return int(seOK);
    });
}

int TSestava::GenerateUnpagedThen(const std::function<int()>& write) {
    TFlagScope unpaged(Unpaged, true);
    return GenerateThen(write);
}

int TSestava::ExportHtmlSingle(QIODevice& stream, const QString& folder,
                               const QString& pictureBase) {
    return GenerateUnpagedThen([&] { return WriteHtmlPage(stream, folder, 0, pictureBase); });
}

int TSestava::ExportHtmlSingle(const QString& folder, const QString& fileName,
                               const QString& pictureBase) {
    return GenerateUnpagedThen([&] { return WriteHtmlFile(folder, fileName, 0, pictureBase); });
}

// ---- RTF --------------------------------------------------------------------------------------

int TSestava::ExportRtf(QIODevice& stream) {
    return GenerateThen([&] {
        if (Output().PageCount() == 0) {
            return Report(seJina);
        }
        const bool written = stream.isWritable() && SaveRtf(Output(), stream);
        return written ? int(seOK) : Report(seWriteFile);
    });
}

int TSestava::ExportRtf(const QString& fileName) {
    return GenerateThen([&] {
        if (Output().PageCount() == 0) {
            return Report(seJina);
        }
        return SaveRtfFile(Output(), fileName) ? int(seOK) : Report(seWriteFile);
    });
}
