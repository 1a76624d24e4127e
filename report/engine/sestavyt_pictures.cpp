// Picture files of a report run: the pictures of picture elements, the page
// background and the list of pictures the designer offers. A named file that
// gives no picture (missing, a folder, a FIFO, a device, no readable picture)
// leaves the place empty and is reported once per file, naming the element.
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "report/engine/sestavyt.h"

namespace {

// The element as the user finds it in the designer: its section and place.
QString PictureElementName(const TLumexReportElement& element) {
    QString name = QStringLiteral("prvek");
    if (!element.ident.isEmpty()) {
        name += QStringLiteral(" \"%1\"").arg(element.ident);
    }
    if (element.section) {
        name += QStringLiteral(" v oddílu \"%1\"").arg(SectionCaption(element.section->type));
    }
    return name + QStringLiteral(", vlevo %1, nahoře %2").arg(element.left).arg(element.top);
}

const QString kBackgroundName = QStringLiteral("pozadí sestavy");

}  // namespace

void TSestavaTyp::ResolvePicture(TLumexReportElement& element, bool report) {
    const QStringList items = SplitValueList(element.text);
    const QString firstItem = items.value(0);
    std::vector<PictureProblem> problems;
    for (const QString& item : items) {
        for (const QString& candidate : {item, TemplateFolder() + item}) {
            // A picture shown on every row is loaded once.
            const bool loaded = !element.picture.IsEmpty() && element.pictureFile == candidate;
            platform::Picture picture;
            PictureProblem problem;
            if (loaded || (!item.isEmpty() && LoadPictureFile(candidate, picture, problem))) {
                if (!loaded) {
                    element.picture = picture;
                    element.pictureFile = candidate;
                }
                // An alternative printed instead; a damaged file before it
                // is still worth a word, a missing one is what the list is for.
                for (const PictureProblem& earlier : problems) {
                    if (earlier.kind == platform::FileKind::Regular) {
                        ReportPictureProblem(earlier, PictureElementName(element));
                    }
                }
                return;
            }
            // The second try looks in the template folder's template folder;
            // where the file is missing the first try has said where it belongs.
            const bool missing = problem.kind == platform::FileKind::Missing;
            if (report && !problem.file.isEmpty() && (!missing || candidate == item)) {
                problems.push_back(problem);
            }
        }
    }
    element.picture.Clear();
    element.pictureFile = firstItem;
    for (const PictureProblem& problem : problems) {
        ReportPictureProblem(problem, PictureElementName(element));
    }
}

void TSestavaTyp::LoadElementPicture(TLumexReportElement& element) {
    // Read with the template, for the designer; the run tells what it misses.
    if (element.kind == ekPicture) {
        ResolvePicture(element, false);
    }
}

bool TSestavaTyp::LoadPicture(const QString& name, platform::Picture& picture) {
    PictureProblem ignored;
    return LoadPictureFile(name, picture, ignored);
}

bool TSestavaTyp::LoadPictureFile(const QString& name, platform::Picture& picture,
                                  PictureProblem& problem) {
    if (master_) {
        return master_->LoadPictureFile(name, picture, problem);
    }
    if (OnNactiObraz) {
        return OnNactiObraz(*this, name, picture);
    }
    if (name.isEmpty()) {
        return false;
    }
    const QString inTemplateFolder = TemplateFolder() + name;
    problem = PictureProblem();
    for (const QString& candidate : {inTemplateFolder, name}) {
        // The kind is asked before opening: a FIFO would block the run.
        const platform::FileKind kind = platform::KindOfFile(candidate);
        if (kind == platform::FileKind::Regular) {
            QString why;
            if (picture.LoadFromFile(candidate, &why)) {
                return true;
            }
            if (why.isEmpty()) {
                why = QStringLiteral("není to obrázek známého formátu");
            }
            problem = {candidate, kind, why};
            return false;
        }
        if (kind != platform::FileKind::Missing && problem.file.isEmpty()) {
            problem = {candidate, kind, platform::WhyNotAFile(kind)};
        }
    }
    if (problem.file.isEmpty()) {
        const QString expected = QFileInfo(name).isAbsolute() ? name : inTemplateFolder;
        problem = {expected, platform::FileKind::Missing,
                   platform::WhyNotAFile(platform::FileKind::Missing)};
    }
    return false;
}

void TSestavaTyp::ReportPictureProblem(const PictureProblem& problem, const QString& element) {
    TRunError error;
    error.kind = rePicture;
    error.name = problem.file;
    error.detail = problem.why;
    error.element = element;
    ReportRunError(error);
}

void TSestavaTyp::ListPictures(QStringList& items) {
    if (master_) {
        master_->ListPictures(items);
        return;
    }
    if (OnNactiSeznamObrazu) {
        OnNactiSeznamObrazu(*this, items);
        return;
    }
    QStringList masks;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        masks << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    masks << QStringLiteral("*.emf");
    const QDir folder(TemplateFolder().isEmpty() ? QStringLiteral(".") : TemplateFolder());
    items << folder.entryList(masks, QDir::Files | QDir::CaseSensitive, QDir::Name);
}

void TSestavaTyp::LoadBackground() {
    const TBackgroundSettings& settings = Settings().background;
    const QString file = settings.ownBackground ? settings.fileName : Background;
    PictureProblem problem;
    if (file.isEmpty() || !LoadPictureFile(file, background_, problem)) {
        background_.Clear();
        if (!problem.file.isEmpty()) {
            ReportPictureProblem(problem, kBackgroundName);
        }
    }
}

QRect TSestavaTyp::BackgroundRect() const {
    return Settings().background.rect;
}

bool TSestavaTyp::BackgroundPrinted() const {
    const TBackgroundSettings& settings = Settings().background;
    return settings.ownBackground && (settings.printBackground || PrintBackgroundAlways);
}
