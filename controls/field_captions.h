#pragma once
// A form's captions given to the fields they label, so that a value the
// store refuses is named as the user sees it ("Kohoutková výška"), not by
// its column (Vyska_kohout).

class QWidget;

namespace platform {
class DataSet;
}

// Every label of `form` whose buddy is a bound control names that control's
// field of `dataSet` (line breaks, mnemonics and a trailing colon dropped).
void GiveFieldsTheirCaptions(QWidget& form, platform::DataSet& dataSet);
