#pragma once
// A length limit for multi-line fields, which Qt's plain-text editor lacks:
// whatever is typed or pasted beyond `maxLength` characters is dropped at
// the place where it went in, so the text already there stays whole.

class QPlainTextEdit;

void LimitPlainText(QPlainTextEdit* edit, int maxLength);
