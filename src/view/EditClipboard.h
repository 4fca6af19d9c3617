#pragma once

#include <QString>
#include <optional>

class QMimeData;

// The edit control's clipboard data. Inside the editor the exact text of the
// edit buffer travels in a format of its own, so that a lone CR or LF
// survives a copy and paste; other programs get plain text with LF breaks.
namespace editclipboard {

// Clipboard data for a piece of the edit buffer's text (CR LF breaks).
QMimeData* mimeDataFor(const QString& text);

bool canRead(const QMimeData* source);

// The edit buffer's text in the data: the exact text when it is ours,
// otherwise plain text whose CR LF, CR and LF all become CR LF.
std::optional<QString> textOf(const QMimeData* source);

} // namespace editclipboard
