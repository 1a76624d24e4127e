#pragma once
// Finding an animal by a few letters: an index of every record sheet's
// registered name, call name, chip number and tattoo number, folded so that
// Czech letters and letter case are ignored ("cert" finds "Čert"), searched
// for any part of any of the four texts. The same index finds an entry of
// the address book by its names, contact, town, telephone or e-mail.

#include <QString>
#include <functional>
#include <vector>

namespace platform {
class Database;
}

// Lower case without the marks of Czech letters: "Žofie Č" -> "zofie c".
QString SearchFold(const QString& text);

// What an index reads: a query whose first column is the key the list is
// moved to, the next ones the texts searched, and, with `lastIsSex`, a last
// column that only the acceptance sees.
struct TSearchedTexts {
    QString select;
    QString keyColumn;
    bool lastIsSex = false;
};

TSearchedTexts AnimalTexts();
TSearchedTexts AddressTexts();

class TSearchIndex {
  public:
    explicit TSearchIndex(TSearchedTexts texts = AnimalTexts()) : read_(std::move(texts)) {}
    const TSearchedTexts& Read() const { return read_; }

    // Decides by registered name and sex ("Pohlavi") which animals the index
    // holds; all when empty.
    using Acceptance = std::function<bool(const QString& name, const QString& sex)>;

    // Reads the rows of the database, in the order of their keys.
    void Build(platform::Database& database, const Acceptance& accept = {});
    bool IsBuilt() const { return built_; }
    void Invalidate() { built_ = false; }

    int Size() const { return static_cast<int>(names_.size()); }
    const QString& NameAt(int index) const { return names_[static_cast<size_t>(index)]; }

    // The first animal at or after `from` whose texts hold `typed` (folded),
    // going round to the start; -1 when none does or `typed` is empty.
    int Find(const QString& typed, int from = 0) const;

  private:
    bool Matches(int index, const QString& folded) const;

    TSearchedTexts read_;
    std::vector<QString> names_;
    std::vector<QString> texts_;  // the four texts folded, joined by a line break
    bool built_ = false;
};
