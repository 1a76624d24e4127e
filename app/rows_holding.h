#pragma once
// The look-up of a data set whose rows are held in memory (the diary, the
// assembled pedigrees): the ids 0 .. count-1 whose columns hold the values,
// each row read through the data set's own fetch.

#include <vector>

#include "platform/store/dataset.h"
#include "platform/store/value.h"

template <typename Fetch>
std::vector<platform::DataSet::RowId> RowsHolding(size_t count, Fetch fetch,
                                                  const std::vector<int>& columns,
                                                  const std::vector<platform::Value>& values) {
    std::vector<platform::DataSet::RowId> found;
    platform::Row row;
    for (platform::DataSet::RowId id = 0; static_cast<size_t>(id) < count; ++id) {
        fetch(id, row);
        bool same = true;
        for (size_t c = 0; c < columns.size() && same; ++c) {
            same = platform::SameValue(row[static_cast<size_t>(columns[c])], values[c]);
        }
        if (same) {
            found.push_back(id);
        }
    }
    return found;
}
