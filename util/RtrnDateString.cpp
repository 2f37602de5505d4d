#include "util/RtrnDateString.h"

#include "errors/CatchClause.h"
#include "toolkit/DateTime.h"

namespace RtrnDateString {

namespace {

QString padded(qint64 value, int digits) { return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')); }

// value / divisor rounded to the nearest whole number, halves away from zero.
qint64 roundedQuotient(qint64 value, qint64 divisor)
{
    return value >= 0 ? (value + divisor / 2) / divisor : -((-value + divisor / 2) / divisor);
}

QString base36OfDay(const Toolkit::DateTime &now)
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const qint64 ms =
        qint64(now.Hour) * 3600000 + qint64(now.Minute) * 60000 + qint64(now.Second) * 1000 + now.Nanosecond / 1000000;
    constexpr qint64 kSixDigits = 2176782336; // 36^6
    qint64 r = ((ms % kSixDigits) + kSixDigits) % kSixDigits;
    QString code;
    for (qint64 place : {60466176LL, 1679616LL, 46656LL, 1296LL, 36LL}) {
        code += QLatin1Char(digits[r / place]);
        r %= place;
    }
    code += QLatin1Char(digits[r]);
    return code;
}

QString nextLetters()
{
    // Shared by every caller for the life of the process; the date never resets them.
    static qint64 extraLetterAscii1 = 65;
    static qint64 extraLetterAscii2 = 97;
    if (extraLetterAscii2 > 122) {
        extraLetterAscii2 = 97;
        extraLetterAscii1 += 1;
    }
    if (extraLetterAscii1 > 90) {
        extraLetterAscii1 = 65;
        extraLetterAscii2 = 97;
    }
    QString letters = QString(QChar(char16_t(extraLetterAscii1))) + QChar(char16_t(extraLetterAscii2));
    extraLetterAscii2 += 1;
    return letters;
}

} // namespace

QString rsAlphaDateTime(qint64 style)
{
    static constexpr HandlerId id{"RtrnDateString", "", "rsAlphaDateTime", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        const Toolkit::DateTime now = Toolkit::DateTime::Now(); // one reading for every piece

        const QString yyyy = QString::number(now.Year);
        const QString yy = yyyy.right(2);
        const QString mm = padded(now.Month, 2);
        const QString dd = padded(now.Day, 2);
        const QString hh = padded(now.Hour, 2);
        const QString mi = padded(now.Minute, 2);
        const QString ss = padded(now.Second, 2);
        QString ymd = yy + mm + dd;
        QString stamp4 = ymd + QLatin1Char('_') + hh + mi + ss;

        switch (style) {
        case 1:
            return ymd;
        case 2:
            return ymd + QLatin1Char('_') + hh;
        case 3:
            return ymd + QLatin1Char('_') + hh + mi;
        case 5:
            return ymd + hh + mi;
        case 6:
            return yyyy + QLatin1Char('.') + mm + QLatin1Char('.') + dd;
        case 7:
            return stamp4 + nextLetters();
        case 8:
            return mm + QLatin1Char('/') + dd + QLatin1Char('/') + yyyy + QLatin1Char(' ') + hh + QLatin1Char(':') + mi
                + QLatin1Char(':') + ss;
        case 9:
            return yyyy + mm + dd + QLatin1Char('_') + hh + mi + ss;
        case 10:
            return stamp4 + QLatin1Char('_') + padded(now.Nanosecond, 9);
        case 11:
            return stamp4 + QLatin1Char('_') + padded(roundedQuotient(now.Nanosecond, 1000), 6);
        case 12:
            return stamp4 + QLatin1Char('_') + padded(roundedQuotient(now.Nanosecond, 1000000), 3);
        case 13:
            return ymd + QLatin1Char('_') + base36OfDay(now);
        case 14:
            return hh + mi + ss;
        default:
            return stamp4;
        }
    });
}

} // namespace RtrnDateString
