#include "report/designer/list_variant.h"

#include <QStringList>

TListVariant::TListVariant() {
    entries_.push_back({QStringLiteral("Základní varianta"), TPredloha()});
}

TPredloha& TListVariant::Push(const QString& name) {
    entries_.erase(entries_.begin() + current_ + 1, entries_.end());
    if (current_ >= depth_ - 1 && !entries_.empty()) {
        entries_.erase(entries_.begin());
    }
    entries_.push_back({name, TPredloha()});
    current_ = Count() - 1;
    return entries_.back().predloha;
}

bool TListVariant::Undo() {
    if (!CanUndo()) {
        return false;
    }
    --current_;
    return true;
}

bool TListVariant::Redo() {
    if (!CanRedo()) {
        return false;
    }
    ++current_;
    return true;
}

void TListVariant::Collapse() {
    entries_.erase(entries_.begin() + current_ + 1, entries_.end());
    entries_.erase(entries_.begin(), entries_.begin() + current_);
    current_ = 0;
}

void TListVariant::SetDepth(int depth) {
    depth_ = depth <= 0 ? 1 : depth;
    while (Count() > depth_ && current_ > 0) {
        entries_.erase(entries_.begin());
        --current_;
    }
    while (Count() > depth_ && current_ < Count() - 1) {
        entries_.pop_back();
    }
}

QString TListVariant::UndoHint() const {
    if (CanUndo()) {
        return QStringLiteral("Zrušit") + QLatin1Char(' ') + entries_[current_].name;
    }
    return QStringLiteral("Zrušit změny");
}

QString TListVariant::RedoHint() const {
    if (CanRedo()) {
        return QStringLiteral("Znovu") + QLatin1Char(' ') + entries_[current_ + 1].name;
    }
    return QStringLiteral("Znovu změny");
}

QString DesignStepName(int step) {
    static const QStringList names = {
        QStringLiteral("vložení prvku"),      QStringLiteral("změna písma"),
        QStringLiteral("zrušení prvku"),      QStringLiteral("nastavení oddílů a skupin"),
        QStringLiteral("změna výšky oddílu"), QStringLiteral("změna textu"),
        QStringLiteral("posun prvku"),        QStringLiteral("změna zarovnávání"),
        QStringLiteral("oprava funkce"),      QStringLiteral("přidání funkce"),
        QStringLiteral("zrušení funkce"),     QStringLiteral("vystřižení do úschovy"),
        QStringLiteral("vložení z úschovy"),  QStringLiteral("nastavení prvku"),
        QStringLiteral("změna detailu"),      QStringLiteral("změna měrných jednotek"),
    };
    return step >= 1 && step <= names.size() ? names[step - 1] : QString();
}
