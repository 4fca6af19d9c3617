#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The title flags word: which parts the main window's title shows.
namespace titleflags {
constexpr uint16_t kLabelMask = 0x000F; // show the fixed label instead of the file name
constexpr uint16_t kMarkMask = 0x00F0;  // show the changed mark
constexpr uint16_t kCaretMask = 0x0F00; // show the caret position
constexpr uint16_t kCaretPosMask = 0xF000;
constexpr uint16_t kCaretBefore = 0x1000; // caret text before the name
constexpr uint16_t kCaretAfter = 0x2000;  // caret text after the name

// Builds the word from the four settings TITLE_BAR_INFO, DISP_TEXT_MODIFIED_MARK,
// DISP_CARET_POS_INFO and CARET_POS_INFO_POS.
uint16_t build(int titleBarInfo, int dispModifiedMark, int dispCaretPosInfo, int caretPosInfoPos);
} // namespace titleflags

// True when the character is half-width in the East Asian sense: it takes one
// column in the title's caret column, a full-width character two.
bool isHalfWidth(char16_t c);

// The display column reached by the first n characters of a line: each
// character adds 1; a tab then advances to the next multiple of tabSize; a
// character that is not half-width adds 1 more.
int displayColumn(QStringView line, qsizetype n, int tabSize);

// "(line:column)" for a caret at `column` (1-based, counted in characters)
// of the displayed line `lineText`, with `line` 1-based.
QString caretText(int line, QStringView lineText, int column, int tabSize);

// The name part of a path: what follows its last "/" (the whole path if it
// has none); empty for an empty path.
QString titleNameFromPath(const QString& path);

// Composes the main window's title. The base name persists between calls,
// as only some calls give a new one.
class TitleComposer {
  public:
    // name: std::nullopt for "none". caret: the caret text, or std::nullopt
    // when the flags don't ask for it. Returns the new title.
    QString update(const std::optional<QString>& name, uint16_t flags, bool setName,
                   const std::optional<QString>& caret, bool textChanged);

    const QString& baseName() const { return base_; }

    // String 35032, or "(New Document)" when it can't be loaded.
    static QString newDocumentName();

  private:
    QString base_;
};
