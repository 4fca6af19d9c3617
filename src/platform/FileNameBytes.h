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
//
// The editor and tavlo-cli carry every path this way, from the command line,
// the hand-over record, a folder's listing and the registry to the system
// calls. QFile::encodeName and QFile::decodeName are not used for paths:
// they turn such bytes into U+FFFD, so a file could be read under one name
// and saved under another. These lone units survive QString, the UTF-16
// hand-over record and the registry's UTF-16 strings unchanged.
QString textFromBytes(QByteArrayView bytes);

// The bytes of a text made by textFromBytes: UTF-8, with each stand-in unit
// turned back into its byte. Used for file names and for what is printed,
// so that a name is printed as it is spelt on the disk.
QByteArray bytesFromText(QStringView text);
