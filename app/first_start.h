#pragma once
// The first start of an installed program: its folders in the user's home
// are made ready (user_folders.h), and while the data folder holds no animal
// the program offers, once, how to begin:
//   "Začít s prázdnou evidencí"                 nothing more is done
//   "Nahrát ukázkovou chovnou stanici"          the demo kennel is loaded
//                                               through the store (demo_kennel.h)
//   "Převzít data z dřívější instalace..."      the import of an old installation
// Closing the window is the empty start. That the offer was made is kept in
// Harvel.INI (key NabidkaPrvnihoSpusteni=1 in section EvidList), so it comes
// once, whatever was chosen.

#include <QDialog>
#include <QString>

class QPushButton;

// The offer's window; each button closes it with its choice as the result.
class TFoPrvniSpusteni : public QDialog {
    Q_OBJECT
  public:
    enum Choice { chEmpty = 1, chDemo, chTakeOver };

    explicit TFoPrvniSpusteni(QWidget* parent = nullptr);

  private:
    QPushButton* AddChoice(const char* name, const QString& caption, Choice choice);
};

struct FirstStartPlaces {
    QString dataFolder;
    QString demoFolder;    // the demo kennel's CSV files
    QString settingsFile;  // Harvel.INI, where the offer is remembered
};

// Makes the offer when the data folder holds a database without any animal
// and the settings file does not record an earlier offer.
void OfferFirstStart(QWidget* parent, const FirstStartPlaces& places);

// For an installed program (platform::CurrentFolders()): prepares the user's
// folders, reports what could not be made in an error box, then makes the
// offer. A program run from a build folder does nothing here.
void WelcomeInstalledProgramUser();
