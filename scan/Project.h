#pragma once
// Reading Xojo projects: the text manifest (.xojo_project, .rbvcp) and the items it lists, the
// XML project (.xojo_xml_project), single item files, and detection of the binary format. Only
// what a manifest lists is read; nothing here ever writes.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace Scan {

enum class MemberKind {
    Method,   // methods, implemented events, menu handlers, getters and setters, external methods
    Hook,     // an event definition: its name belongs to the project
    Property, // one declaration line "name As Type"
};

struct Member
{
    QString name;    // "Refresh", "Open"; a control's handler keeps its own name ("CellAction")
    QString control; // the control whose handler this is (#tag Events X), else empty
    MemberKind kind = MemberKind::Method;
    bool isEvent = false;       // an implemented event (#tag Event, HookInstance)
    bool isMenuHandler = false; // its "Handles X.Action" clause is not a use
    int firstLine = 0;          // index in Item::lines of the signature (or the declaration)
    int endLine = 0;            // one past the last line
};

struct Control
{
    QString name;
    QString className;
    int line = 0;   // index in Item::lines
    int column = 0; // code-point column (0-based) of the class name
    QString parent; // the control it is nested in, empty for the layout itself
};

struct Item
{
    QString file;    // as reported: relative to the project folder, or as given
    QString absPath; // on disk
    QString name;    // the item's name (manifest, or its own header)
    QString kind;    // first tag: Class, Module, Window, DesktopWindow, Menu ...
    QString super;   // Inherits
    int superLine = -1, superColumn = 0;
    bool isLayout = false;   // has a Begin tree (windows, containers, web pages, menus)
    QList<Control> controls; // controls[0] is the layout itself when isLayout
    QList<Member> members;

    QByteArray data;                     // the file, UTF-8
    std::vector<std::string_view> lines; // into data (or into xmlText for XML items)
    std::vector<int> fileLines;          // XML items: the file line of each source line
    std::vector<int> columnBase;         // XML items: the column where each source line starts
    QByteArray xmlText;                  // XML items: decoded source lines, one per line

    int fileLineOf(int index) const { return fileLines.empty() ? index + 1 : fileLines[size_t(index)]; }
    int columnBaseOf(int index) const { return columnBase.empty() ? 0 : columnBase[size_t(index)]; }
};

struct Unread
{
    QString file;
    QString reason;
};

struct Project
{
    QString folder;      // the project's folder, for relative paths
    QString manifest;    // the manifest or project file read, empty for loose items
    QString projectType; // Type=Desktop ...
    QList<Item> items;
    QList<Unread> unread;
    QStringList errors; // problems with the input as a whole
    qint64 bytesRead = 0;
};

struct ReadOptions
{
    QStringList excludeGlobs;         // matched against each item's project-relative path
    qsizetype maxLineBytes = 1 << 20; // longer lines make an item unreadable, not a hang
};

// Reads each path (manifest, folder holding one, XML project, binary project, item file) into
// one project. Missing paths and manifests that are not one become errors; listed items that
// cannot be read become Unread entries.
Project ReadProject(const QStringList &paths, const ReadOptions &options = {});

// Parses one text-format item already in memory (tests and the XML reader's fallback).
// Returns false and sets why when the text is not an item.
bool ParseTextItem(Item &item, QString *why);

// Splits data at LF, CRLF or CR into views; returns the length of the longest line.
qsizetype SplitLines(std::string_view data, std::vector<std::string_view> &lines);

// True when data is valid UTF-8.
bool IsValidUtf8(std::string_view data);

} // namespace Scan
