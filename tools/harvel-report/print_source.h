#pragma once
// harvel-report --source N: the print page's list of one print source, run
// the way the record sheet's print button runs it. The data module is
// opened on the data folder with the settings of Harvel.INI beside the
// program, so its column rules (display labels, "Ano"/"Ne", the unit
// formats) and the report parameters (line 1 the kennel's name) are those
// of the window; the list query is the one RunBookQuery builds from the
// source and the optional where and order texts of the print page.

#include <QString>
#include <QStringList>
#include <memory>

class TDM1;
class TSestava;
namespace platform {
class DataSource;
}

namespace harvel_report {

// A failure of the source's run, with the Czech text for stderr.
struct PrintSourceError {
    QString message;
};

class PrintSourceRun {
  public:
    // Throws PrintSourceError when the data folder cannot be opened or the
    // store refuses the list query.
    PrintSourceRun(const QString& dataFolder, int source, const QString& where,
                   const QString& order);
    ~PrintSourceRun();
    PrintSourceRun(const PrintSourceRun&) = delete;
    PrintSourceRun& operator=(const PrintSourceRun&) = delete;

    platform::DataSource* Source() const;
    // The report parameter lines of the data module's report component.
    QStringList Parametry() const;
    QString Caption() const;

    // Before the print: throws PrintSourceError naming the fields the
    // template prints that the source's list does not have (a template of
    // another source; an empty name skips the check). An empty list still
    // prints, as the window prints it, but says so on stderr.
    void CheckBeforePrint(const QString& templateFile) const;
    // A template's own order goes before --order, as on the print page.
    void FollowTemplateOrder(TSestava& report) const;

  private:
    void CheckTemplate(const QString& templateFile) const;

    int source_;
    std::unique_ptr<TDM1> dm_;
};

}  // namespace harvel_report
