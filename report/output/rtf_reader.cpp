#include "report/output/rtf_reader.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage1250.h"
#include "report/output/text_layouter.h"

namespace {

enum class Kind { Property, Character, Destination, Special };

enum class Action {
    // properties
    Bold,
    Underline,
    UnderlineNone,
    Italic,
    Strike,
    Font,
    FontCharset,
    FontSize,
    Colour,
    Plain,
    Pard,
    LeftIndent,
    RightIndent,
    FirstIndent,
    NumberIndent,
    LineSpacing,
    Ignored,
    DefaultTab,
    AlignCentre,
    AlignLeft,
    AlignRight,
    AlignJustify,
    // destinations
    FontTable,
    ColourTable,
    Red,
    Green,
    Blue,
    NumberText,
    SkipGroup,
    FontFamily,
    // specials
    Binary,
    SkipIfUnknown,
    Hex,
    // characters carry their character in `value`
    Text,
};

struct Keyword {
    std::string_view name;
    int value;  // default parameter, or the character of a character keyword
    Kind kind;
    Action action;
};

constexpr Keyword P(std::string_view name, Action action, int value = 0) {
    return {name, value, Kind::Property, action};
}
constexpr Keyword C(std::string_view name, char16_t ch) {
    return {name, int(ch), Kind::Character, Action::Text};
}
constexpr Keyword D(std::string_view name, Action action) {
    return {name, 0, Kind::Destination, action};
}
constexpr Keyword S(std::string_view name, Action action) {
    return {name, 0, Kind::Special, action};
}

constexpr std::array kKeywords{
    // character properties
    P("b", Action::Bold, 1), P("ul", Action::Underline, 1), P("ulnone", Action::UnderlineNone),
    P("i", Action::Italic, 1), P("strike", Action::Strike, 1), P("f", Action::Font),
    P("fcharset", Action::FontCharset), P("fs", Action::FontSize, 12), P("cf", Action::Colour),
    P("plain", Action::Plain),
    // paragraph properties
    P("pard", Action::Pard), P("li", Action::LeftIndent), P("ri", Action::RightIndent),
    P("fi", Action::FirstIndent), P("pnindent", Action::NumberIndent), P("sl", Action::LineSpacing),
    // section and document properties, read and ignored
    P("cols", Action::Ignored), P("sbknone", Action::Ignored), P("sbkcol", Action::Ignored),
    P("sbkeven", Action::Ignored), P("sbkodd", Action::Ignored), P("sbkpage", Action::Ignored),
    P("pgnx", Action::Ignored), P("pgny", Action::Ignored), P("pgndec", Action::Ignored),
    P("pgnucrm", Action::Ignored), P("pgnlcrm", Action::Ignored), P("pgnucltr", Action::Ignored),
    P("pgnlcltr", Action::Ignored), P("paperw", Action::Ignored), P("paperh", Action::Ignored),
    P("margl", Action::Ignored), P("margr", Action::Ignored), P("margt", Action::Ignored),
    P("margb", Action::Ignored), P("pgnstart", Action::Ignored), P("facingp", Action::Ignored),
    P("landscape", Action::Ignored), P("deftab", Action::DefaultTab, 512),
    P("qc", Action::AlignCentre), P("ql", Action::AlignLeft), P("qr", Action::AlignRight),
    P("qj", Action::AlignJustify),
    // characters
    C("par", u'\n'), C("row", u'\n'), C("\n", u'\n'), C("\r", u'\n'), C("tab", u'\t'),
    C("cell", u'\t'), C("ldblquote", u'\''), C("rdblquote", u'\''), C("{", u'{'), C("}", u'}'),
    C("\\", u'\\'), C("~", u' '),
    // destinations read
    D("fonttbl", Action::FontTable), D("colortbl", Action::ColourTable), D("red", Action::Red),
    D("green", Action::Green), D("blue", Action::Blue), D("pntext", Action::NumberText),
    // destinations skipped
    D("author", Action::SkipGroup), D("buptim", Action::SkipGroup), D("comment", Action::SkipGroup),
    D("creatim", Action::SkipGroup), D("doccomm", Action::SkipGroup),
    D("footer", Action::SkipGroup), D("footerf", Action::SkipGroup),
    D("footerl", Action::SkipGroup), D("footerr", Action::SkipGroup),
    D("footnote", Action::SkipGroup), D("ftncn", Action::SkipGroup), D("ftnsep", Action::SkipGroup),
    D("ftnsepc", Action::SkipGroup), D("header", Action::SkipGroup),
    D("headerf", Action::SkipGroup), D("headerl", Action::SkipGroup),
    D("headerr", Action::SkipGroup), D("info", Action::SkipGroup), D("keywords", Action::SkipGroup),
    D("operator", Action::SkipGroup), D("pict", Action::SkipGroup), D("printim", Action::SkipGroup),
    D("private1", Action::SkipGroup), D("revtim", Action::SkipGroup), D("rxe", Action::SkipGroup),
    D("stylesheet", Action::SkipGroup), D("subject", Action::SkipGroup), D("tc", Action::SkipGroup),
    D("title", Action::SkipGroup), D("txe", Action::SkipGroup), D("xe", Action::SkipGroup),
    // font families
    D("fnil", Action::FontFamily), D("froman", Action::FontFamily), D("fswiss", Action::FontFamily),
    D("fmodern", Action::FontFamily), D("fscript", Action::FontFamily),
    D("fdecor", Action::FontFamily), D("ftech", Action::FontFamily),
    // specials
    S("bin", Action::Binary), S("*", Action::SkipIfUnknown), S("'", Action::Hex)};

static_assert(kKeywords.size() == 102);

const Keyword* FindKeyword(std::string_view name) {
    static const std::vector<const Keyword*> sorted = [] {
        std::vector<const Keyword*> list;
        for (const Keyword& keyword : kKeywords) {
            list.push_back(&keyword);
        }
        std::sort(list.begin(), list.end(),
                  [](const Keyword* a, const Keyword* b) { return a->name < b->name; });
        return list;
    }();
    auto found = std::lower_bound(sorted.begin(), sorted.end(), name,
                                  [](const Keyword* k, std::string_view n) { return k->name < n; });
    return found != sorted.end() && (*found)->name == name ? *found : nullptr;
}

enum class Destination { Normal, FontTable, ColourTable, NumberText, Skip };

struct TSAVE {
    TCHP chp;
    TPAP pap;
    Destination destination;
};

// Limits of numeric parameters: lengths stay far inside int arithmetic.
constexpr long long kMaxLength = 1000000;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxControlWord = 32;

int HexValue(char16_t ch) {
    if (ch >= u'0' && ch <= u'9') {
        return ch - u'0';
    }
    if (ch >= u'a' && ch <= u'f') {
        return ch - u'a' + 10;
    }
    if (ch >= u'A' && ch <= u'F') {
        return ch - u'A' + 10;
    }
    return -1;
}

bool IsLetter(char16_t ch) {
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

class RtfReader {
  public:
    RtfReader(const QString& text, TTextLayouter& layouter) : text_(text), layouter_(layouter) {}

    TRtfResult Read();

  private:
    TRtfResult ParseControl();
    TRtfResult ParseHex();
    TRtfResult Translate(std::string_view name, bool hasParameter, long long parameter);
    TRtfResult ParseChar(char16_t ch);
    TRtfResult PushGroup();
    TRtfResult PopGroup();
    void ApplyProperty(const Keyword& keyword, long long value);
    void ChangeDestination(Action action, long long value);
    void SelectFont(int number);

    const QString& text_;
    TTextLayouter& layouter_;
    qsizetype pos_ = 0;
    std::vector<TSAVE> stack_;
    Destination destination_ = Destination::Normal;
    bool skipIfUnknown_ = false;
    TListFontu fonts_;
    int currentFont_ = -1;  // index in fonts_ of the entry being read
    TListColor colours_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
};

TRtfResult RtfReader::Read() {
    while (pos_ < text_.size()) {
        const char16_t ch = text_[pos_++].unicode();
        TRtfResult result = TRtfResult::Ok;
        switch (ch) {
            case u'{':
                result = PushGroup();
                break;
            case u'}':
                result = PopGroup();
                break;
            case u'\\':
                result = ParseControl();
                break;
            case u'\r':
            case u'\n':
                break;
            default:
                result = ParseChar(ch);
                break;
        }
        if (result != TRtfResult::Ok) {
            return result;
        }
    }
    return stack_.empty() ? TRtfResult::Ok : TRtfResult::UnmatchedBrace;
}

TRtfResult RtfReader::PushGroup() {
    if (int(stack_.size()) >= kMaxRtfDepth) {
        return TRtfResult::TooDeep;
    }
    stack_.push_back({layouter_.Chp(), layouter_.Pap(), destination_});
    return TRtfResult::Ok;
}

TRtfResult RtfReader::PopGroup() {
    if (stack_.empty()) {
        return TRtfResult::StackUnderflow;
    }
    const TSAVE& saved = stack_.back();
    if (!(saved.chp == layouter_.Chp())) {
        layouter_.MutableChp() = saved.chp;
    }
    layouter_.Pap() = saved.pap;
    destination_ = saved.destination;
    stack_.pop_back();
    return TRtfResult::Ok;
}

TRtfResult RtfReader::ParseControl() {
    if (pos_ >= text_.size()) {
        return TRtfResult::EndOfText;
    }
    const char16_t first = text_[pos_++].unicode();
    if (!IsLetter(first)) {
        if (first == u'\'') {
            return ParseHex();
        }
        const char symbol = first < 0x80 ? char(first) : '?';
        return Translate(std::string_view(&symbol, 1), false, 0);
    }
    std::string name(1, char(first));
    while (pos_ < text_.size() && IsLetter(text_[pos_].unicode())) {
        if (name.size() < kMaxControlWord) {
            name.push_back(char(text_[pos_].unicode()));
        }
        ++pos_;
    }
    if (pos_ >= text_.size()) {
        return TRtfResult::EndOfText;
    }
    bool negative = false;
    bool hasParameter = false;
    long long parameter = 0;
    if (text_[pos_] == u'-') {
        negative = true;
        ++pos_;
    }
    while (pos_ < text_.size() && text_[pos_].isDigit() && text_[pos_].unicode() < 0x80) {
        hasParameter = true;
        parameter = std::min(parameter * 10 + (text_[pos_].unicode() - u'0'), 1LL << 40);
        ++pos_;
    }
    if (pos_ >= text_.size()) {
        return TRtfResult::EndOfText;
    }
    if (text_[pos_] == u' ') {
        ++pos_;
    }
    return Translate(name, hasParameter, negative ? -parameter : parameter);
}

TRtfResult RtfReader::ParseHex() {
    int value = 0;
    for (int digit = 0; digit < 2; ++digit) {
        if (pos_ >= text_.size()) {
            return TRtfResult::EndOfText;
        }
        const int nibble = HexValue(text_[pos_++].unicode());
        if (nibble < 0) {
            return TRtfResult::InvalidHex;
        }
        value = value * 16 + nibble;
    }
    return ParseChar(platform::Cp1250ToUnicode((unsigned char)value));
}

TRtfResult RtfReader::Translate(std::string_view name, bool hasParameter, long long parameter) {
    const Keyword* keyword = FindKeyword(name);
    if (!keyword) {
        if (skipIfUnknown_) {
            destination_ = Destination::Skip;
        }
        skipIfUnknown_ = false;
        return TRtfResult::Ok;
    }
    skipIfUnknown_ = false;
    const long long value =
        hasParameter || keyword->kind == Kind::Character ? parameter : keyword->value;
    switch (keyword->kind) {
        case Kind::Property:
            if (destination_ != Destination::Skip) {
                ApplyProperty(*keyword, value);
            }
            return TRtfResult::Ok;
        case Kind::Character:
            return ParseChar(char16_t(keyword->value));
        case Kind::Destination:
            ChangeDestination(keyword->action, value);
            return TRtfResult::Ok;
        case Kind::Special:
            break;
    }
    if (keyword->action == Action::Binary) {
        // The data bytes are skipped, also inside skipped groups.
        const long long count = hasParameter ? std::max(parameter, 0LL) : 0;
        pos_ += qsizetype(std::min<long long>(count, text_.size() - pos_));
    } else if (keyword->action == Action::SkipIfUnknown && destination_ != Destination::Skip) {
        skipIfUnknown_ = true;
    }
    return TRtfResult::Ok;
}

TRtfResult RtfReader::ParseChar(char16_t ch) {
    switch (destination_) {
        case Destination::Normal:
        case Destination::NumberText:
            return layouter_.Feed(ch) ? TRtfResult::Ok : TRtfResult::LayoutEnded;
        case Destination::FontTable:
            if (currentFont_ >= 0 && ch != u';') {
                fonts_[currentFont_].Name.append(QChar(ch));
            }
            return TRtfResult::Ok;
        case Destination::ColourTable:
            if (ch == u';') {
                colours_.append(QColor(red_, green_, blue_));
                red_ = green_ = blue_ = 0;
            }
            return TRtfResult::Ok;
        case Destination::Skip:
            return TRtfResult::Ok;
    }
    return TRtfResult::Ok;
}

void RtfReader::SelectFont(int number) {
    for (const TListFontuEntry& entry : fonts_) {
        if (entry.Number == number) {
            TCHP& chp = layouter_.MutableChp();
            chp.FontNumber = number;
            if (!entry.Name.trimmed().isEmpty()) {
                chp.FontName = entry.Name.trimmed();
                chp.Charset = entry.Charset;
            }
            return;
        }
    }
    layouter_.MutableChp().FontNumber = number;
}

void RtfReader::ApplyProperty(const Keyword& keyword, long long value) {
    const int length = int(std::clamp(value, -kMaxLength, kMaxLength));
    TPAP& pap = layouter_.Pap();
    switch (keyword.action) {
        case Action::Bold:
            layouter_.MutableChp().Bold = value != 0;
            break;
        case Action::Underline:
            layouter_.MutableChp().Underline = value != 0;
            break;
        case Action::UnderlineNone:
            layouter_.MutableChp().Underline = false;
            break;
        case Action::Italic:
            layouter_.MutableChp().Italic = value != 0;
            break;
        case Action::Strike:
            layouter_.MutableChp().Strikeout = value != 0;
            break;
        case Action::Font:
            if (destination_ == Destination::FontTable) {
                fonts_.append({length, QString(), 0});
                currentFont_ = int(fonts_.size()) - 1;
            } else {
                SelectFont(length);
            }
            break;
        case Action::FontCharset:
            if (destination_ == Destination::FontTable && currentFont_ >= 0) {
                fonts_[currentFont_].Charset = int(std::clamp(value, 0LL, 255LL));
            }
            break;
        case Action::FontSize:
            layouter_.MutableChp().HalfPoints =
                double(std::clamp<long long>(value, 1, kMaxHalfPoints));
            break;
        case Action::Colour:
            layouter_.MutableChp().Colour = value >= 0 && value < colours_.size()
                                                ? colours_[qsizetype(value)]
                                                : QColor(Qt::black);
            break;
        case Action::Plain: {
            TCHP& chp = layouter_.MutableChp();
            chp.Bold = chp.Underline = chp.Italic = chp.Strikeout = false;
            chp.Colour = Qt::black;
            break;
        }
        case Action::Pard:
            pap.LeftIndent = pap.RightIndent = pap.FirstIndent = pap.NumberIndent = 0;
            pap.Alignment = 0;
            pap.LineSpacing = 0;
            break;
        case Action::LeftIndent:
            pap.LeftIndent = length;
            break;
        case Action::RightIndent:
            pap.RightIndent = length;
            break;
        case Action::FirstIndent:
            pap.FirstIndent = length;
            break;
        case Action::NumberIndent:
            pap.NumberIndent = length == 0 ? 200 : length;
            break;
        case Action::LineSpacing:
            pap.LineSpacing = length;
            break;
        case Action::DefaultTab:
            layouter_.SetTabWidth(length);
            break;
        case Action::AlignCentre:
            pap.Alignment = 2;
            break;
        case Action::AlignLeft:
            pap.Alignment = 0;
            break;
        case Action::AlignRight:
            pap.Alignment = 1;
            break;
        case Action::AlignJustify:
            pap.Alignment = 3;
            break;
        default:
            break;
    }
}

void RtfReader::ChangeDestination(Action action, long long value) {
    if (destination_ == Destination::Skip) {
        return;
    }
    const int component = int(std::clamp(value, 0LL, 255LL));
    switch (action) {
        case Action::FontTable:
            destination_ = Destination::FontTable;
            currentFont_ = -1;
            break;
        case Action::ColourTable:
            destination_ = Destination::ColourTable;
            red_ = green_ = blue_ = 0;
            break;
        case Action::Red:
            red_ = component;
            break;
        case Action::Green:
            green_ = component;
            break;
        case Action::Blue:
            blue_ = component;
            break;
        case Action::NumberText:
            destination_ = Destination::NumberText;
            break;
        case Action::FontFamily:
            // Inside the font table the family only classifies the entry whose
            // charset and name follow; elsewhere it opens a group to skip.
            if (destination_ != Destination::FontTable) {
                destination_ = Destination::Skip;
            }
            break;
        default:
            destination_ = Destination::Skip;
            break;
    }
}

}  // namespace

TRtfResult ReadRtf(const QString& text, TTextLayouter& layouter) {
    RtfReader reader(text, layouter);
    return reader.Read();
}

int RtfKeywordCount() {
    return int(kKeywords.size());
}
