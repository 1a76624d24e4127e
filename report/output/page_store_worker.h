#pragma once
// The thread behind the temporary page store. It encodes the finished pages
// of a run, writes them to the store's file and frees them, and it reads
// ahead the page a reader is likely to want next, so that the report run and
// whoever reads its pages go on with their own work on the other core.
//
// Records are written in the order they are queued; their places in the file
// are known once written. A page the file could not take stays in memory and
// is handed back with its place (nothing of it is lost); later pages are then
// refused, so the caller keeps them.

#include <QtGlobal>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TStranaPrvku;
class TVystPrvek;

class PageStoreWorker {
  public:
    // Where a written record lies in the file. When the file could not take
    // it, `unwritten` holds the page's elements instead, as they were queued.
    struct Extent {
        bool written = false;
        qint64 offset = 0;
        qint64 size = 0;
        std::vector<std::unique_ptr<TVystPrvek>> unwritten;
    };

    PageStoreWorker();
    ~PageStoreWorker();  // pages still queued are dropped unwritten
    PageStoreWorker(const PageStoreWorker&) = delete;
    PageStoreWorker& operator=(const PageStoreWorker&) = delete;

    // Makes the temporary file (nameless while open); false when it cannot.
    bool Open();
    // True once a write has failed: later pages had better stay in memory.
    bool Failed() const;

    // Queues the next record: the page's elements in drawing order, a null
    // entry for an element the caller keeps (written as a mark only). Waits
    // while many pages are queued, so that memory stays bounded. The
    // elements of pages written meanwhile are freed here, on the caller's
    // thread: memory goes back to the thread that took it, which keeps the
    // two threads from contending for the allocator's lock.
    void Write(std::vector<std::unique_ptr<TVystPrvek>> elements);
    // Waits until `record` is written and hands over its place (once).
    Extent TakeExtent(int record);

    // Reads the bytes of a written record on the caller's thread.
    bool ReadBytes(qint64 offset, qint64 size, std::string& bytes) const;

    // Reads and decodes a written record ahead, with copies of its kept
    // elements (in drawing order).
    void ReadAhead(int record, qint64 offset, qint64 size,
                   std::vector<std::unique_ptr<TVystPrvek>> kept);
    // The page read ahead for `record` (waiting for it if it is being read),
    // or null when none was read for it, its reading had not begun (it is
    // left to the caller then) or it could not be decoded.
    std::unique_ptr<TStranaPrvku> TakeReadAhead(int record);
    // Waits for reading ahead to finish and drops what it read.
    void DropReadAhead();
    // Hands back a page read ahead once it is no longer needed; the worker,
    // which made it, frees it.
    void Discard(std::unique_ptr<TStranaPrvku> page);

  private:
    struct WriteJob {
        std::vector<std::unique_ptr<TVystPrvek>> elements;
    };
    struct ReadJob {
        int record = -1;
        qint64 offset = 0;
        qint64 size = 0;
        std::vector<std::unique_ptr<TVystPrvek>> kept;
    };
    struct ReadResult {
        int record = -1;
        std::unique_ptr<TStranaPrvku> page;
    };

    void Run();
    bool HasWork() const;
    bool IsAsked(int record) const;
    void DoWrite(WriteJob& job);
    void DoRead(ReadJob& job);
    bool WriteBytes(qint64 offset, const std::string& bytes) const;

    int fd_ = -1;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;  // the worker: a job came, or stop
    std::condition_variable done_;  // the callers: a job finished
    std::deque<WriteJob> writes_;
    std::vector<WriteJob> written_;  // elements written, for the caller to free
    std::vector<std::unique_ptr<TStranaPrvku>> discarded_;
    std::deque<ReadJob> reads_;       // read ahead asked, not yet begun
    int readingRecord_ = -1;          // the read ahead being done now
    std::deque<ReadResult> results_;  // read ahead, not yet taken
    std::vector<Extent> extents_;     // one per record written so far
    bool stop_ = false;
    bool failed_ = false;
    // Worker-only state.
    qint64 end_ = 0;
    std::string encoded_;
    std::string readBytes_;
};
