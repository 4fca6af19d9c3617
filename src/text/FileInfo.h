#pragma once

#include "FileTime.h"

#include <QString>
#include <QStringView>
#include <cstdint>

// The texts of the file information dialog and the parts of the file dialog
// requests that loading and saving build, without any window.
namespace fileinfo {

// Characters of the text that are not a blank (U+0020), TAB, LF or CR.
qint64 countCharacters(QStringView text);
// A number with "," between every three digits from the right: 1,234,567.
QString groupDigits(qint64 number);
// The low 32 bits of the size, grouped, followed by string 35036 " バイト".
QString sizeText(qint64 size);
// The last-write time in local time, formatted with string 33005
// "%d 年 %d月 %d日 %d:%02d:%02d"; -1 in every place when the time is invalid.
QString timeText(FILETIME time);

// The folder part of a path up to and including its last "/" (the whole
// path when it has none).
QString folderOf(const QString& path);
// The name part after the last "/" (the whole path when it has none).
QString nameOf(const QString& path);

// The filter a saved name preselects: the number (from 1) of the first
// description and pattern pair of `filters` ("|"-separated) whose patterns
// contain the name's extension, else `fallback`. A name without "." keeps it.
int filterIndexForName(const QString& name, const QString& filters, int fallback);

enum class DialogMode { Open, Save };
// The file select flags built from the settings each time a document
// dialog opens.
uint32_t fileSelectFlags(DialogMode mode, int longDelay, int selectBySingleTap, int zoomMethod,
                         int selectableCodeSet, int showFolders);

} // namespace fileinfo
