#include "controls/search_index.h"

#include <algorithm>

#include "platform/store/field.h"
#include "platform/store/query.h"

QString SearchFold(const QString& text) {
    // Most texts (chips, tattoos, many names) are plain ASCII: no marks to drop.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        return text.toLower();
    }
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            folded += c;
        }
    }
    return folded.toCaseFolded();
}

TSearchedTexts AnimalTexts() {
    return {QStringLiteral("Select Jmeno_registr, Jmeno_call, Cip, Tetovaci_cislo, Pohlavi "
                           "from Main_card order by Jmeno_registr"),
            QStringLiteral("Jmeno_registr"), true};
}

TSearchedTexts AddressTexts() {
    return {QStringLiteral("Select Nazev_Key, Nazev, Kontakt_osoba, Obec_1, Obec_2, Telefon_1, "
                           "Email from Adresar order by Nazev_Key"),
            QStringLiteral("Nazev_Key"), false};
}

void TSearchIndex::Build(platform::Database& database, const Acceptance& accept) {
    names_.clear();
    texts_.clear();
    platform::Query rows(database);
    rows.SetSQL({read_.select});
    rows.Open();
    const int textColumns = rows.FieldCount() - (read_.lastIsSex ? 1 : 0);
    names_.reserve(static_cast<size_t>(rows.RecordCount()));
    texts_.reserve(static_cast<size_t>(rows.RecordCount()));
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const QString name = rows.Fields(0).AsString();
        const QString sex = read_.lastIsSex ? rows.Fields(textColumns).AsString() : QString();
        if (accept && !accept(name, sex)) {
            continue;
        }
        // A line break never stands in a field, so no match spans two texts.
        QString texts = name;
        for (int column = 1; column < textColumns; ++column) {
            texts += u'\n' + rows.Fields(column).AsString();
        }
        names_.push_back(name);
        texts_.push_back(SearchFold(texts));
    }
    rows.Close();
    built_ = true;
}

bool TSearchIndex::Matches(int index, const QString& folded) const {
    return texts_[static_cast<size_t>(index)].contains(folded);
}

int TSearchIndex::Find(const QString& typed, int from) const {
    const QString folded = SearchFold(typed.trimmed());
    const int size = Size();
    if (folded.isEmpty() || size == 0) {
        return -1;
    }
    const int start = from < 0 || from >= size ? 0 : from;
    for (int step = 0; step < size; ++step) {
        const int index = (start + step) % size;
        if (Matches(index, folded)) {
            return index;
        }
    }
    return -1;
}
