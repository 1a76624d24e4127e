#include "report/output/page_store.h"

#include <QDir>
#include <QTemporaryFile>
#include <exception>

#include "report/output/page_codec.h"
#include "report/output/sestvyst.h"

TPageStore::TPageStore() = default;

bool TPageStore::OpenFile() {
    auto file =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/harvel-pages-XXXXXX"));
    if (!file->open()) {
        failed_ = true;
        return false;
    }
    // The open file stays usable without its name; removing the name now
    // leaves nothing behind whatever becomes of the run.
    if (QFile::remove(file->fileName())) {
        file->setAutoRemove(false);
    }
    file_ = std::move(file);
    return true;
}

TPageStore::~TPageStore() = default;

int TPageStore::Put(std::unique_ptr<TStranaPrvku>& page) {
    if (failed_ || (!file_ && !OpenFile())) {
        return -1;
    }
    written_.clear();  // keeps its capacity for the next page
    PageCodec::Encode(*page, written_,
                      [this](const TVystPrvek& element) { return held_.count(&element) != 0; });
    const auto size = qint64(written_.size());
    if (!file_->seek(end_) || file_->write(written_.data(), size) != size) {
        return -1;
    }
    Record record;
    record.offset = end_;
    record.size = size;
    for (std::unique_ptr<TVystPrvek>& element : page->TakeAll()) {
        if (!IsEncodable(*element) || held_.count(element.get()) != 0) {
            record.kept.push_back(std::move(element));
        }
    }
    page.reset();
    end_ += record.size;
    records_.push_back(std::move(record));
    return int(records_.size()) - 1;
}

std::unique_ptr<TStranaPrvku> TPageStore::Read(int record, bool copyKept) const {
    auto& r = const_cast<Record&>(records_.at(size_t(record)));
    buffer_.resize(r.size);
    if (file_->seek(r.offset) && file_->read(buffer_.data(), r.size) == r.size) {
        try {
            return PageCodec::Decode(buffer_.constData(), r.size, r.kept, copyKept);
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

const TStranaPrvku& TPageStore::Get(int record) const {
    for (const Cached& cached : cache_) {
        if (cached.record == record) {
            return *cached.page;
        }
    }
    if (cache_.size() >= size_t(kCachedPages)) {
        cache_.pop_front();
    }
    cache_.push_back({record, Read(record, true)});
    return *cache_.back().page;
}

std::unique_ptr<TStranaPrvku> TPageStore::Take(int record) {
    std::unique_ptr<TStranaPrvku> page = Read(record, false);
    Drop(record);
    return page;
}

void TPageStore::Drop(int record) {
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->record == record) {
            cache_.erase(it);
            break;
        }
    }
    Record& r = records_.at(size_t(record));
    r.kept.clear();
}
