#pragma once
// The temporary page store of a long report run: finished pages are written
// to a temporary file as bytes (page_codec.h) and read back on demand, so the
// memory of a run does not grow with its pages. The file lives in the
// system's temporary folder and is removed as soon as it is open (where the
// system allows it), so nothing is left behind by a run that is cancelled,
// fails or is killed. Elements the run will still change (the total page
// count) and elements with vector pictures stay in memory with their page's
// record.

#include <QByteArray>
#include <QFile>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class TStranaPrvku;
class TVystPrvek;

class TPageStore {
  public:
    TPageStore();
    ~TPageStore();
    TPageStore(const TPageStore&) = delete;
    TPageStore& operator=(const TPageStore&) = delete;

    // False once the temporary file could not be made; pages stay in memory then.
    bool IsUsable() const { return !failed_; }

    // Elements that are kept in memory when their page is stored.
    void Hold(const TVystPrvek* element) { held_.insert(element); }

    // Writes the page; returns the number of its record, or -1 when the file
    // could not be written (the caller keeps the page then).
    int Put(std::unique_ptr<TStranaPrvku>& page);
    // The page of a record, read into a small cache: the reference stays
    // valid until kCachedPages other records have been read.
    const TStranaPrvku& Get(int record) const;
    // The page of a record back into the caller's hands; the record is freed.
    std::unique_ptr<TStranaPrvku> Take(int record);
    void Drop(int record);
    // Forgets the pages read, after an element kept in memory has changed.
    void ForgetCache() const { cache_.clear(); }

    static constexpr int kCachedPages = 4;

  private:
    struct Record {
        qint64 offset = 0;
        qint64 size = 0;
        std::vector<std::unique_ptr<TVystPrvek>> kept;
    };
    struct Cached {
        int record;
        std::unique_ptr<TStranaPrvku> page;
    };
    std::unique_ptr<TStranaPrvku> Read(int record, bool copyKept) const;
    bool OpenFile();

    std::unique_ptr<QFile> file_;  // made when the first page is stored
    bool failed_ = false;
    qint64 end_ = 0;
    std::vector<Record> records_;
    std::unordered_set<const TVystPrvek*> held_;
    mutable std::deque<Cached> cache_;
    std::string written_;        // the bytes of the page being stored
    mutable QByteArray buffer_;  // the bytes of the page being read
};
