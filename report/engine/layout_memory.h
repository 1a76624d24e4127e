#pragma once
// The last layouts of each element's texts in a run. A list repeats the
// same values row after row (breed, sex, breeder, colour), and the same text
// laid out in the same box with the same font and settings gives the same
// lines; those are shared with the element placed before, not laid out anew.

#include <QRect>
#include <QString>
#include <array>
#include <unordered_map>

#include "platform/paint/canvas.h"
#include "report/output/text_lines.h"

class TLumexReportElement;

// Everything a text's layout depends on.
struct TTextLayoutKey {
    QString text;
    platform::Font font;
    QRect rect;
    bool multiline = false;
    bool rtf = false;
    double lineHeight = 0.0;
    double letterSpacing = 0.0;
    int alignment = 0;
    bool operator==(const TTextLayoutKey&) const = default;
};

class TLayoutMemory {
  public:
    // Texts longer than this are laid out every time: they seldom repeat.
    static constexpr qsizetype kLongestText = 256;
    static constexpr int kPerElement = 2;

    // The lines laid out before for the element and key, or null.
    const TRadky* Find(const TLumexReportElement* element, const TTextLayoutKey& key) const;
    void Keep(const TLumexReportElement* element, const TTextLayoutKey& key, const TRadky& lines);
    void Clear() { slots_.clear(); }

  private:
    struct Entry {
        bool used = false;
        TTextLayoutKey key;
        TRadky lines;
    };
    struct Slots {
        std::array<Entry, kPerElement> entries;
        int next = 0;  // the entry the next layout replaces
    };
    std::unordered_map<const TLumexReportElement*, Slots> slots_;
};
