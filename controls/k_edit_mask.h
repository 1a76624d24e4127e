#pragma once
// Digit masks of the formatted edit: the layout of a text on a mask, the
// editing of a laid-out text and the revision of known date and time masks.
// Free of any widget; the edit control drives them.

#include <QDateTime>
#include <QString>

enum TMaskOn { moNone, moRevision, moRevisionSys, moSystem };

struct TMaskSpecEdit {
    QString Mask;
    TMaskOn MaskOnEnter = moNone;
    TMaskOn MaskOnExit = moNone;
    bool MaskDelShift = false;  // kept for forms that set it; editing ignores it
};

namespace kedit {

// A mask edited in place: the text of the field and the caret in it.
struct MaskState {
    QString text;
    int caret = 0;
};

// The mask without its leading "!"; the field's text always has its length.
QString MaskLayout(const QString& mask);
bool IsDigitPosition(const QString& mask, int position);
// Digits where the layout has digit positions ("_" where none), literals as they are.
QString LayOutOnMask(const QString& text, const QString& mask);
// Whether typing digits is possible at all (the mask holds "9" or "!").
bool MaskAcceptsDigits(const QString& mask);
int FirstBlank(const QString& text);

// Edits; `selectionStart`/`selectionLength` describe the selected range.
MaskState TypeDigit(const QString& mask, MaskState state, QChar digit, int selectionStart,
                    int selectionLength);
MaskState Backspace(const QString& mask, MaskState state, int selectionStart, int selectionLength);
MaskState DeleteAtCaret(const QString& mask, MaskState state, int selectionStart,
                        int selectionLength);

// Revision of the known date and time masks; other masks and unreadable
// parts leave the text as it is.
QString ReviseMask(const QString& text, const QString& mask, TMaskOn mode, const QDateTime& now);

}  // namespace kedit
