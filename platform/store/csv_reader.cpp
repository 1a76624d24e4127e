#include "platform/store/csv_reader.h"

#include <QStringDecoder>

#include "platform/store/store_error.h"

namespace platform {
namespace {

bool IsBlank(const CsvRecord& r) {
    return r.fields.size() == 1 && r.fields[0].isEmpty();
}

// A header line with semicolons and no commas outside quotes is one of a
// spreadsheet writing in Czech.
QChar SeparatorOf(const QString& header) {
    bool quoted = false;
    bool semicolon = false;
    for (QChar c : header) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (quoted) {
            continue;
        }
        if (c == '\n' || c == '\r') {
            break;
        }
        if (c == ',') {
            return ',';
        }
        if (c == ';') {
            semicolon = true;
        }
    }
    return semicolon ? QChar(';') : QChar(',');
}

}  // namespace

CsvReader::CsvReader(QIODevice& device) : device_(device) {}

// Lines are decoded one by one: a line end is never part of a UTF-8
// sequence, so each line decodes alone and a fault names its own line.
bool CsvReader::ReadLine(QString& line) {
    if (device_.atEnd()) {
        return false;
    }
    const QByteArray bytes = device_.readLine();
    ++physicalLines_;
    // The byte-order mark is kept by the decoder and dropped only at the file's start.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    line = decoder(bytes);
    if (decoder.hasError()) {
        throw StoreError(
            QStringLiteral("řádek %1: text není v kódování UTF-8").arg(physicalLines_));
    }
    if (physicalLines_ == 1 && line.startsWith(QChar(0xFEFF))) {
        line.remove(0, 1);
    }
    return true;
}

// The separator is known from the header, so the header's first record is
// read ahead (further lines while a quote is open) before parsing starts.
void CsvReader::Start() {
    started_ = true;
    QString line;
    while (text_.count(u'"') % 2 != 0 || text_.isEmpty()) {
        if (!ReadLine(line)) {
            break;
        }
        text_ += line;
    }
    separator_ = SeparatorOf(text_);
}

bool CsvReader::MoreText() {
    if (at_ < text_.size()) {
        return true;
    }
    if (!ReadLine(text_)) {
        return false;
    }
    at_ = 0;
    return true;
}

bool CsvReader::Next(CsvRecord& record) {
    if (!started_) {
        Start();
    }
    record = CsvRecord();
    record.line = line_;
    record.fields << QString();
    bool quoted = false, afterQuote = false, fieldStarted = false;
    while (MoreText()) {
        const QChar c = text_[at_++];
        if (quoted) {
            if (c == '"') {
                if (at_ < text_.size() && text_[at_] == '"') {
                    record.fields.last() += '"';
                    ++at_;
                } else {
                    quoted = false;
                    afterQuote = true;
                }
            } else {
                if (c == '\n') {
                    ++line_;
                }
                record.fields.last() += c;
            }
            continue;
        }
        if (c == separator_) {
            record.fields << QString();
            fieldStarted = afterQuote = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') {
                ++at_;
            }
            ++line_;
            if (!IsBlank(record)) {
                return true;
            }
            record.line = line_;
            fieldStarted = afterQuote = false;
        } else if (afterQuote) {
            throw StoreError(
                QStringLiteral("řádek %1: za uzavírací uvozovkou následuje text").arg(line_));
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else {
            record.fields.last() += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        throw StoreError(QStringLiteral("řádek %1: neukončené uvozovky").arg(record.line));
    }
    return !IsBlank(record);
}

}  // namespace platform
