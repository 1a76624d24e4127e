#pragma once
// What the file exports share about placed elements: which ones are drawn as
// text, their shown lines and the font they are drawn in.

#include <QString>
#include <functional>

#include "platform/paint/canvas.h"
#include "report/output/sestvyst.h"

// Kinds 1, 3..6, and 2 without a picture.
bool IsTextElement(const TVystPrvek& element);
// The lines FirstLine..LastLine that exist; empty when there are no lines.
QVector<const TRadek*> ShownLines(const TVystPrvek& element);
// The template font after the device-font substitution.
platform::Font ElementFont(const TVystPrvek& element);

// Writes a file through a temporary one: `write` fills the device; the file
// replaces `fileName` only when `write` and every write succeeded.
bool WriteFileAtomically(const QString& fileName, const std::function<bool(QIODevice&)>& write);
