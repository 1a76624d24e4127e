#pragma once
// The data fields a template refers to by name, so that a template can be
// checked against the columns of the data it is about to print: a field
// that the data lacks would otherwise print the first column in its place
// (a name that is not found reads as field 0).

#include <QString>
#include <QStringList>

#include "report/engine/predloha.h"

// Every field name the template uses, each once, in the order of first use:
// the source of every element of kinds 2 and 3 given by name, the group
// expressions given as a bare name, and every #name reference in group
// expressions, user functions, print conditions and the value lists of
// pictures and barcodes. Lines of attached details are not looked at (a
// detail prints its own data).
QStringList TemplateFieldNames(const TPredloha& predloha);

// The names of TemplateFieldNames that are not among `fields` (compared
// without regard to case, as the engine finds fields).
QStringList MissingTemplateFields(const TPredloha& predloha, const QStringList& fields);
