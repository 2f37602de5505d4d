#pragma once
// What the application tells the about box about itself: plain data, so the application
// object can hand it over without knowing the box's window.

#include <QDate>
#include <QString>

struct AboutBoxData
{
    qint64 MajorVersion = 1;
    qint64 MinorVersion = 0;
    QString Version;     // the full version string, "1.0.0"; may be empty
    QString Description; // one line; empty shows the fallback text
    QString Copyright;   // one-line rights notice
    QDate BuildDate;     // usually AboutBox::BuildDate()
    // The home-page link: this program has none, so both stay empty and the link is hidden.
    QString HomePageCaption;
    QString HomePageURL;
};
