#pragma once
// The temporary page store of a long report run: finished pages are written
// to a temporary file as bytes (page_codec.h) and read back on demand, so the
// memory of a run does not grow with its pages. The file lives in the
// system's temporary folder and is removed as soon as it is open (where the
// system allows it), so nothing is left behind by a run that is cancelled,
// fails or is killed. Elements the run will still change (the total page
// count) and elements with vector pictures stay in memory with their page's
// record. A thread of the store (page_store_worker.h) encodes and writes the
// pages while the run goes on, and reads ahead the page after the one read.

#include <QtGlobal>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class PageStoreWorker;
class TStranaPrvku;
class TVystPrvek;

class TPageStore {
  public:
    TPageStore();
    ~TPageStore();
    TPageStore(const TPageStore&) = delete;
    TPageStore& operator=(const TPageStore&) = delete;

    // False once the temporary file could not be made or written; pages stay
    // in memory then.
    bool IsUsable() const;

    // Elements that are kept in memory when their page is stored.
    void Hold(const TVystPrvek* element) { held_.insert(element); }

    // Takes the page to be written; returns the number of its record, or -1
    // when the store is not usable (the caller keeps the page then). A page
    // the file cannot take after all stays in the store's memory.
    int Put(std::unique_ptr<TStranaPrvku>& page);
    // The page of a record, read into a small cache: the reference stays
    // valid until kCachedPages other records have been read.
    const TStranaPrvku& Get(int record) const;
    // The page of a record back into the caller's hands; the record is freed.
    std::unique_ptr<TStranaPrvku> Take(int record);
    void Drop(int record);
    // Forgets the pages read, after an element kept in memory has changed.
    void ForgetCache() const;

    static constexpr int kCachedPages = 4;
    // Pages after the one read that the worker reads ahead.
    static constexpr int kReadAhead = 3;

  private:
    struct Record {
        bool located = false;  // its place has been taken from the worker
        bool inFile = false;
        qint64 offset = 0;
        qint64 size = 0;
        // The elements of a page the file could not take, a null entry
        // where a kept element goes.
        std::vector<std::unique_ptr<TVystPrvek>> unwritten;
        std::vector<std::unique_ptr<TVystPrvek>> kept;
    };
    struct Cached {
        int record;
        std::unique_ptr<TStranaPrvku> page;
        bool readAhead;  // made by the worker, which frees it too
    };
    Record& Locate(int record) const;
    std::unique_ptr<TStranaPrvku> Read(int record, bool copyKept, bool* readAhead) const;
    void Uncache(std::deque<Cached>::iterator it) const;
    std::unique_ptr<TStranaPrvku> ReadFromFile(Record& r, bool copyKept) const;
    static std::unique_ptr<TStranaPrvku> Reassemble(Record& r, bool copyKept);
    void ReadAheadAfter(int record) const;

    std::unique_ptr<PageStoreWorker> worker_;  // made when the first page is stored
    bool failed_ = false;
    mutable std::vector<Record> records_;
    std::unordered_set<const TVystPrvek*> held_;
    mutable std::deque<Cached> cache_;
    mutable int askedUpTo_ = -1;  // the last record whose reading ahead was asked for
    mutable std::string buffer_;  // the bytes of the page being read
};
