#pragma once

#include "CharSet.h"

#include <QByteArrayView>
#include <functional>
#include <optional>

#include "Locale.h"

// Detection of a file's character set and line ending from its raw bytes. The
// detectors scan by length; bytes past the end read as zero, as the loader's
// four zero bytes after the data would.

bool IsUtf8Text(QByteArrayView bytes, bool& asciiOnly);
bool IsShiftJisText(QByteArrayView bytes);
bool IsEucText(QByteArrayView bytes);
CharSetId DetectCharSetJapanese(QByteArrayView bytes);
CharSetId DetectCharSetGeneric(QByteArrayView bytes);

// The line ending counted over bytes; for UTF-16 files use DetectLineEndingUtf16.
LineEndingId DetectLineEnding(QByteArrayView bytes);
// The same counting rules over the 16-bit units of a UTF-16 file in its byte
// order, after a byte-order mark.
LineEndingId DetectLineEndingUtf16(QByteArrayView bytes, bool bigEndian);
// The line ending the loader uses for a file read in the given set (1-8):
// UTF-16 by units, the others by bytes; "none found" becomes CR LF.
LineEndingId DetectLineEndingFor(QByteArrayView bytes, CharSetId charSet);

// A language library's detector: nullopt when the library can't be loaded or
// lacks the export, else its answer as it comes.
using LibraryDetector = std::function<std::optional<CharSetId>(QByteArrayView)>;

// The loader's choice of detector for "automatic detection": the library's
// detector when one is configured (libraryDetector set), falling back to the
// generic one; else the Japanese detector on a Japanese system and the generic
// one elsewhere. The answer is always a set 1-8.
CharSetId DetectCharSet(QByteArrayView bytes, LANGID systemDefaultLanguage,
                        const LibraryDetector& libraryDetector = {});
