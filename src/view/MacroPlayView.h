#pragma once

#include "TextSearch.h"

#include <QString>
#include <optional>

class CTextEdit;
class EditBuffer;
class EditerDocument;
class QWidget;

// What the macro player drives of the view besides the text it reads through
// EditBuffer: the edit control that is shown (keys go there), the document
// operations, the shared search and the insert strings.
class MacroPlayView {
  public:
    virtual ~MacroPlayView() = default;

    virtual EditBuffer& editBuffer() = 0;
    virtual CTextEdit& activeEdit() const = 0;
    virtual EditerDocument& document() = 0;
    // The window that owns message boxes.
    virtual QWidget* dialogOwner() const = 0;
    // Paints the view at once (the macro's repaint step).
    virtual void repaintNow() = 0;
    // The edit control's modified flag or the document's own modified mark.
    virtual bool IsDocumentChanged() const = 0;
    virtual void InsertString(const QString& insertText, const std::optional<QString>& endText) = 0;
    virtual bool Search(const QString& text, SearchDirection direction, MatchCase matchCase,
                        SearchMode mode) = 0;
    virtual bool ReplaceAll(const QString& findText, const QString& replaceText,
                            MatchCase matchCase) = 0;
};
