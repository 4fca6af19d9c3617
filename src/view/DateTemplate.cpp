#include "DateTemplate.h"

#include <array>

JapaneseEra japaneseEraOf(const QDate& date) {
    if (date >= QDate(2019, 5, 1))
        return {QStringLiteral("令和"), date.year() - 2018};
    if (date >= QDate(1989, 1, 8))
        return {QStringLiteral("平成"), date.year() - 1988};
    return {QStringLiteral("昭和"), date.year() - 1925};
}

namespace {
QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}
} // namespace

QString fillDateFields(const QString& text, const QDateTime& localTime) {
    static const std::array<const char16_t*, 7> kDayJpn = {u"日", u"月", u"火", u"水",
                                                           u"木", u"金", u"土"};
    static const std::array<const char*, 7> kDayEng = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
    static const std::array<const char*, 12> kMonthEng = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = localTime.date();
    const QTime t = localTime.time();
    const JapaneseEra era = japaneseEraOf(d);
    // QDate counts Monday 1 ... Sunday 7; the table starts on Sunday.
    const int weekday = d.dayOfWeek() % 7;

    QString s = text;
    s.replace(QStringLiteral("YY"), QString::number(d.year()));
    s.replace(QStringLiteral("WW"), era.name + twoDigits(era.year));
    s.replace(QStringLiteral("ww"), era.name + QString::number(era.year));
    s.replace(QStringLiteral("yy"), twoDigits(d.year() % 100));
    s.replace(QStringLiteral("MM"), twoDigits(d.month()));
    s.replace(QStringLiteral("mm"), QString::number(d.month()));
    s.replace(QStringLiteral("DD"), twoDigits(d.day()));
    s.replace(QStringLiteral("dd"), QString::number(d.day()));
    s.replace(QStringLiteral("HH"), twoDigits(t.hour()));
    s.replace(QStringLiteral("hh"), QString::number(t.hour()));
    s.replace(QStringLiteral("TT"), twoDigits(t.minute()));
    s.replace(QStringLiteral("tt"), QString::number(t.minute()));
    s.replace(QStringLiteral("SS"), twoDigits(t.second()));
    s.replace(QStringLiteral("ss"), QString::number(t.second()));
    s.replace(QStringLiteral("DofWjpn"), QString::fromUtf16(kDayJpn[weekday]));
    s.replace(QStringLiteral("DofWeng"), QString::fromLatin1(kDayEng[weekday]));
    s.replace(QStringLiteral("MofYeng"), QString::fromLatin1(kMonthEng[d.month() - 1]));
    return s;
}

QString expandInsertText(const QString& insertText, const QDateTime& localTime) {
    if (!insertText.startsWith(u'#'))
        return insertText;
    qsizetype begin = 0;
    qsizetype end = insertText.size();
    while (begin < end && insertText[begin] == u'#')
        ++begin;
    while (end > begin && insertText[end - 1] == u'#')
        --end;
    return fillDateFields(insertText.mid(begin, end - begin), localTime);
}
