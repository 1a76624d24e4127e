#include "report/designer/template_draft.h"

#include <algorithm>

namespace {

struct Drafter {
    const TDraftChoice& choice;
    const TDesignerSettings& s;
    int W;
    int Hp;
    QStringList lines;

    int h() const { return s.implVyska; }
    int cw() const { return s.implVyskaFontu * 3 / 4; }
    QString Font() const { return s.implNazevFontu; }

    QString Source(int index, const TDraftField& field) const {
        return choice.byName ? field.name.left(32) : QString::number(index);
    }
    int FieldWidth(const TDraftField& field) const {
        return field.displayWidth * cw() + 2 * s.implVyskaFontu;
    }

    void Title() {
        lines << QStringLiteral("Z,1,0,0,40,%1,40,%2,24,0,1,2,0,%3,\"%4\"")
                     .arg(W)
                     .arg(Font())
                     .arg(s.implSkriptFontu)
                     .arg(QStringLiteral("Nadpis sestavy"));
        lines << QStringLiteral("Z,5,0,%1,0,72,20,%2,10,0,2,0,0,%3")
                     .arg(W - 72)
                     .arg(Font())
                     .arg(s.implSkriptFontu);
        lines << QStringLiteral("Z,1,0,%1,0,56,20,%2,10,0,2,0,0,%3,\"%4\"")
                     .arg(W - 128)
                     .arg(Font())
                     .arg(s.implSkriptFontu)
                     .arg(QStringLiteral("Datum:"));
    }

    void PageNumber() {
        lines << QStringLiteral("P,1,0,%1,8,96,20,%2,10,0,2,1,0,%3,\"%4\"")
                     .arg(W - 144)
                     .arg(Font())
                     .arg(s.implSkriptFontu)
                     .arg(QStringLiteral("Stránka číslo:"));
        lines << QStringLiteral("P,5,3,%1,8,32,20,%2,10,0,2,1,0,%3")
                     .arg(W - 48)
                     .arg(Font())
                     .arg(s.implSkriptFontu);
    }

    // The text fields "font,s,colour,style" shared by the field and caption lines.
    QString FontFields() const {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(Font())
            .arg(s.implVyskaFontu)
            .arg(s.implBarvaFontu)
            .arg(s.implStylFontu);
    }

    void ColumnCaption(const QString& code, int index, const TDraftField& field, int x, int y,
                       int w) {
        const int align = field.alignment & 0x7F;
        if (choice.captionsAsText) {
            lines << QStringLiteral("%1,1,0,%2,%3,%4,%5,%6,%7,0,%8,\"%9\"")
                         .arg(code)
                         .arg(x)
                         .arg(y)
                         .arg(w)
                         .arg(h())
                         .arg(FontFields())
                         .arg(align)
                         .arg(s.implSkriptFontu)
                         .arg(field.label);
        } else {
            lines << QStringLiteral("%1,3,%2,%3,%4,%5,%6,%7,%8,0,%9")
                         .arg(code, Source(index, field))
                         .arg(x)
                         .arg(y)
                         .arg(w)
                         .arg(h())
                         .arg(FontFields())
                         .arg(align)
                         .arg(s.implSkriptFontu);
        }
    }

    void FieldLine(int index, const TDraftField& field, int x, int y, int w) {
        lines << QStringLiteral("T,2,%1,%2,%3,%4,%5,%6,%7,0,%8")
                     .arg(Source(index, field))
                     .arg(x)
                     .arg(y)
                     .arg(w)
                     .arg(h())
                     .arg(FontFields())
                     .arg(field.alignment & 0x7F)
                     .arg(s.implSkriptFontu);
    }

    void RowCaption(int index, const TDraftField& field, int y, int lw) {
        if (choice.captionsAsText) {
            lines << QStringLiteral("T,1,0,0,%1,%2,%3,%4,1,0,%5,\"%6\"")
                         .arg(y)
                         .arg(lw)
                         .arg(h())
                         .arg(FontFields())
                         .arg(s.implSkriptFontu)
                         .arg(field.label);
        } else {
            lines << QStringLiteral("T,3,%1,0,%2,%3,%4,%5,1,0,%6")
                         .arg(Source(index, field))
                         .arg(y)
                         .arg(lw)
                         .arg(h())
                         .arg(FontFields())
                         .arg(s.implSkriptFontu);
        }
    }

    void Rule(const QString& code, int y) {
        lines << QStringLiteral("%1,7,0,0,%2,%3,3,,1,0,0,8,15,0").arg(code).arg(y).arg(W);
    }

    // Steps 2 to 4 of the column style; answers y.
    int Columns(const QList<TDraftField>& fields, const QString& captionCode) {
        int x = 0;
        int y = 0;
        for (const QString& name : choice.chosen) {
            const int index = IndexOf(fields, name);
            if (index < 0) {
                continue;
            }
            const TDraftField& field = fields[index];
            const int w = std::min(FieldWidth(field), W);
            if (x + w > W) {
                y += h();
                x = 0;
            }
            if (choice.captions) {
                ColumnCaption(captionCode, index, field, x, y, w);
            }
            FieldLine(index, field, x, y, w);
            x += w;
        }
        if (x > 0) {
            y += h();
        }
        if (y > h()) {
            Rule(QStringLiteral("T"), y);
            y += 8;
        }
        return y;
    }

    // Steps 2 and 3 of the row style; answers y after the body line.
    int Rows(const QList<TDraftField>& fields) {
        const int lw = cw() * 12;
        const int xf = lw + 8;
        int y = 0;
        for (const QString& name : choice.chosen) {
            const int index = IndexOf(fields, name);
            if (index < 0) {
                continue;
            }
            const TDraftField& field = fields[index];
            const int w = std::min(FieldWidth(field), W - xf);
            if (choice.captions) {
                RowCaption(index, field, y, lw);
            }
            FieldLine(index, field, xf, y, w);
            y += h();
            if (y + h() > Hp - 144) {
                break;  // the body has to fit on one page
            }
        }
        y += 8;
        Rule(QStringLiteral("T"), y);
        return y;
    }

    static int IndexOf(const QList<TDraftField>& fields, const QString& name) {
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].name == name) {
                return i;
            }
        }
        return -1;
    }

    void Sections(std::initializer_list<QString> records) {
        QStringList head(records);
        lines = head + lines;
    }
};

}  // namespace

QStringList DraftTemplate(const TDraftChoice& choice, const QList<TDraftField>& fields,
                          const TDesignerSettings& settings, int width, int height) {
    Drafter d{choice, settings, width, height, {}};
    auto n = [](int v) { return QString::number(v); };
    if (!choice.detail && choice.columnStyle) {
        d.Title();
        const int y = d.Columns(fields, QStringLiteral("H"));
        d.Rule(QStringLiteral("H"), y);
        d.PageNumber();
        d.Sections({QStringLiteral("I,3,0,1,96"), QStringLiteral("I,3,1,1,") + n(y + 8),
                    QStringLiteral("I,3,2,1,") + n(y), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,1,32")});
    } else if (!choice.detail) {
        d.Title();
        d.lines << QStringLiteral("H,7,0,0,5,%1,3,,1,0,0,8,15,0").arg(width);
        const int y = d.Rows(fields);
        d.PageNumber();
        d.Sections({QStringLiteral("I,3,0,1,96"), QStringLiteral("I,3,1,1,16"),
                    QStringLiteral("I,3,2,1,") + n(y + 8), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,1,32")});
    } else if (choice.columnStyle) {
        const int y = d.Columns(fields, QStringLiteral("Z"));
        d.Rule(QStringLiteral("Z"), y);
        d.Sections({QStringLiteral("I,3,0,1,") + n(y + 8), QStringLiteral("I,3,1,0,16"),
                    QStringLiteral("I,3,2,1,") + n(y), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,0,16")});
    } else {
        d.lines << QStringLiteral("Z,7,0,0,5,%1,3,,1,0,0,8,15,0").arg(width);
        const int y = d.Rows(fields);
        d.Sections({QStringLiteral("I,3,0,1,16"), QStringLiteral("I,3,1,0,16"),
                    QStringLiteral("I,3,2,1,") + n(y + 8), QStringLiteral("I,3,3,0,16"),
                    QStringLiteral("I,3,4,0,16")});
    }
    d.lines.prepend(QStringLiteral("I,6,0,%1,%2").arg(settings.rastrX).arg(settings.rastrY));
    d.lines.prepend(QStringLiteral("I,5,") + n(settings.useUnits));
    return d.lines;
}
