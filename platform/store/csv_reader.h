#pragma once
// Reads CSV (csv.h) one record at a time from a device, holding only the
// physical line being read: a file of a million rows is never in memory as
// a whole. A record's line breaks inside quotes are read on as further lines.

#include <QIODevice>
#include <QString>

#include "platform/store/csv.h"

namespace platform {

class CsvReader {
  public:
    explicit CsvReader(QIODevice& device);

    // The next record that is not blank; false at the end. Throws StoreError
    // naming the line for an unterminated quote, text after a closing quote
    // or bytes that are not UTF-8.
    bool Next(CsvRecord& record);

  private:
    bool ReadLine(QString& line);
    void Start();
    bool MoreText();

    QIODevice& device_;
    QString text_;      // the line being read with its line end (at the start: the header)
    qsizetype at_ = 0;  // the next character of text_
    int physicalLines_ = 0;
    int line_ = 1;  // the line where the next record starts
    QChar separator_;
    bool started_ = false;
};

}  // namespace platform
