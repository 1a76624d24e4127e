// Spool files: every page as an enhanced metafile record after a small header
// carrying the document name, the way the print spooler stores a job. Read
// back, the pages become the output's spool pages.
#include <QtEndian>

#include "report/output/export_elements.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"

QByteArray PageAsPaperEmf(TSestVystup& output, int page, bool withBackground);

namespace {

constexpr quint32 kSpoolVersion = 0x00010000;
constexpr quint32 kHeaderFixedSize = 16;
constexpr quint32 kRecordEmfPage = 12;
constexpr quint32 kRecordEndPage = 13;
constexpr qint64 kMaxPageBytes = 256LL << 20;

void Append32(QByteArray& bytes, quint32 value) {
    char le[4];
    qToLittleEndian(value, le);
    bytes.append(le, 4);
}

// The document name as UTF-16 code units with a closing NUL, padded with one
// more NUL to an even count.
QByteArray DocumentName(const QString& title, quint32& units) {
    QString name = title + QChar(0);
    if (name.size() % 2 != 0) {
        name += QChar(0);
    }
    units = quint32(name.size());
    QByteArray bytes;
    for (const QChar c : name) {
        char le[2];
        qToLittleEndian(c.unicode(), le);
        bytes.append(le, 2);
    }
    return bytes;
}

QByteArray SpoolHeader(const QString& title) {
    quint32 n = 0;
    const QByteArray name = DocumentName(title, n);
    QByteArray header;
    Append32(header, kSpoolVersion);
    Append32(header, 20 + 2 * n);
    Append32(header, kHeaderFixedSize);
    Append32(header, kHeaderFixedSize + 2 * n);
    header += name;
    Append32(header, 0);  // an empty port name and its padding
    return header;
}

bool WriteAll(QIODevice& stream, const QByteArray& bytes) {
    return stream.write(bytes) == bytes.size();
}

}  // namespace

bool SaveSpool(TSestVystup& output, QIODevice& stream, bool withBackground, const QString& title) {
    if (output.PageCount() == 0) {
        return true;
    }
    bool ok = WriteAll(stream, SpoolHeader(title));
    for (int page = 0; page < output.PageCount() && ok; ++page) {
        const QByteArray emf = PageAsPaperEmf(output, page, withBackground);
        if (emf.isEmpty()) {
            continue;  // a page that cannot be rendered is left out
        }
        QByteArray record;
        Append32(record, kRecordEmfPage);
        Append32(record, quint32(emf.size()));
        record += emf;
        Append32(record, kRecordEndPage);
        Append32(record, 0);
        ok = WriteAll(stream, record);
    }
    QByteArray end;
    Append32(end, kRecordEmfPage);
    Append32(end, 0);
    return WriteAll(stream, end) && ok;
}

bool SaveSpoolFile(TSestVystup& output, const QString& fileName, bool withBackground,
                   const QString& title) {
    if (output.PageCount() == 0) {
        return true;
    }
    return WriteFileAtomically(fileName, [&](QIODevice& device) {
        return SaveSpool(output, device, withBackground, title);
    });
}

namespace {

class SpoolReader {
  public:
    explicit SpoolReader(QIODevice& stream) : stream_(stream) {}

    qint64 Remaining() const { return stream_.bytesAvailable(); }

    bool Read(qint64 count, QByteArray& bytes) {
        bytes = stream_.read(count);
        return bytes.size() == count;
    }
    bool Read32(quint32& value) {
        QByteArray bytes;
        if (!Read(4, bytes)) {
            return false;
        }
        value = qFromLittleEndian<quint32>(bytes.constData());
        return true;
    }

  private:
    QIODevice& stream_;
};

bool Fail(QString* error, const QString& why) {
    if (error) {
        *error = why;
    }
    return false;
}

QString ReadTitle(const QByteArray& header, quint32 nameOffset, quint32 portOffset) {
    QString title;
    if (nameOffset < kHeaderFixedSize || portOffset <= nameOffset) {
        return title;
    }
    const qint64 units = (qint64(portOffset) - nameOffset) / 2;
    for (qint64 i = 0; i < units; ++i) {
        const qint64 at = nameOffset + 2 * i;
        if (at + 2 > header.size()) {
            break;
        }
        const char16_t unit = qFromLittleEndian<quint16>(header.constData() + at);
        if (unit == 0) {
            break;
        }
        title += QChar(unit);
    }
    return title;
}

bool ReadHeader(SpoolReader& reader, QString& title, QString* error) {
    QByteArray fixed;
    if (!reader.Read(kHeaderFixedSize, fixed)) {
        return Fail(error, QStringLiteral("hlavička je neúplná"));
    }
    const quint32 headerSize = qFromLittleEndian<quint32>(fixed.constData() + 4);
    const quint32 nameOffset = qFromLittleEndian<quint32>(fixed.constData() + 8);
    const quint32 portOffset = qFromLittleEndian<quint32>(fixed.constData() + 12);
    if (headerSize <= 18) {
        return true;
    }
    QByteArray rest;
    if (headerSize - kHeaderFixedSize > reader.Remaining() ||
        !reader.Read(headerSize - kHeaderFixedSize, rest)) {
        return Fail(error, QStringLiteral("hlavička je delší než soubor"));
    }
    title = ReadTitle(fixed + rest, nameOffset, portOffset);
    return true;
}

}  // namespace

bool LoadSpool(TSestVystup& output, QIODevice& stream, QString* error) {
    TPaperSetup& paper = PaperSetup();
    paper.PaperWidth = 826;
    paper.PaperHeight = 1169;
    paper.Orientation = 0;
    paper.MarginLeft = paper.MarginRight = paper.MarginTop = paper.MarginBottom = 0;
    output.Clear();
    output.Title.clear();
    std::vector<platform::VectorPicture> pages;
    auto finish = [&](bool ok) {
        output.SetSpoolPages(std::move(pages));
        return ok;
    };
    SpoolReader reader(stream);
    QString title;
    if (reader.Remaining() > 18 && !ReadHeader(reader, title, error)) {
        return finish(false);
    }
    output.Title = title;
    bool ended = false;
    while (!ended && reader.Remaining() >= 8) {
        quint32 type = 0;
        quint32 size = 0;
        if (!reader.Read32(type) || !reader.Read32(size)) {
            return finish(Fail(error, QStringLiteral("záznam je neúplný")));
        }
        if (type == kRecordEmfPage && size == 0) {
            ended = true;
        } else if (type == kRecordEndPage && size == 0) {
            continue;  // the end of the page just read
        } else if (type != kRecordEmfPage) {
            // Skipping a record it does not understand could drop a page
            // without a word: the file counts as damaged.
            return finish(Fail(error, QStringLiteral("neznámý záznam typu %1 za stránkou %2")
                                          .arg(type)
                                          .arg(pages.size())));
        } else {
            QByteArray emf;
            if (size > kMaxPageBytes || size > reader.Remaining() || !reader.Read(size, emf)) {
                return finish(Fail(error, QStringLiteral("stránka je delší než soubor")));
            }
            platform::VectorPicture page;
            QString why;
            if (!page.LoadEmf(emf, &why)) {
                return finish(Fail(
                    error,
                    QStringLiteral("stránka %1 je poškozená: %2").arg(pages.size() + 1).arg(why)));
            }
            pages.push_back(std::move(page));
        }
    }
    if (!ended) {
        return finish(Fail(error, QStringLiteral("soubor nemá ukončovací záznam")));
    }
    return finish(true);
}
