#include "report/output/page_store_worker.h"

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <system_error>

#include "report/output/page_codec.h"
#include "report/output/sestvyst.h"

namespace {

// Pages queued for writing before the run waits for the worker: enough to
// smooth out uneven pages, few enough to keep a run's memory small.
constexpr size_t kMaxQueuedPages = 8;
// Pages read ahead and not yet taken, at most.
constexpr size_t kMaxReadAhead = 4;

// Moves `size` bytes between `data` and the file at `offset` by `transfer`
// (pread or pwrite), going on after short and interrupted transfers; false on
// an error or at the end of the file.
template <typename Byte, typename Transfer>
bool WholeTransfer(Byte* data, size_t size, qint64 offset, Transfer transfer) {
    while (size > 0) {
        const ssize_t n = transfer(data, size, off_t(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= size_t(n);
        offset += n;
    }
    return true;
}

}  // namespace

PageStoreWorker::PageStoreWorker() = default;

PageStoreWorker::~PageStoreWorker() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PageStoreWorker::Open() {
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/harvel-pages-XXXXXX"));
    if (!file.open()) {
        return false;
    }
    // The open file stays usable without its name; removing the name now
    // leaves nothing behind whatever becomes of the run.
    if (QFile::remove(file.fileName())) {
        file.setAutoRemove(false);
    }
    fd_ = ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) {
        return false;
    }
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        return false;  // no thread to be had: the pages stay in memory
    }
    return true;
}

bool PageStoreWorker::Failed() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

void PageStoreWorker::Write(std::vector<std::unique_ptr<TVystPrvek>> elements) {
    std::vector<WriteJob> spent;
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return writes_.size() < kMaxQueuedPages; });
        writes_.push_back({std::move(elements)});
        spent.swap(written_);
    }
    wake_.notify_one();
}  // `spent` is freed here

void PageStoreWorker::Discard(std::unique_ptr<TStranaPrvku> page) {
    if (!page) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        discarded_.push_back(std::move(page));
    }
    wake_.notify_one();
}

PageStoreWorker::Extent PageStoreWorker::TakeExtent(int record) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return extents_.size() > size_t(record); });
    return std::move(extents_[size_t(record)]);
}

bool PageStoreWorker::IsAsked(int record) const {
    return readingRecord_ == record ||
           std::any_of(reads_.begin(), reads_.end(),
                       [record](const ReadJob& job) { return job.record == record; });
}

void PageStoreWorker::ReadAhead(int record, qint64 offset, qint64 size,
                                std::vector<std::unique_ptr<TVystPrvek>> kept) {
    {
        std::lock_guard lock(mutex_);
        const bool read = std::any_of(results_.begin(), results_.end(),
                                      [record](const auto& r) { return r.record == record; });
        if (read || IsAsked(record)) {
            return;
        }
        reads_.push_back({record, offset, size, std::move(kept)});
    }
    wake_.notify_one();
}

std::unique_ptr<TStranaPrvku> PageStoreWorker::TakeReadAhead(int record) {
    std::unique_lock lock(mutex_);
    // A read not yet begun is the caller's to do: it would only wait for it.
    const auto queued = std::find_if(reads_.begin(), reads_.end(),
                                     [record](const ReadJob& job) { return job.record == record; });
    if (queued != reads_.end()) {
        reads_.erase(queued);
        return nullptr;
    }
    done_.wait(lock, [&] { return readingRecord_ != record; });
    for (auto it = results_.begin(); it != results_.end(); ++it) {
        if (it->record == record) {
            std::unique_ptr<TStranaPrvku> page = std::move(it->page);
            results_.erase(it);
            return page;
        }
    }
    return nullptr;
}

void PageStoreWorker::DropReadAhead() {
    {
        std::unique_lock lock(mutex_);
        reads_.clear();
        done_.wait(lock, [this] { return readingRecord_ < 0; });
        for (ReadResult& result : results_) {
            if (result.page) {
                discarded_.push_back(std::move(result.page));
            }
        }
        results_.clear();
    }
    wake_.notify_one();
}

bool PageStoreWorker::HasWork() const {
    return stop_ || !writes_.empty() || !reads_.empty() || !discarded_.empty();
}

void PageStoreWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return HasWork(); });
        if (stop_) {
            return;
        }
        if (!discarded_.empty()) {
            std::vector<std::unique_ptr<TStranaPrvku>> pages;
            pages.swap(discarded_);
            lock.unlock();
            pages.clear();
            lock.lock();
            continue;
        }
        if (!writes_.empty()) {
            WriteJob job = std::move(writes_.front());
            writes_.pop_front();
            lock.unlock();
            done_.notify_all();  // room in the queue
            DoWrite(job);
            lock.lock();
            written_.push_back(std::move(job));
        } else {
            ReadJob job = std::move(reads_.front());
            reads_.pop_front();
            readingRecord_ = job.record;
            lock.unlock();
            DoRead(job);
            lock.lock();
            readingRecord_ = -1;
        }
        done_.notify_all();
    }
}

// Called with the lock released; only the end of the file and the encoding
// buffer are its own, the result goes in under the lock.
void PageStoreWorker::DoWrite(WriteJob& job) {
    encoded_.clear();  // keeps its capacity for the next page
    PageCodec::EncodeElements(job.elements, encoded_);
    Extent extent;
    bool written = false;
    {
        std::lock_guard lock(mutex_);
        written = !failed_;
    }
    if (written) {
        written = WriteBytes(end_, encoded_);
    }
    if (written) {
        extent.written = true;
        extent.offset = end_;
        extent.size = qint64(encoded_.size());
        end_ += extent.size;
    } else {
        // Nothing of the page is lost: it stays in memory, the kept elements
        // go back in at their marks when the caller reads it.
        extent.unwritten = std::move(job.elements);
    }
    std::lock_guard lock(mutex_);
    failed_ = failed_ || !written;
    extents_.push_back(std::move(extent));
}

void PageStoreWorker::DoRead(ReadJob& job) {
    std::unique_ptr<TStranaPrvku> page;
    if (ReadBytes(job.offset, job.size, readBytes_)) {
        try {
            page =
                PageCodec::Decode(readBytes_.data(), qsizetype(readBytes_.size()), job.kept, false);
        } catch (const std::exception&) {
            page.reset();  // the reader reads it itself and sees what is left
        }
    }
    std::lock_guard lock(mutex_);
    results_.push_back({job.record, std::move(page)});
    // Pages read ahead that nobody took (a reader that jumps about) go.
    while (results_.size() > kMaxReadAhead) {
        if (results_.front().page) {
            discarded_.push_back(std::move(results_.front().page));
        }
        results_.pop_front();
    }
}

bool PageStoreWorker::WriteBytes(qint64 offset, const std::string& bytes) const {
    return WholeTransfer(
        bytes.data(), bytes.size(), offset,
        [this](const char* data, size_t size, off_t at) { return ::pwrite(fd_, data, size, at); });
}

bool PageStoreWorker::ReadBytes(qint64 offset, qint64 size, std::string& bytes) const {
    bytes.resize(size_t(size));
    return WholeTransfer(
        bytes.data(), bytes.size(), offset,
        [this](char* data, size_t size, off_t at) { return ::pread(fd_, data, size, at); });
}
