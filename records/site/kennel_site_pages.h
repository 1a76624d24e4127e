#pragma once
// The pages of the kennel's web site as HTML5 texts, and its stylesheet.
// The site's files:
//   index.html            the kennel's name and its animals with thumbnails
//   vrhy.html             the litters by year
//   zvirata/<jméno>.html  one page per animal
//   foto/<jméno>.jpg, foto/<jméno>-nahled.jpg   photo and thumbnail
//   styl.css              the one stylesheet
// Pages link only to one another, the pictures and the stylesheet; nothing
// outside the site's folder and no script.

#include <QSet>
#include <QString>

#include "records/site/kennel_site_data.h"
#include "records/site/site_file_names.h"

namespace site {

inline constexpr char kIndexPage[] = "index.html";
inline constexpr char kLittersPage[] = "vrhy.html";
inline constexpr char kStylesheet[] = "styl.css";
inline constexpr char kAnimalFolder[] = "zvirata";
inline constexpr char kPhotoFolder[] = "foto";

// Where the pages find an animal's page and pictures.
struct SiteLinks {
    SiteFileNames names;
    QSet<QString> withPhoto;  // animals whose photo and thumbnail were written

    QString AnimalPage(const QString& animal) { return names.StemOf(animal) + ".html"; }
    QString Photo(const QString& animal) { return names.StemOf(animal) + ".jpg"; }
    QString Thumbnail(const QString& animal) { return names.StemOf(animal) + "-nahled.jpg"; }
};

QString IndexPage(const SiteKennel& kennel, SiteLinks& links);
QString LittersPage(const SiteKennel& kennel, SiteLinks& links);
QString AnimalPage(const SiteKennel& kennel, const SiteAnimal& animal, SiteLinks& links);
QString Stylesheet();

}  // namespace site
