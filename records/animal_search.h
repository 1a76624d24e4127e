#pragma once
// Finding an animal by a few letters: an index of every record sheet's
// registered name, call name, chip number and tattoo number, folded so that
// Czech letters and letter case are ignored ("cert" finds "Čert"), searched
// for any part of any of the four texts.

#include <QString>
#include <functional>
#include <vector>

namespace platform {
class Database;
}

// Lower case without the marks of Czech letters: "Žofie Č" -> "zofie c".
QString SearchFold(const QString& text);

class TAnimalSearchIndex {
  public:
    // Decides by registered name and sex ("Pohlavi") which animals the index
    // holds; all when empty.
    using Acceptance = std::function<bool(const QString& name, const QString& sex)>;

    // Reads the record sheets of the database, in the order of their names.
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

    std::vector<QString> names_;
    std::vector<QString> texts_;  // the four texts folded, joined by a line break
    bool built_ = false;
};
