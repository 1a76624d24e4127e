#include "records/site/kennel_site.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include "platform/atomic_file.h"
#include "platform/czech_plural.h"
#include "platform/store/store_error.h"
#include "records/site/kennel_site_data.h"
#include "records/site/kennel_site_pages.h"

namespace site {
namespace {

constexpr int kPhotoSide = 800;
constexpr int kThumbnailSide = 320;
constexpr int kJpegQuality = 85;
const QString kListFile = QStringLiteral(".harvel-web");

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

class SiteFolder {
  public:
    explicit SiteFolder(const QString& folder) : dir_(folder) {
        for (const char* sub : {kAnimalFolder, kPhotoFolder})
            if (!dir_.mkpath(QString::fromLatin1(sub)))
                throw platform::StoreError(
                    QStringLiteral("Složku „%1“ nelze vytvořit.")
                        .arg(Native(dir_.filePath(QString::fromLatin1(sub)))));
    }

    void Write(const QString& relative, const QByteArray& bytes) {
        const QString failure = platform::WriteWholeFile(dir_.filePath(relative), bytes);
        if (!failure.isEmpty())
            throw platform::StoreError(failure);
        written_ << relative;
    }

    void WriteText(const QString& relative, const QString& text) { Write(relative, text.toUtf8()); }

    // Removes what the previous run listed and this one did not write, then
    // lists this run's files. Only names inside the site's own folders are
    // taken from the old list.
    QStringList Finish() {
        QStringList removed;
        QFile previous(dir_.filePath(kListFile));
        if (previous.open(QIODevice::ReadOnly)) {
            for (const QString& line : QString::fromUtf8(previous.readAll()).split(u'\n')) {
                const QString name = line.trimmed();
                if (name.isEmpty() || written_.contains(name) || !IsSiteFile(name))
                    continue;
                if (QFile::remove(dir_.filePath(name)))
                    removed << name;
            }
            previous.close();
        }
        Write(kListFile, (written_.join(u'\n') + u'\n').toUtf8());
        return removed;
    }

    int FileCount() const { return static_cast<int>(written_.size()); }

  private:
    static bool IsSiteFile(const QString& name) {
        if (name.contains(QLatin1String("..")) || name.contains(u'\\'))
            return false;
        const QStringList parts = name.split(u'/');
        if (parts.size() == 1)
            return name == QLatin1String(kIndexPage) || name == QLatin1String(kLittersPage) ||
                   name == QLatin1String(kStylesheet);
        return parts.size() == 2 && !parts[1].isEmpty() &&
               (parts[0] == QLatin1String(kAnimalFolder) ||
                parts[0] == QLatin1String(kPhotoFolder));
    }

    QDir dir_;
    QStringList written_;
};

QByteArray Jpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", kJpegQuality);
    return bytes;
}

// The photo decoded at most kPhotoSide on its longer side (the decoder
// scales while it reads, which is much faster than scaling afterwards).
QImage DecodedPhoto(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPhotoSide || size.height() > kPhotoSide))
        reader.setScaledSize(size.scaled(kPhotoSide, kPhotoSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return image;
    // A picture without alpha keeps JPEG's colours; a transparent one gets white.
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool WritePhotos(SiteFolder& folder, const SiteAnimal& animal, SiteLinks& links,
                 QStringList& notes) {
    if (animal.photo.isEmpty())
        return false;
    const QImage photo = DecodedPhoto(animal.photo);
    if (photo.isNull()) {
        notes << QStringLiteral("Fotografii zvířete „%1“ nelze přečíst; jeho stránka je bez ní.")
                     .arg(animal.name);
        return false;
    }
    const QString photos = QString::fromLatin1(kPhotoFolder) + u'/';
    folder.Write(photos + links.Photo(animal.name), Jpeg(photo));
    folder.Write(photos + links.Thumbnail(animal.name),
                 Jpeg(photo.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation)));
    links.withPhoto.insert(animal.name);
    return true;
}

}  // namespace

SiteWritten WriteKennelSite(platform::Database& database, const QString& kennelName,
                            const QString& folder) {
    const SiteKennel kennel = ReadSiteKennel(database, kennelName);
    SiteFolder site(folder);
    SiteLinks links;
    SiteWritten written;
    written.animals = static_cast<int>(kennel.animals.size());
    written.litters = static_cast<int>(kennel.litters.size());
    for (const SiteAnimal& animal : kennel.animals)
        written.photos += WritePhotos(site, animal, links, written.notes) ? 1 : 0;
    const QString animals = QString::fromLatin1(kAnimalFolder) + u'/';
    for (const SiteAnimal& animal : kennel.animals)
        site.WriteText(animals + links.AnimalPage(animal.name), AnimalPage(kennel, animal, links));
    site.WriteText(QString::fromLatin1(kLittersPage), LittersPage(kennel, links));
    site.WriteText(QString::fromLatin1(kStylesheet), Stylesheet());
    site.WriteText(QString::fromLatin1(kIndexPage), IndexPage(kennel, links));
    for (const QString& removed : site.Finish())
        written.notes << QStringLiteral("Odstraněn soubor dřívějších stránek: %1").arg(removed);
    written.files = site.FileCount();
    return written;
}

namespace {

QString Counted(int count, const platform::CzechForms& forms) {
    return QString::number(count) + u' ' + platform::CzechPlural(count, forms);
}

}  // namespace

QString SiteSummary(const SiteWritten& written, const QString& folder) {
    return QStringLiteral("Webové stránky byly zapsány do složky „%1“: %2, %3, %4.")
        .arg(Native(folder), Counted(written.animals, {"zvíře", "zvířata", "zvířat"}),
             Counted(written.litters, {"vrh", "vrhy", "vrhů"}),
             Counted(written.photos, {"fotografie", "fotografie", "fotografií"}));
}

}  // namespace site
