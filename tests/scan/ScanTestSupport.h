#pragma once
// A small catalogue of our own for the scanner's tests (the shipped one keeps changing), and
// findings written as one comparable line each.

#include "scan/Project.h"
#include "scan/Scanner.h"

#include <QString>
#include <QStringList>

namespace ScanTest {

inline const char16_t kRows[] = u"1\tListBox\tDeprec\t2021r3\tDesktopListBox\n"
                                u"2\tListBox.Cell\tDeprec\t2019r2\tDesktopListBox.CellTextAt\n"
                                u"3\tRecordSet\tDeprec\t2019r2\tRowSet\n"
                                u"4\tRecordSet.EOF\tDeprec\t2019r2\tRowSet.AfterLastRow\n"
                                u"5\tRecordSet.MoveNext\tDeprec\t2019r2\tRowSet.MoveToNextRow\n"
                                u"6\tRecordSet.Field\tDeprec\t2019r2\tRowSet.Column\n"
                                u"7\tDatabaseField.StringValue\tDeprec\t2019r2\tDatabaseColumn.StringValue\n"
                                u"8\tInStr\tDeprec\t2019r2\tString.IndexOf\n"
                                u"9\tMid\tDeprec\t2019r2\tString.Middle\n"
                                u"10\tString.Mid\tDeprec\t2019r2\tString.Middle\n"
                                u"11\tPushButton\tDeprec\t2021r3\tDesktopButton\n"
                                u"12\tPushButton.Action\tDeprec\t2021r3\tDesktopButton.Pressed\n"
                                u"13\tWindow\tDeprec\t2021r3\tDesktopWindow\n"
                                u"14\tWindow.Open\tDeprec\t2021r3\tDesktopWindow.Opening\n"
                                u"15\tMsgBox\tDeprec\t2019r2\tMessageBox\n"
                                u"16\tDate\tDeprec\t2019r2\tDateTime\n"
                                u"17\tDate.TotalSeconds\tDeprec\t2019r2\tDateTime.SecondsFrom1970\n"
                                u"18\tRecordSet.RecordCount\tDeprec\t2019r2\tRowSet.RowCount\n"
                                u"19\tArray.Ubound\tDeprec\t2019r2\tArray.LastRowIndex\n"
                                u"20\tUBound\tDeprec\t2019r2\tArray.LastRowIndex\n"
                                u"21\tDatabase.SQLSelect\tDeprec\t2019r2\tDatabase.SelectSQL\n"
                                u"22\tOldThing\tRemovd\t2005r1\tNo Replacement\n"
                                u"23\tXojo.Core.Timer.Action\tDeprec\t2020r2\tTimer.Run\n"
                                u"24\tAuto\tDeemph\t2018r4\t\n"
                                u"25\tTextField\tDeprec\t2021r3\tDesktopTextField\n"
                                u"26\tApplication\tDeprec\t2021r3\tDesktopApplication\n"
                                u"27\tListBox.HasHeading\tDeprec\t2019r2\tDesktopListBox.HasHeader\n"
                                u"28\tRectControl.HelpTag\tDeprec\t2019r2\tRectControl.Tooltip\n"
                                u"29\tPushButton.Push\tDeprec\t2019r2\tDesktopButton.Press\n"
                                u"30\tMenuItem\tDeprec\t2021r3\tDesktopMenuItem\n"
                                u"31\tTextField.TextChange\tDeprec\t2021r3\tDesktopTextField.TextChanged\n"
                                u"32\tREALSQLDatabase\tDeprec\t2013r1\tSQLiteDatabase\n"
                                u"33\tRBVersion\tDeprec\t2013r1\tXojoVersion\n"
                                u"34\tLen\tDeprec\t2019r2\tString.Length\n"
                                u"35\tListBox.CellClick\tDeprec\t2021r3\tDesktopListBox.CellPressed\n"
                                u"36\tArray.AddRow\tDeprec\t2019r3\tArray.Add\n"
                                u"37\tListBox.Change\tDeprec\t2019r2\tDesktopListBox.SelectionChanged\n";

inline const Scan::ScanCatalogue &catalogue()
{
    static const Catalogue::Rows rows = Catalogue::Rows::Parse(QStringView(kRows));
    static const Scan::ScanCatalogue cat(rows, Scan::ScanCatalogue::BuiltinFunctionsText(),
                                         Scan::ScanCatalogue::BuiltinAmbiguousText(),
                                         Scan::ScanCatalogue::BuiltinFrameworkText());
    return cat;
}

inline QString dataDir() { return QStringLiteral(VANTREL_SCAN_DATA); }

// "file:line:col Element confidence[ guarded]"
inline QString describe(const Scan::Finding &f)
{
    return f.file + u':' + QString::number(f.line) + u':' + QString::number(f.column) + u' ' + f.row->name + u' '
        + Scan::ConfidenceWord(f.confidence) + (f.guarded ? QStringLiteral(" guarded") : QString());
}

inline QStringList describeAll(const QList<Scan::Finding> &findings)
{
    QStringList out;
    for (const Scan::Finding &f : findings)
        out.append(describe(f));
    return out;
}

} // namespace ScanTest
