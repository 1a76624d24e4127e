#pragma once
// Font rules shared by the report engine and the output: the font list the
// designer offers, the "Roman" device fonts of text-only printers and their
// substitution for drawing, the 16-colour table of templates, and the
// conversion of a template's font fields into a font.

#include <QColor>
#include <QString>
#include <QStringList>

#include "platform/paint/canvas.h"

// Names of the device fonts of text-only printers.
inline constexpr const char* kRomanPrefix = "Roman ";

// True for a "Roman " device font name ("Roman 10cpi", "Roman 12cpi", ...).
bool IsDeviceFont(const QString& name);

// The characters per inch a device font name stands for: the number after
// "Roman " (10 when there is none or it cannot be read).
int DeviceFontCpi(const QString& name);

// Replaces a "Roman " device font by Courier New, fixed pitch, character set
// 238, 11, 10 or 8 points for 10, 12 or 17 cpi (11 for any other number).
// Returns false and leaves the font alone for any other name.
bool SubstituteDeviceFont(platform::Font& font);

// The installed screen font families, with "Arial", "Times New Roman" and
// "Courier New" added when the system maps them to a metric-compatible face,
// followed by "Roman 10cpi", "Roman 12cpi", "Roman 17cpi". Built once.
const QStringList& FontList();

// True when `family` resolves to a face with its metrics (the family itself
// or one of the known metric-compatible faces, e.g. Liberation Sans for Arial).
bool HasMetricCompatibleFace(const QString& family);

// The 16-colour table of templates: a value 0..15 is looked up, any other
// value is the colour itself (red + 256 * green + 65536 * blue).
QColor TemplateColour(int value);
// A colour as red + 256 * green + 65536 * blue.
int ColourNumber(const QColor& colour);
QColor ColourFromNumber(int number);

// Font from template values: a name not in `fontList` that ends in " CE",
// " Greek", " TUR", " Baltic" or " CYR" loses that suffix and takes its
// character set (238, 161, 162, 186, 204); the colour goes through
// TemplateColour; a negative size is a height in hundredths of an inch
// (size * -72 / 100 points); style bits 1 bold, 2 italic, 4 underline,
// 8 strikeout.
void ApplyTemplateFont(platform::Font& font, const QString& name, double size, int charset,
                       int styleBits, int colour, const QStringList& fontList = FontList());
