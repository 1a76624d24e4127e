#pragma once
// The pick list of the formatted edit: its items and the first-letter choice.

#include <QString>
#include <vector>

namespace kedit {

struct PickItem {
    QString value;  // what the field receives
    QString shown;  // what the list shows
};

// "|" separates the items, empty ones are skipped. The part of an item before
// the value mark (code 0x87, "‡" in the program's code page) is its value;
// the list shows the item without the mark.
std::vector<PickItem> ParsePickItems(const QString& items);

// The item a typed letter chooses (upper case compared): among the items whose
// value starts with it, the one after the item equal to `current`, else the
// first; -1 when none starts with the letter.
int FirstLetterChoice(const std::vector<PickItem>& items, const QString& current, QChar letter);

// The item whose whole text or value equals `current`, else 0 (-1 when empty).
int CurrentPickItem(const std::vector<PickItem>& items, const QString& current);

}  // namespace kedit
