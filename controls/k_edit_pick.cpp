#include "controls/k_edit_pick.h"

#include <QStringList>

namespace kedit {
namespace {

bool IsValueMark(QChar c) {
    return c == QChar(0x87) || c == QChar(0x2021);
}

}  // namespace

std::vector<PickItem> ParsePickItems(const QString& items) {
    std::vector<PickItem> parsed;
    for (const QString& item : items.split(u'|', Qt::SkipEmptyParts)) {
        PickItem pick;
        const auto mark = std::find_if(item.begin(), item.end(), IsValueMark);
        if (mark == item.end()) {
            pick.value = item;
            pick.shown = item;
        } else {
            const int at = int(mark - item.begin());
            pick.value = item.left(at);
            pick.shown = item.left(at) + item.mid(at + 1);
        }
        parsed.push_back(pick);
    }
    return parsed;
}

int FirstLetterChoice(const std::vector<PickItem>& items, const QString& current, QChar letter) {
    const QChar wanted = letter.toUpper();
    std::vector<int> matching;
    for (int i = 0; i < int(items.size()); ++i) {
        const QString& value = items[i].value;
        if (!value.isEmpty() && value.at(0).toUpper() == wanted) {
            matching.push_back(i);
        }
    }
    if (matching.empty()) {
        return -1;
    }
    for (size_t k = 0; k + 1 < matching.size(); ++k) {
        if (items[matching[k]].value == current) {
            return matching[k + 1];
        }
    }
    return matching.front();
}

int CurrentPickItem(const std::vector<PickItem>& items, const QString& current) {
    if (items.empty()) {
        return -1;
    }
    for (int i = 0; i < int(items.size()); ++i) {
        if (items[i].value == current || items[i].shown == current) {
            return i;
        }
    }
    return 0;
}

}  // namespace kedit
