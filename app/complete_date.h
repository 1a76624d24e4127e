#pragma once
// Date completion shared by every entry form: the user types as much of a
// date as needed ("5", "5.3", "5..2009") and the rest comes from today.
//
// The rule, on the text as typed:
//  1. Only the first 10 characters count.
//  2. Day: the whole text when it holds no "."; the text before the first "."
//     when that "." is the 2nd or 3rd character; otherwise (the text starts
//     with ".", or its first "." comes later) the text does not complete.
//     It must read as a whole number 1 to 31.
//  3. Month: the text between the first and the second "." (everything after
//     the first "." when there is no second one; nothing when there is no
//     "."). Empty means the reference month; otherwise a whole number 1 to 12.
//  4. Year: the text after the second "." when there is one and it is not the
//     last character, a whole number 1900 to 2099; otherwise the reference year.
//  5. The three must form a real calendar date.
// A text that is not a whole number reads as 0 and so fails its range.

#include <QDate>
#include <QString>
#include <optional>

// The completed date, or nullopt when the text does not complete.
std::optional<QDate> CompleteDate(const QString& text, const QDate& reference);
// The same against today's date (platform::Today()).
std::optional<QDate> CompleteDate(const QString& text);

// What an entry form does when the user leaves a date field: answers the
// text the field should hold from now on. A text that completes gives the
// full date as d.M.yyyy; an empty (or all-blank) field gives "" without a
// message. A text that does not complete shows the error box "Chybné datum !"
// (OK button) and gives nullopt: the field keeps what the user typed.
std::optional<QString> CompleteDateField(const QString& typed);
