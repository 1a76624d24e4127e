#include "report/engine/layout_memory.h"

const TRadky* TLayoutMemory::Find(const TLumexReportElement* element,
                                  const TTextLayoutKey& key) const {
    const auto found = slots_.find(element);
    if (found == slots_.end()) {
        return nullptr;
    }
    for (const Entry& entry : found->second.entries) {
        if (entry.used && entry.key == key) {
            return &entry.lines;
        }
    }
    return nullptr;
}

void TLayoutMemory::Keep(const TLumexReportElement* element, const TTextLayoutKey& key,
                         const TRadky& lines) {
    if (key.text.size() > kLongestText) {
        return;
    }
    Slots& kept = slots_[element];
    Entry& entry = kept.entries[size_t(kept.next)];
    entry = {true, key, lines};
    kept.next = (kept.next + 1) % kPerElement;
}
