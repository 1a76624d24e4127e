#pragma once
// An input limit for multi-line fields, which have none of their own: what
// the user types or pastes beyond `maxLength` characters is dropped at the
// caret. A text loaded whole into the field (a record shown by a bound memo)
// is left as it is, so a longer stored note is never cut by merely showing
// it; typing into it only cannot make it longer.

class QPlainTextEdit;

void LimitMemoLength(QPlainTextEdit* memo, int maxLength);
