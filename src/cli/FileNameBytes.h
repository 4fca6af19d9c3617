#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names are bytes; most are UTF-8, but not all. A name is carried as a
// QString whose bytes that are not UTF-8 each stand as one code unit
// U+DC80..U+DCFF (a low surrogate that can't appear alone in real text), so
// that every name comes back as exactly the bytes the user gave, whatever the
// locale says, and two different names never become one.
QString textFromBytes(QByteArrayView bytes);

// The bytes of a text made by textFromBytes: UTF-8, with each stand-in unit
// turned back into its byte. Used for file names and for what is printed,
// so that a name is printed as it is spelt on the disk.
QByteArray bytesFromText(QStringView text);
