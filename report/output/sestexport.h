#pragma once
// File exports of the report output: HTML pages, one RTF document, character-
// cell text in a chosen code page, one metafile per page (EMF or placeable
// WMF) and spool files holding every page, which can also be read back.
// Writers to a stream report whether every byte was written; writers to a
// named file go through a temporary file that replaces the target only when
// everything was written, so a failed export never leaves a file that looks
// complete.

#include <QIODevice>
#include <QString>
#include <QStringList>

class TSestVystup;
class TVystPrvek;
class TZnakovePole;

// ---- HTML ------------------------------------------------------------------------------
void HtmlHeader(QIODevice& stream);
void HtmlTrailer(QIODevice& stream);
// The elements of page `page` (0-based) as absolutely placed DIVs. Pictures
// and barcodes are saved as .bmp files in `folder`, named after `pictureBase`
// with its extension replaced by the element number (1-based) and ".bmp".
// False when the stream or a picture file could not be written (the rest of
// the page is still written).
bool SaveHtmlPage(TSestVystup& output, QIODevice& stream, const QString& folder, int page,
                  const QString& pictureBase);
// The index of pages written one file each: a list linking `pageFiles` (names
// beside the index) in order as "Strana 1", "Strana 2", …, under `title`.
bool SaveHtmlIndex(QIODevice& stream, const QStringList& pageFiles, const QString& title);
bool SaveHtmlIndexFile(const QString& fileName, const QStringList& pageFiles, const QString& title);
// `base` with its extension (the part after the last dot of the file name)
// replaced by `replacement`: ("a.html", "3.bmp") gives "a3.bmp".
QString ReplaceExtension(const QString& base, const QString& replacement);

// ---- RTF -------------------------------------------------------------------------------
bool SaveRtf(const TSestVystup& output, QIODevice& stream);
bool SaveRtfFile(const TSestVystup& output, const QString& fileName);

// ---- text ------------------------------------------------------------------------------
// Pages firstPage..lastPage (1-based, clamped to the pages there are), `copies`
// times, in the output's ExportLanguage. Stops between pages when `stopFlag`
// is set (returns false then). Characters the code page cannot hold are
// written as '?'; when `lost` is given, each of them is added to it once, so
// that the caller can tell the user (LostCharactersWarning).
bool SaveTextStream(const TSestVystup& output, QIODevice& stream, int firstPage, int lastPage,
                    int copies, const bool* stopFlag = nullptr, QString* lost = nullptr);
// All pages once into `fileName` (replaced).
bool SaveText(const TSestVystup& output, const QString& fileName, QString* lost = nullptr);
// Places the shown lines of a text element (kinds 1, 3..6 and 2 without a
// picture) into the character field, shifted by (shiftX, shiftY) hundredths
// of an inch; other elements are ignored. Also used by text-only printing.
void PlaceInCharField(TZnakovePole& field, const TVystPrvek& element, int shiftX = 0,
                      int shiftY = 0);

// ---- page metafiles --------------------------------------------------------------------
// Renders page `page` (0-based) and writes it as EMF when `enhanced`, else as
// a placeable WMF. Nothing is written for a page outside the pages (false).
bool SaveMetafile(TSestVystup& output, QIODevice& stream, int page, bool paperGeometry,
                  bool withBackground, bool enhanced);
bool SaveMetafileFile(TSestVystup& output, const QString& fileName, int page, bool paperGeometry,
                      bool withBackground, bool enhanced);

// ---- spool files -----------------------------------------------------------------------
// Every page as an EMF record with `title` as the document name. Nothing is
// written for an output without pages.
bool SaveSpool(TSestVystup& output, QIODevice& stream, bool withBackground, const QString& title);
bool SaveSpoolFile(TSestVystup& output, const QString& fileName, bool withBackground,
                   const QString& title);
// Reads a spool file into the output (FromSpool, Title, A4 paper without
// margins). Damage ends the reading: the pages read so far stay and the
// result is false. `error` says what was wrong.
bool LoadSpool(TSestVystup& output, QIODevice& stream, QString* error = nullptr);
