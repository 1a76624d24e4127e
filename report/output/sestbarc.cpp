// The barcode types of the designer's list and the bar-width list.

#include "report/output/sestbarc.h"

const QStringList& BarcodeTypeNames() {
    static const QStringList names = {QStringLiteral("2/5 interleaved"),
                                      QStringLiteral("2/5 industrial"),
                                      QStringLiteral("2/5 matrix"),
                                      QStringLiteral("Code 39"),
                                      QStringLiteral("Code 39 Full"),
                                      QStringLiteral("Code 128A"),
                                      QStringLiteral("Code 128B"),
                                      QStringLiteral("Code 128C"),
                                      QStringLiteral("Code 93"),
                                      QStringLiteral("Code 93 Full"),
                                      QStringLiteral("MSI"),
                                      QStringLiteral("PostNet"),
                                      QStringLiteral("Codebar"),
                                      QStringLiteral("EAN 8"),
                                      QStringLiteral("EAN 13"),
                                      QStringLiteral("UPC-A"),
                                      QStringLiteral("UPC-E0"),
                                      QStringLiteral("UPC-E1"),
                                      QStringLiteral("UPC Supp2"),
                                      QStringLiteral("UPC Supp5"),
                                      QStringLiteral("EAN 8/13")};
    return names;
}

QString BarcodeTypeName(int type) {
    return type >= 0 && type < kBarcodeTypeCount ? BarcodeTypeNames().at(type) : QString();
}

bool IsDigitBarcodeType(int type) {
    switch (type) {
        case btCode39:
        case btCode39Full:
        case btCode128A:
        case btCode128B:
        case btCode93:
        case btCode93Full:
        case btCodabar:
            return false;
        default:
            return type >= 0 && type < kBarcodeTypeCount;
    }
}

const std::vector<TBarWidth>& BarWidthList() {
    static const std::vector<TBarWidth> list = [] {
        const char* captions[] = {"0,50",  "0,63",  "0,75",  "0,88", "1,00", "1,13", "1,25", "1,38",
                                  "1,50",  "1,63",  "1,75",  "1,88", "2,00", "2,25", "2,50", "2,75",
                                  "3,00",  "3,25",  "3,50",  "3,75", "4,00", "4,25", "4,50", "4,75",
                                  "5,00",  "5,50",  "6,00",  "6,50", "7,00", "7,50", "8,00", "9,00",
                                  "10,00", "12,00", "14,00", "16,00"};
        const int values[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  15,
                              16, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36,  38,
                              40, 44, 48, 52, 56, 60, 64, 72, 80, 96, 112, 128};
        std::vector<TBarWidth> entries;
        for (size_t i = 0; i < std::size(values); ++i) {
            entries.push_back({QString::fromLatin1(captions[i]), values[i]});
        }
        return entries;
    }();
    return list;
}

int DefaultBarWidthIndex() {
    return 4;
}

int FindBarWidthIndex(int moduleWidth) {
    const std::vector<TBarWidth>& list = BarWidthList();
    if (moduleWidth < 1 || moduleWidth > list.back().value) {
        return DefaultBarWidthIndex();
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].value >= moduleWidth) {
            return static_cast<int>(i);
        }
    }
    return DefaultBarWidthIndex();
}
