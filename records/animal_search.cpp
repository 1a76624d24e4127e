#include "records/animal_search.h"

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

void TAnimalSearchIndex::Build(platform::Database& database, const Acceptance& accept) {
    names_.clear();
    texts_.clear();
    platform::Query cards(database);
    cards.SetSQL(
        {QStringLiteral("Select Jmeno_registr, Jmeno_call, Cip, Tetovaci_cislo, Pohlavi "
                        "from Main_card order by Jmeno_registr")});
    cards.Open();
    names_.reserve(static_cast<size_t>(cards.RecordCount()));
    texts_.reserve(static_cast<size_t>(cards.RecordCount()));
    for (cards.First(); !cards.Eof(); cards.Next()) {
        const QString name = cards.Fields(0).AsString();
        if (accept && !accept(name, cards.Fields(4).AsString())) {
            continue;
        }
        names_.push_back(name);
        // A line break never stands in a field, so no match spans two texts.
        texts_.push_back(SearchFold(name + u'\n' + cards.Fields(1).AsString() + u'\n' +
                                    cards.Fields(2).AsString() + u'\n' +
                                    cards.Fields(3).AsString()));
    }
    cards.Close();
    built_ = true;
}

bool TAnimalSearchIndex::Matches(int index, const QString& folded) const {
    return texts_[static_cast<size_t>(index)].contains(folded);
}

int TAnimalSearchIndex::Find(const QString& typed, int from) const {
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
