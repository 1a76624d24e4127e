#include "report/output/page_store.h"

#include <algorithm>
#include <exception>

#include "report/output/page_codec.h"
#include "report/output/page_store_worker.h"
#include "report/output/sestvyst.h"

TPageStore::TPageStore() = default;

TPageStore::~TPageStore() = default;

bool TPageStore::IsUsable() const {
    return !failed_ && !(worker_ && worker_->Failed());
}

int TPageStore::Put(std::unique_ptr<TStranaPrvku>& page) {
    if (!worker_ && !failed_) {
        worker_ = std::make_unique<PageStoreWorker>();
        failed_ = !worker_->Open();
    }
    if (!IsUsable()) {
        return -1;
    }
    // What must stay in memory is taken out here, on the run's thread; the
    // worker gets the rest with a gap at each place taken.
    Record record;
    std::vector<std::unique_ptr<TVystPrvek>> elements = page->TakeAll();
    for (std::unique_ptr<TVystPrvek>& element : elements) {
        if (!IsEncodable(*element) || held_.count(element.get()) != 0) {
            record.kept.push_back(std::move(element));
        }
    }
    page.reset();
    worker_->Write(std::move(elements));
    records_.push_back(std::move(record));
    return int(records_.size()) - 1;
}

TPageStore::Record& TPageStore::Locate(int record) const {
    Record& r = records_.at(size_t(record));
    if (!r.located) {
        PageStoreWorker::Extent extent = worker_->TakeExtent(record);
        r.inFile = extent.written;
        r.offset = extent.offset;
        r.size = extent.size;
        r.unwritten = std::move(extent.unwritten);
        r.located = true;
    }
    return r;
}

std::unique_ptr<TStranaPrvku> TPageStore::Read(int record, bool copyKept, bool* readAhead) const {
    Record& r = Locate(record);
    // A page read ahead holds copies of the kept elements; whoever takes the
    // page for good gets the elements themselves from the file's bytes.
    std::unique_ptr<TStranaPrvku> ahead = worker_->TakeReadAhead(record);
    if (ahead && copyKept) {
        *readAhead = true;
        return ahead;
    }
    worker_->Discard(std::move(ahead));
    return r.inFile ? ReadFromFile(r, copyKept) : Reassemble(r, copyKept);
}

std::unique_ptr<TStranaPrvku> TPageStore::ReadFromFile(Record& r, bool copyKept) const {
    if (worker_->ReadBytes(r.offset, r.size, buffer_)) {
        try {
            return PageCodec::Decode(buffer_.data(), qsizetype(buffer_.size()), r.kept, copyKept);
        } catch (const std::exception&) {
        }
    }
    // A page the file cannot give back: what is still in memory of it.
    auto page = std::make_unique<TStranaPrvku>();
    for (std::unique_ptr<TVystPrvek>& element : r.kept) {
        page->AppendInOrder(copyKept ? CopyElement(*element) : std::move(element));
    }
    if (!copyKept) {
        r.kept.clear();
    }
    return page;
}

// A page the file could not take, from its elements and the kept ones.
std::unique_ptr<TStranaPrvku> TPageStore::Reassemble(Record& r, bool copyKept) {
    auto page = std::make_unique<TStranaPrvku>();
    size_t next = 0;
    for (std::unique_ptr<TVystPrvek>& element : r.unwritten) {
        std::unique_ptr<TVystPrvek>* source = &element;
        if (!element) {
            if (next >= r.kept.size()) {
                continue;
            }
            source = &r.kept[next++];
        }
        page->AppendInOrder(copyKept ? CopyElement(**source) : std::move(*source));
    }
    if (!copyKept) {
        r.unwritten.clear();
        r.kept.clear();
    }
    return page;
}

const TStranaPrvku& TPageStore::Get(int record) const {
    for (const Cached& cached : cache_) {
        if (cached.record == record) {
            return *cached.page;
        }
    }
    if (cache_.size() >= size_t(kCachedPages)) {
        Uncache(cache_.begin());
    }
    bool readAhead = false;
    std::unique_ptr<TStranaPrvku> page = Read(record, true, &readAhead);
    cache_.push_back({record, std::move(page), readAhead});
    ReadAheadAfter(record);
    return *cache_.back().page;
}

void TPageStore::Uncache(std::deque<Cached>::iterator it) const {
    if (it->readAhead) {
        worker_->Discard(std::move(it->page));
    }
    cache_.erase(it);
}

// Readers mostly go on to the next pages: the worker reads them meanwhile.
void TPageStore::ReadAheadAfter(int record) const {
    const int end = std::min(record + 1 + kReadAhead, int(records_.size()));
    // Reading on page by page, the pages up to the last one asked for are
    // asked for already: their kept elements are not copied again.
    const bool onward = askedUpTo_ > record && askedUpTo_ < end;
    const int first = onward ? askedUpTo_ + 1 : record + 1;
    askedUpTo_ = std::max(end - 1, record);
    for (int next = first; next < end; ++next) {
        const bool cached = std::any_of(cache_.begin(), cache_.end(),
                                        [next](const Cached& c) { return c.record == next; });
        const Record& r = Locate(next);
        if (cached || !r.inFile) {
            continue;
        }
        std::vector<std::unique_ptr<TVystPrvek>> kept;
        kept.reserve(r.kept.size());
        for (const std::unique_ptr<TVystPrvek>& element : r.kept) {
            kept.push_back(CopyElement(*element));
        }
        worker_->ReadAhead(next, r.offset, r.size, std::move(kept));
    }
}

std::unique_ptr<TStranaPrvku> TPageStore::Take(int record) {
    std::unique_ptr<TStranaPrvku> page = Read(record, false, nullptr);
    Drop(record);
    return page;
}

void TPageStore::ForgetCache() const {
    while (!cache_.empty()) {
        Uncache(cache_.begin());
    }
    if (worker_) {
        worker_->DropReadAhead();  // it holds copies of the elements that changed
    }
    askedUpTo_ = -1;
}

void TPageStore::Drop(int record) {
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->record == record) {
            Uncache(it);
            break;
        }
    }
    Record& r = Locate(record);
    worker_->Discard(worker_->TakeReadAhead(record));
    r.kept.clear();
    r.unwritten.clear();
}
