#pragma once

#include "CharSet.h"
#include "Locale.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The program's own names and lists of character sets (string table entries
// 35089-35098), used when no language library supplies them.

// The string id of a set's display label, 0 for an id outside 0-8.
uint32_t charSetLabelId(CharSetId id);

// Splits a "|"-separated list into trimmed items; empty items count, and the
// text after the last "|" is the last item ("a|b||" gives a, b, "", "").
QStringList SplitCharCodeList(QStringView list);

// The set named by a label: the display labels in id order, then
// "(Auto Detect)" 0, "ANSI" 1, the native ANSI label (string 35098) 1; -1.
CharSetId GetCharCodeFromName(const QString& label);

// The offered sets joined by "|" with one more "|" at the end, starting with
// the automatic entry when withAutoDetect. The Japanese list (with EUC and
// JIS) when japaneseList, else the short one.
QString GetCharCodeSetList(bool withAutoDetect, bool japaneseList);
// The list a system language gets from the program's own resources.
inline bool usesJapaneseList(LANGID systemDefaultLanguage) {
    return systemDefaultLanguage == 0x0411;
}
