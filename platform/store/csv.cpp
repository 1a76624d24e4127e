#include "platform/store/csv.h"

#include <QStringDecoder>

#include "platform/store/store_error.h"

namespace platform {
namespace {

QString DecodeUtf8(const QByteArray& data) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(data);
    if (!decoder.hasError())
        return text;
    // Find the first line holding a bad byte sequence, to name it.
    int line = 1;
    qsizetype start = 0;
    while (start <= data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QStringDecoder probe(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)QString(probe(data.mid(start, end - start)));
        if (probe.hasError())
            break;
        ++line;
        start = end + 1;
    }
    throw StoreError(QStringLiteral("řádek %1: text není v kódování UTF-8").arg(line));
}

QChar DetectSeparator(const QString& text) {
    bool quoted = false;
    bool semicolon = false;
    for (QChar c : text) {
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == '\n' || c == '\r')
            break;
        if (c == ',')
            return ',';
        if (c == ';')
            semicolon = true;
    }
    return semicolon ? QChar(';') : QChar(',');
}

bool IsBlank(const CsvRecord& r) {
    return r.fields.size() == 1 && r.fields[0].isEmpty();
}

}  // namespace

std::vector<CsvRecord> ParseCsv(const QByteArray& data) {
    QString text = DecodeUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QChar separator = DetectSeparator(text);
    std::vector<CsvRecord> records;
    CsvRecord record;
    record.line = 1;
    record.fields << QString();
    int line = 1;
    bool quoted = false, afterQuote = false, fieldStarted = false;
    auto endRecord = [&]() {
        if (!IsBlank(record))
            records.push_back(record);
        record = CsvRecord();
        record.line = line;
        record.fields << QString();
        fieldStarted = afterQuote = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    record.fields.last() += '"';
                    ++i;
                } else {
                    quoted = false;
                    afterQuote = true;
                }
            } else {
                if (c == '\n')
                    ++line;
                record.fields.last() += c;
            }
            continue;
        }
        if (c == separator) {
            record.fields << QString();
            fieldStarted = afterQuote = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++line;
            endRecord();
        } else if (afterQuote) {
            throw StoreError(
                QStringLiteral("řádek %1: za uzavírací uvozovkou následuje text").arg(line));
        } else if (c == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else {
            record.fields.last() += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw StoreError(QStringLiteral("řádek %1: neukončené uvozovky").arg(record.line));
    endRecord();
    return records;
}

QByteArray CsvLine(const QStringList& fields, QChar separator) {
    QStringList quoted;
    for (const QString& f : fields) {
        // A comma-separated field with a semicolon is quoted too, so that a
        // header line is never taken for a semicolon-separated one.
        const bool needs = f.contains(separator) || (separator == u',' && f.contains(';')) ||
                           f.contains('"') || f.contains('\n') || f.contains('\r') ||
                           f.startsWith(' ') || f.endsWith(' ');
        if (!needs) {
            quoted << f;
            continue;
        }
        QString q = f;
        q.replace('"', QStringLiteral("\"\""));
        quoted << '"' + q + '"';
    }
    return quoted.join(separator).toUtf8() + "\r\n";
}

}  // namespace platform
