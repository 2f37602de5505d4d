#pragma once
// Finding the project's uses of withdrawn catalogue elements: the project's own symbol table
// (classes, Inherits, controls per layout, methods, hooks, properties) and one pass of the
// lexer over each member's code.

#include "catalogue/CatalogueRows.h"
#include "scan/Project.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>

namespace Scan {

enum class Confidence {
    Low,    // the member name alone, and it is common: a possibility
    Medium, // the member name belongs to one withdrawn class only
    High,   // the class or function is known for certain
};
QString ConfidenceWord(Confidence c);
std::optional<Confidence> ConfidenceFromText(QStringView text);

enum class UseKind {
    Type,     // As T, New T, IsA T, Inherits T, casts
    Control,  // Begin T Name: one legacy control
    Function, // a global function call
    Member,   // x.M
};

struct Finding
{
    QString file;   // as the project names it
    int line = 0;   // file line, from 1
    int column = 0; // code points, from 1
    QString item;   // item › member › memberLine
    QString member; // empty outside members (Inherits, Begin)
    int memberLine = 0;
    const Catalogue::Row *row = nullptr;
    Confidence confidence = Confidence::High;
    UseKind kind = UseKind::Type;
    bool guarded = false; // inside #If XojoVersion / Target... : deliberately old
    QStringList notes;    // e.g. the control's renamed events
    QString snippet;      // the source line, trimmed
};

// The catalogue arranged for matching: element names, classes with their members, global
// functions, ambiguous member names. Built from table text, so tests can use their own.
class ScanCatalogue
{
public:
    // functionsText, ambiguousText, frameworkText: the formats of scan/global-functions.txt,
    // scan/ambiguous-members.txt and scan/framework-classes.txt.
    ScanCatalogue(const Catalogue::Rows &rows, QStringView functionsText, QStringView ambiguousText,
                  QStringView frameworkText = {});
    ~ScanCatalogue();
    ScanCatalogue(const ScanCatalogue &) = delete;
    ScanCatalogue &operator=(const ScanCatalogue &) = delete;

    // The compiled-in catalogue with the scanner's own tables.
    static const ScanCatalogue &Builtin();
    static QString BuiltinFunctionsText();
    static QString BuiltinAmbiguousText();
    static QString BuiltinFrameworkText();

    const Catalogue::Rows &rows() const { return m_rows; }

    struct Impl;
    const Impl &impl() const { return *d; }

private:
    Catalogue::Rows m_rows;
    std::unique_ptr<Impl> d;
};

struct ScanResult
{
    QList<Finding> findings; // in file, line, column order
    QStringList errors;      // e.g. a cycle of Inherits
};

// Uses below minConfidence are not collected at all.
ScanResult ScanProject(const Project &project, const ScanCatalogue &catalogue,
                       Confidence minConfidence = Confidence::Low);

} // namespace Scan
