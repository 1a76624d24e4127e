// The pages of the output: in memory while the run fills them, then – once a
// run is long – in the temporary page store, read back one at a time by
// whoever reads them (the preview, the exports, printing).
#include <algorithm>

#include "report/output/page_store.h"
#include "report/output/sestvyst.h"

namespace {

// A run keeps all its pages in memory up to this many (a page of a list takes
// about a quarter of a megabyte, so some 60 MB); beyond it the finished ones
// go to the page store. Lists of a few hundred pages are thus read as fast as
// ever, and no run needs more.
constexpr int kStoreFromPage = 256;
// The newest pages stay in memory: a section that runs over several pages
// still adds footers and overflowing lines to them.
constexpr int kPagesKeptBehind = 4;

const TStranaPrvku& EmptyPage() {
    static const TStranaPrvku empty;
    return empty;
}

}  // namespace

void TSestVystup::AddElement(std::unique_ptr<TVystPrvek> element, int pageIndex) {
    if (pageIndex < 0) {
        pageIndex = 0;
    }
    if (int(pages_.size()) <= pageIndex) {
        // A new page gets room for as many elements as the page before it
        // had: pages of a list are alike, and a page filled one element at a
        // time would regrow its list several times.
        const PageSlot* previous = pages_.empty() ? nullptr : &pages_.back();
        const int expected = previous && previous->page ? previous->page->Count() : 0;
        while (int(pages_.size()) <= pageIndex) {
            pages_.push_back({std::make_unique<TStranaPrvku>(), -1});
            pages_.back().page->Reserve(expected);
        }
        StoreFinishedPages(pageIndex);
    }
    Page(pageIndex).Add(std::move(element));
}

void TSestVystup::StoreFinishedPages(int newPage) {
    if (newPage < kStoreFromPage) {
        return;
    }
    if (!store_) {
        store_ = std::make_unique<TPageStore>();
    }
    if (!store_->IsUsable()) {
        return;
    }
    const int end = newPage - kPagesKeptBehind;
    for (; firstResident_ < end; ++firstResident_) {
        PageSlot& slot = pages_[size_t(firstResident_)];
        if (slot.page) {
            slot.record = store_->Put(slot.page);
        }
    }
}

int TSestVystup::PageCount() const {
    return FromSpool ? int(spoolPages_.size()) : int(pages_.size());
}

const TStranaPrvku& TSestVystup::ReadPage(int i) const {
    if (i < 0 || i >= int(pages_.size())) {
        return EmptyPage();
    }
    const PageSlot& slot = pages_[size_t(i)];
    return slot.page ? *slot.page : store_->Get(slot.record);
}

TStranaPrvku& TSestVystup::Page(int i) {
    PageSlot& slot = pages_.at(size_t(i));
    if (!slot.page) {
        slot.page = store_->Take(slot.record);
        slot.record = -1;
    }
    return *slot.page;
}

void TSestVystup::HoldInMemory(const TVystPrvek* element) {
    if (!store_) {
        store_ = std::make_unique<TPageStore>();
    }
    store_->Hold(element);
}

void TSestVystup::HeldElementsChanged() {
    if (store_) {
        store_->ForgetCache();
    }
}

int TSestVystup::StoredPageCount() const {
    return int(std::count_if(pages_.begin(), pages_.end(),
                             [](const PageSlot& slot) { return !slot.page; }));
}

void TSestVystup::DropLastPage() {
    if (pages_.back().record >= 0) {
        store_->Drop(pages_.back().record);
    }
    pages_.pop_back();
    firstResident_ = std::min(firstResident_, int(pages_.size()));
}

void TSestVystup::DeletePage(int i) {
    RefreshPageSize();
    if (i >= 0 && i < int(pages_.size())) {
        if (pages_[size_t(i)].record >= 0) {
            store_->Drop(pages_[size_t(i)].record);
        }
        pages_.erase(pages_.begin() + i);
        firstResident_ = std::min(firstResident_, i);
    }
}

void TSestVystup::Clear() {
    RefreshPageSize();
    pages_.clear();
    store_.reset();  // the temporary file goes with it
    firstResident_ = 0;
    spoolPages_.clear();
    FromSpool = false;
}
