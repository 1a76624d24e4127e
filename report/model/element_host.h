#pragma once
// What a template element asks of the report it is read into: the numbers of
// the data fields and user functions a template names, whether a font is
// installed, the template's version and the loading of a picture. The
// engine's report layout answers; an element that is only formatted has no
// host and takes every value as the template gives it.

#include <QString>

class TLumexReportElement;

class TElementHost {
  public:
    virtual ~TElementHost() = default;

    // Templates written before the variable "Celkový počet stran" existed
    // number the variables after "Číslo strany" one lower.
    virtual bool NumbersVariablesBeforePageCount() const = 0;
    virtual int FieldCount() const = 0;
    // 0-based position of a data field by name, or -1.
    virtual int FindField(const QString& name) const = 0;
    // Position of a user function by name, or -1.
    virtual int FindFunction(const QString& name) const = 0;
    virtual bool IsInstalledFont(const QString& name) const = 0;
    // Called for a picture element once it has been read.
    virtual void LoadElementPicture(TLumexReportElement& element) = 0;
};
