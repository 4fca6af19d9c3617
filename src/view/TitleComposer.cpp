#include "TitleComposer.h"

#include "StringTable.h"

namespace titleflags {
uint16_t build(int titleBarInfo, int dispModifiedMark, int dispCaretPosInfo, int caretPosInfoPos) {
    uint16_t flags = 0;
    if (titleBarInfo != 0)
        flags |= 0x0001;
    if (dispModifiedMark != 0)
        flags |= 0x0010;
    if (dispCaretPosInfo != 0)
        flags |= 0x0100;
    flags |= caretPosInfoPos == 0 ? kCaretBefore : kCaretAfter;
    return flags;
}
} // namespace titleflags

bool isHalfWidth(char16_t c) {
    // The wide and full-width ranges of the East Asian width property, as far
    // as the basic plane goes. Surrogates count one column each, so that a
    // character outside the basic plane takes two.
    if (c < 0x1100)
        return true;
    if (c <= 0x115F)
        return false; // Hangul Jamo leading consonants
    if (c >= 0x2E80 && c <= 0x303E)
        return false; // CJK radicals, symbols and punctuation
    if (c >= 0x3041 && c <= 0x33FF)
        return false; // kana, CJK compatibility
    if (c >= 0x3400 && c <= 0x4DBF)
        return false; // CJK extension A
    if (c >= 0x4E00 && c <= 0x9FFF)
        return false; // CJK unified ideographs
    if (c >= 0xA000 && c <= 0xA4CF)
        return false; // Yi
    if (c >= 0xAC00 && c <= 0xD7A3)
        return false; // Hangul syllables
    if (c >= 0xF900 && c <= 0xFAFF)
        return false; // CJK compatibility ideographs
    if (c >= 0xFE30 && c <= 0xFE4F)
        return false; // CJK compatibility forms
    if (c >= 0xFF00 && c <= 0xFF60)
        return false; // full-width forms
    if (c >= 0xFFE0 && c <= 0xFFE6)
        return false; // full-width signs
    return true;
}

int displayColumn(QStringView line, qsizetype n, int tabSize) {
    const int tab = tabSize > 0 ? tabSize : 1;
    int column = 0;
    n = std::min(n, line.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = line[i].unicode();
        ++column;
        if (c == u'\t') {
            while (column % tab != 0)
                ++column;
        } else if (!isHalfWidth(c)) {
            ++column;
        }
    }
    return column;
}

QString caretText(int line, QStringView lineText, int column, int tabSize) {
    const int shown = displayColumn(lineText, column - 1, tabSize) + 1;
    return QStringLiteral("(%1:%2)").arg(line).arg(shown);
}

QString titleNameFromPath(const QString& path) {
    if (path.isEmpty())
        return QString();
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QString TitleComposer::newDocumentName() {
    return res::loadString(35032, QStringLiteral("(New Document)"));
}

QString TitleComposer::update(const std::optional<QString>& name, uint16_t flags, bool setName,
                              const std::optional<QString>& caret, bool textChanged) {
    if (setName) {
        base_ = name.value_or(QString());
        if ((flags & titleflags::kLabelMask) == 0 && !name)
            base_ = newDocumentName();
    }
    const uint16_t position = flags & titleflags::kCaretPosMask;
    const bool withCaret = (flags & titleflags::kCaretMask) != 0 && caret.has_value();
    QString title;
    if (withCaret && position == titleflags::kCaretBefore)
        title = *caret;
    if (!title.isEmpty())
        title += u' ';
    title += base_;
    if (withCaret && position == titleflags::kCaretAfter) {
        if (!title.isEmpty())
            title += u' ';
        title += *caret;
    }
    if (textChanged && (flags & titleflags::kMarkMask) != 0)
        title += QStringLiteral(" *");
    return title;
}
