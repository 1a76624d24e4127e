#include "report/output/output_dump.h"

#include <charconv>

#include "report/model/lumex_element.h"
#include "report/output/sestvyst.h"

namespace {

QString ShownText(const TVystPrvek& element) {
    if (element.Kind() == ekBarcode) {
        return QStringLiteral("[barcode %1]").arg(element.GetText());
    }
    if (element.HasPicture) {
        return QStringLiteral("[picture]");
    }
    if (element.Element && element.Element->angle != 0) {
        return element.Text;
    }
    if (element.Lines && element.FirstLine >= 0 && element.FirstLine == element.LastLine &&
        element.FirstLine < element.Lines->Count()) {
        return LineText((*element.Lines)[element.FirstLine]);
    }
    QStringList lines;
    if (element.Lines) {
        for (int i = element.FirstLine; i <= element.LastLine && i < element.Lines->Count(); ++i) {
            lines << LineText((*element.Lines)[i]);
        }
    }
    return lines.join(QStringLiteral("\\n"));
}

// The decimal digits of `number`, as QString::number writes them.
void AppendNumber(QString& line, int number) {
    char digits[12];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    (void)error;  // twelve characters hold every int
    line += QLatin1StringView(digits, end - digits);
}

}  // namespace

QString DumpElement(const TVystPrvek& element) {
    // Built in one string: a long output dumps a million of these lines, and
    // a QString::number for each figure would be five more allocations each.
    const QString text = ShownText(element);
    QString line;
    line.reserve(5 * 12 + text.size());
    for (const int number :
         {element.Kind(), element.Left, element.Top, element.Width, element.Height}) {
        AppendNumber(line, number);
        line += QLatin1Char(' ');
    }
    line += text;
    return line;
}

QStringList DumpOutput(const TSestVystup& output) {
    QStringList lines;
    DumpOutput(output, [&](const QString& line) { lines << line; });
    return lines;
}

void DumpOutput(const TSestVystup& output, const std::function<void(const QString&)>& line) {
    for (int i = 0; i < output.PageCount(); ++i) {
        line(QStringLiteral("page %1").arg(i + 1));
        if (output.FromSpool) {
            continue;
        }
        const TStranaPrvku& page = output.ReadPage(i);
        for (int k = 0; k < page.Count(); ++k) {
            line(DumpElement(page.Item(k)));
        }
    }
}
