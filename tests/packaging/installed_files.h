#pragma once
// What an installation of Harvel holds below its prefix, for the tests of
// the installed tree and of the Debian package.

#include <QStringList>

namespace packaging_test {

inline QStringList InstalledFiles() {
    return {
        "bin/harvel",
        "bin/harvel-data",
        "bin/harvel-report",
        "share/harvel/harvel.installation",
        "share/harvel/Predlohy/EvidList01.pts",
        "share/harvel/Predlohy/rodokmen00.pts",
        "share/harvel/Predlohy/Vrhy00.pts",
        "share/harvel/OTHER/uvod.emf",
        "share/harvel/OTHER/Splash.bmp",
        "share/harvel/HELP/100.html",
        "share/harvel/demo/main_card.csv",
        "share/harvel/demo/foto_album.csv",
        "share/harvel/demo/rodokmen.csv",
        "share/harvel/screenshots/harvel-evidence.png",
        "share/applications/cz.harvel.Harvel.desktop",
        "share/applications/cz.harvel.HarvelDesigner.desktop",
        "share/metainfo/cz.harvel.Harvel.metainfo.xml",
        "share/mime/packages/harvel.xml",
        "share/icons/hicolor/scalable/apps/harvel.svg",
        "share/icons/hicolor/48x48/apps/harvel.png",
        "share/icons/hicolor/128x128/apps/harvel.png",
        "share/icons/hicolor/256x256/apps/harvel.png",
        "share/man/man1/harvel.1.gz",
        "share/man/man1/harvel-data.1.gz",
        "share/man/man1/harvel-report.1.gz",
        "share/doc/harvel/copyright",
        "share/doc/harvel/changelog.gz",
    };
}

}  // namespace packaging_test
