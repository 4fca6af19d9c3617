#pragma once

#include <QString>

class QWidget;
struct RecordedStep;

// What the view's helpers (the document operations and the edit commands)
// need of the view besides its text and the document state: the window that
// owns their dialogs, the macro recorder's inlet and the title.
class ViewHost {
  public:
    virtual ~ViewHost() = default;

    // The window that owns dialogs and message boxes.
    virtual QWidget* dialogOwner() const = 0;
    // Hands an event to the macro recorder; nothing happens unless one records.
    virtual void recordMacroStep(const RecordedStep& step) = 0;
    // The title's name follows the current path (or the configured label).
    virtual void RefreshTitleName() = 0;
    // The caret position in the title follows the caret at once.
    virtual void refreshCaretPosition() = 0;
    // The document now differs from its file: the flag, and the title's mark.
    virtual void markTextChanged() = 0;
    // The document was written to path: the flag is cleared and the title
    // shows the saved file.
    virtual void markTextSaved(const QString& path) = 0;
};
