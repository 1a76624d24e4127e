#include "report/engine/sestava_layout.h"

#include <QGuiApplication>
#include <QSet>
#include <algorithm>
#include <limits>
#include <optional>

#include "report/output/sestprn.h"
#include "report/output/template_font.h"

QString FixedSectionCode(int type) {
    static const char16_t kCodes[kFixedSectionCount] = {u'Z', u'H', u'T', u'K', u'P'};
    if (type < 0 || type >= kFixedSectionCount) {
        return {};
    }
    return QString(QChar(kCodes[type]));
}

QString SectionCaption(int type) {
    static const char* const kFixed[kFixedSectionCount] = {
        "Začátek sestavy", "Hlava stránky", "Tělo sestavy", "Konec sestavy", "Pata stránky"};
    if (type >= 0 && type < kFixedSectionCount) {
        return QString::fromUtf8(kFixed[type]);
    }
    const int group = (type - stGroupHeader) / 2 + 1;
    return ((type - stGroupHeader) % 2 == 0 ? QStringLiteral("Začátek skupiny")
                                            : QStringLiteral("Konec skupiny")) +
           QLatin1Char(' ') + QString::number(group);
}

// ---- TOddilSestavy ------------------------------------------------------------

TLumexReportElement& TOddilSestavy::Add(std::unique_ptr<TLumexReportElement> element) {
    return Insert(Count(), std::move(element));
}

TLumexReportElement& TOddilSestavy::Insert(int index,
                                           std::unique_ptr<TLumexReportElement> element) {
    element->section = this;
    index = std::clamp(index, 0, Count());
    return **elements_.insert(elements_.begin() + index, std::move(element));
}

std::unique_ptr<TLumexReportElement> TOddilSestavy::Take(int index) {
    std::unique_ptr<TLumexReportElement> element = std::move(elements_[index]);
    elements_.erase(elements_.begin() + index);
    element->section = nullptr;
    return element;
}

int TOddilSestavy::IndexOf(const TLumexReportElement* element) const {
    for (int index = 0; index < Count(); ++index) {
        if (elements_[index].get() == element) {
            return index;
        }
    }
    return -1;
}

void TOddilSestavy::Move(int from, int to) {
    if (from == to) {
        return;
    }
    std::unique_ptr<TLumexReportElement> element = std::move(elements_[from]);
    elements_.erase(elements_.begin() + from);
    elements_.insert(elements_.begin() + std::clamp(to, 0, Count()), std::move(element));
}

// ---- TListOddilu --------------------------------------------------------------

TListOddilu::TListOddilu() {
    for (int type = 0; type < kFixedSectionCount; ++type) {
        Append(type);
    }
}

TOddilSestavy* TListOddilu::FindType(int type) const {
    for (const auto& section : sections_) {
        if (section->type == type) {
            return section.get();
        }
    }
    return nullptr;
}

TOddilSestavy& TListOddilu::Append(int type) {
    sections_.push_back(std::make_unique<TOddilSestavy>(type));
    return *sections_.back();
}

void TListOddilu::Remove(const TOddilSestavy* section) {
    for (auto it = sections_.begin() + kFixedSectionCount; it != sections_.end(); ++it) {
        if (it->get() == section) {
            sections_.erase(it);
            return;
        }
    }
}

void TListOddilu::ClearElements() {
    for (const auto& section : sections_) {
        section->Clear();
    }
}

// ---- Groups and details -----------------------------------------------------

QString TPolSkup::Name() const {
    return QStringLiteral("Skupina ") + QString::number(static_cast<qint64>(index) + 1);
}

TPolSkup& TListSkupin::Append() {
    groups_.push_back(std::make_unique<TPolSkup>());
    return *groups_.back();
}

std::unique_ptr<TPolSkup> TListSkupin::Take(int position) {
    std::unique_ptr<TPolSkup> group = std::move(groups_[position]);
    groups_.erase(groups_.begin() + position);
    return group;
}

int TListSkupin::PositionOf(const TOddilSestavy* section) const {
    for (int position = 0; position < Count(); ++position) {
        if (groups_[position]->header == section || groups_[position]->footer == section) {
            return position;
        }
    }
    return -1;
}

void TListDetailu::Add(TSestavaLayout* detail) {
    if (detail && IndexOf(detail) < 0) {
        details_.push_back(detail);
    }
}

void TListDetailu::Remove(TSestavaLayout* detail) {
    details_.erase(std::remove(details_.begin(), details_.end(), detail), details_.end());
}

int TListDetailu::IndexOf(const TSestavaLayout* detail) const {
    const auto it = std::find(details_.begin(), details_.end(), detail);
    return it == details_.end() ? -1 : static_cast<int>(it - details_.begin());
}

// ---- TSestavaLayout -----------------------------------------------------------

TSestavaLayout::TSestavaLayout() = default;
TSestavaLayout::~TSestavaLayout() = default;

bool TSestavaLayout::SectionFlag(int fixedType, int flag) const {
    if (fixedType < 0 || fixedType >= kFixedSectionCount) {
        return false;
    }
    return (oddily_.Fixed(fixedType).flags & flag) != 0;
}

TPolSkup& TSestavaLayout::AddGroup(int index, const QString& expression, bool headerVisible,
                                   int headerHeight, bool footerVisible, int footerHeight,
                                   bool newPage) {
    TPolSkup& group = skupiny_.Append();
    group.index = index;
    group.expression = expression;
    group.newPage = newPage;
    group.header = &oddily_.Append(GroupHeaderType(index));
    group.header->visible = headerVisible;
    group.header->height = headerHeight;
    group.footer = &oddily_.Append(GroupFooterType(index));
    group.footer->visible = footerVisible;
    group.footer->height = footerHeight;
    return group;
}

void TSestavaLayout::DeleteGroup(int position) {
    std::unique_ptr<TPolSkup> group = skupiny_.Take(position);
    oddily_.Remove(group->header);
    oddily_.Remove(group->footer);
}

TOddilSestavy* TSestavaLayout::SectionForCode(QStringView code) const {
    if (code.size() == 1) {
        for (int type = 0; type < kFixedSectionCount; ++type) {
            if (code[0] == FixedSectionCode(type)[0]) {
                return &const_cast<TListOddilu&>(oddily_).Fixed(type);
            }
        }
        return nullptr;
    }
    if (code.size() < 2 || (code[0] != u'S' && code[0] != u'U')) {
        return nullptr;
    }
    // The position must be written the way the writer writes it ("S1", not "S01").
    const QStringView digits = code.mid(1);
    if (digits.size() > 1 && digits[0] == u'0') {
        return nullptr;
    }
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return nullptr;
        }
    }
    bool ok = false;
    const int position = digits.toInt(&ok);
    if (!ok || position >= skupiny_.Count()) {
        return nullptr;
    }
    const TPolSkup& group = skupiny_[position];
    return code[0] == u'S' ? group.header : group.footer;
}

QString TSestavaLayout::CodeOfSection(const TOddilSestavy& section) const {
    for (int type = 0; type < kFixedSectionCount; ++type) {
        if (&oddily_.Fixed(type) == &section) {
            return FixedSectionCode(type);
        }
    }
    const int position = skupiny_.PositionOf(&section);
    if (position < 0) {
        return {};
    }
    const QString letter =
        skupiny_[position].header == &section ? QStringLiteral("S") : QStringLiteral("U");
    return letter + QString::number(position);
}

int TSestavaLayout::FindField(const QString&) const {
    return -1;
}

bool TSestavaLayout::IsInstalledFont(const QString& name) const {
    // The font list needs the GUI side of Qt; command-line readers without it
    // have no fonts to look at.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return false;
    }
    return FontList().contains(name, Qt::CaseInsensitive);
}

void TSestavaLayout::LoadElementPicture(TLumexReportElement&) {}

void TSestavaLayout::ApplyPageSetup(const TPageSettings& page) {
    TPaperSetup& paper = PaperSetup();
    paper.Orientation = page.orientation;
    paper.OrientationMayChange = page.orientationMayChange;
    paper.PaperWidth = page.paperWidth;
    paper.PaperHeight = page.paperHeight;
    paper.MarginLeft = page.marginLeft;
    paper.MarginRight = page.marginRight;
    paper.MarginTop = page.marginTop;
    paper.MarginBottom = page.marginBottom;
}

TPageSettings TSestavaLayout::CurrentPageSetup() const {
    const TPaperSetup& paper = PaperSetup();
    TPageSettings page;
    page.orientation = paper.Orientation;
    page.orientationMayChange = paper.OrientationMayChange;
    page.paperWidth = paper.PaperWidth;
    page.paperHeight = paper.PaperHeight;
    page.marginLeft = paper.MarginLeft;
    page.marginRight = paper.MarginRight;
    page.marginTop = paper.MarginTop;
    page.marginBottom = paper.MarginBottom;
    return page;
}

// ---- Helpers ------------------------------------------------------------------

namespace {

bool IsGroupNameCharacter(QChar c) {
    return c == u'$' || c == u'_' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
           (c >= u'a' && c <= u'z');
}

}  // namespace

QString NormaliseGroupExpression(const QString& expression) {
    if (expression.isEmpty() ||
        !std::all_of(expression.begin(), expression.end(), IsGroupNameCharacter)) {
        return expression;
    }
    const QChar first = expression[0];
    if (first >= u'0' && first <= u'9') {
        // A 0-based field number; the reference is 1-based. Only the leading
        // digits count.
        qsizetype end = 0;
        while (end < expression.size() && expression[end] >= u'0' && expression[end] <= u'9') {
            ++end;
        }
        const std::optional<int> number = ParseTemplateInt(QStringView(expression).first(end));
        if (!number || *number == std::numeric_limits<int>::max()) {
            return expression;
        }
        return QStringLiteral("#") + QString::number(*number + 1);
    }
    if (first == u'_' || first.isLetter()) {
        return QStringLiteral("#") + expression;
    }
    return expression;
}

float CharacterCellWidth(int pitch) {
    switch (pitch) {
        case 0:
            return 10.0F;  // 10 characters per inch
        case 1:
            return 100.0F / 12.0F;  // 12 characters per inch
        case 2:
            return 6.0F;  // "17 znaků/palec"
        default:
            return 0.0F;
    }
}

float CharacterCellHeight(int lineSpacing) {
    switch (lineSpacing) {
        case 0:
            return 100.0F / 6.0F;  // 6 lines per inch
        case 1:
            return 25.0F;  // 4 lines per inch
        case 2:
            return 100.0F / 3.0F;  // 3 lines per inch
        default:
            return 0.0F;
    }
}
