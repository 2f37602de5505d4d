#pragma once
// What the scanner targets compare between the LF and the CRLF form of an input.

#include "scan/Scanner.h"

#include <QString>
#include <QStringList>

namespace FuzzScan {

// Every field of a finding, line ending free.
inline QString describe(const Scan::Finding &f)
{
    return QStringList{f.file,
                       QString::number(f.line),
                       QString::number(f.column),
                       f.item,
                       f.member,
                       QString::number(f.memberLine),
                       f.row ? f.row->name : QStringLiteral("-"),
                       Scan::ConfidenceWord(f.confidence),
                       QString::number(int(f.kind)),
                       f.guarded ? QStringLiteral("guarded") : QString(),
                       f.notes.join(u','),
                       f.snippet}
        .join(u'|');
}

} // namespace FuzzScan
