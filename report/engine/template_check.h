#pragma once
// Whether a template read for a run has anything to print. A template that
// is empty, or whose lines are not records of a template at all (a damaged
// file, another kind of file under the .pts name), would print blank pages
// without a word; a run refuses it instead and tells the user why.

#include <QString>

class TSestavaLayout;

// Why the template applied to `layout` cannot be printed, as the user reads
// it; empty when it can. `name` is the template file as the user knows it.
//  - no line, or only blank lines: "Předloha "name" je prázdná."
//  - no element, and a line that is no template record: the first such line,
//    by its number and its beginning;
//  - no element and nothing damaged: empty as above.
QString TemplateRefusal(const TSestavaLayout& layout, const QString& name);
