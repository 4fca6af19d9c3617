#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The Japanese era of a date: 令和 from 1 May 2019, 平成 from 8 January 1989,
// 昭和 before that. `year` is the year of the era.
struct JapaneseEra {
    QString name;
    int year = 0;
};
JapaneseEra japaneseEraOf(const QDate& date);

// Fills the date fields of an insert-string template ("YY", "WW", "ww", "yy",
// "MM", "mm", "DD", "dd", "HH", "hh", "TT", "tt", "SS", "ss", "DofWjpn",
// "DofWeng", "MofYeng"), each field replaced everywhere, in this order, in
// the text the earlier replacements left.
QString fillDateFields(const QString& text, const QDateTime& localTime);

// The text an insert-string entry without end text puts in: a text that
// begins with "#" loses every "#" at its start and at its end and has its
// date fields filled; any other text comes back unchanged.
QString expandInsertText(const QString& insertText, const QDateTime& localTime);
