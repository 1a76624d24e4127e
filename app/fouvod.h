#pragma once
// The launcher TFoUvod ("Expedice"), the program's main window: closing it
// ends the program. Its buttons lead to every area of the program; areas
// whose forms are not part of this build answer "Tento příkaz není zatím
// funkční".

#include <QMainWindow>

#include "platform/paint/picture.h"

class QToolButton;
class TDM1;
class TFoParametry;
class TRecordSheetView;
namespace diary {
class DueReading;
}

class TFoUvod : public QMainWindow {
    Q_OBJECT
  public:
    // `parametry` is the long-lived settings form shown by "Parame&try"; it
    // is created after the launcher, so it may also be given later.
    explicit TFoUvod(TFoParametry* parametry, QWidget* parent = nullptr);
    void SetParametryForm(TFoParametry* parametry) { parametry_ = parametry; }
    // The record sheet ("Evidence", "Tiskové výstupy") and the data module
    // (the address book); without them the buttons answer that the command
    // does not work yet.
    void SetRecordSheet(TRecordSheetView* recordSheet) { recordSheet_ = recordSheet; }
    void SetDataModule(TDM1* dataModule) { dataModule_ = dataModule; }

    bool HasPicture() const { return !picture_.IsEmpty(); }

  signals:
    // The launcher was closed: the program ends.
    void Closed();

  public slots:
    void BtnEvidenceClick();
    void BtnTiskClick();
    // "Diář": the diary window; a double click on an animal's entry opens
    // the record sheet on that animal.
    void BtnDiarClick();
    // "Statistika chovu": the kennel's breeding history as charts.
    void BtnStatistikaClick();
    // At start: the reminder of what is due (read beside the start by
    // `reading`, none when it is null), and the diary when asked for.
    void ShowDueReminders(diary::DueReading* reading);
    void SpeedButton2Click();
    void SpeedButton7Click();
    void SpeedButton6Click();
    void SpeedButton4Click();
    void ShowHelp();
    void ShowAbout();
    void MenuPrevzitDataClick();
    // "Webové stránky chovné stanice...": the kennel's web site into a folder.
    void MenuWebStrankyClick();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildButtons(QWidget* parent);
    void BuildMenu();
    void WarnAboutSmallScreen();
    void LoadPicture();

    TFoParametry* parametry_;
    TRecordSheetView* recordSheet_ = nullptr;
    TDM1* dataModule_ = nullptr;
    platform::Picture picture_;
};
