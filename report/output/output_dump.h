#pragma once
// The output as text, one line per page and per placed element in drawing
// order: "page <n>" (1-based), then "<kind> <left> <top> <width> <height>
// <text>" where text is the shown lines joined by a literal \n, "[picture]"
// for a picture and "[barcode <value>]" for a barcode. Tests and the
// command-line tool compare outputs in this form.

#include <QStringList>
#include <functional>

class TSestVystup;
class TVystPrvek;

QStringList DumpOutput(const TSestVystup& output);
// The same lines handed out one by one, so a long output is never held as text.
void DumpOutput(const TSestVystup& output, const std::function<void(const QString&)>& line);
QString DumpElement(const TVystPrvek& element);
