#pragma once

#include "CTextEdit.h"
#include "CommandRouter.h"
#include "DocumentServices.h"
#include "DocumentState.h"
#include "EditBuffer.h"
#include "FontSet.h"
#include "InsertStringMenu.h"
#include "MacroPlayView.h"
#include "RecordedStep.h"
#include "TextSearch.h"
#include "TitleComposer.h"
#include "ViewHost.h"
#include "ViewServices.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class SearchTarget;
class EditerDocument;
class EditCommands;
class ViewMacroCommands;

// The one view of the document. It holds the two edit controls (1000 wraps,
// 1005 does not; exactly one is shown and holds the text), the title, the
// four fonts and the eight insert strings, and handles the view's commands.
// The open file's state lives in state(); the document operations, the edit
// commands and the search reach the view only through the narrow interfaces
// it implements (EditBuffer, ViewHost).
class CEditer : public QWidget,
                public CommandTarget,
                public EditBuffer,
                public ViewHost,
                public MacroPlayView {
    Q_OBJECT
  public:
    CEditer(ViewServices services, DocumentServices documentServices, QWidget* parent = nullptr);
    ~CEditer() override;

    // The state of the open file, shared with the document operations.
    DocumentState& state() { return state_; }
    const DocumentState& state() const { return state_; }

    // Settings of the view itself.
    std::vector<InsertStringEntry> insertStrings;
    bool wrapMode = true;
    uint16_t titleFlags = 0;
    int tabSize = 8;
    QColor textColor;
    QColor backgroundColor;
    int fontIndex = 1;
    bool resizePending = false;

    CTextEdit& wrapEdit() { return *wrapEdit_; }
    CTextEdit& plainEdit() { return *plainEdit_; }
    CTextEdit& activeEdit() const override { return *activeEdit_; }
    EditBuffer& editBuffer() override { return *this; }
    void repaintNow() override { repaint(); }

    // The edit buffer: the operations of the active control.
    QString GetText() const override { return activeEdit_->GetText(); }
    void SetText(const QString& text) override { activeEdit_->SetText(text); }
    int GetTextLength() const override { return activeEdit_->GetTextLength(); }
    std::pair<int, int> GetSel() const override { return activeEdit_->GetSel(); }
    void SetSel(int start, int end) override { activeEdit_->SetSel(start, end); }
    void ReplaceSel(const QString& text) override { activeEdit_->ReplaceSel(text); }
    void ScrollCaret() override { activeEdit_->ScrollCaret(); }
    int LineFromChar(int index = -1) const override { return activeEdit_->LineFromChar(index); }
    int LineIndex(int line = -1) const override { return activeEdit_->LineIndex(line); }
    int LineLength(int index = -1) const override { return activeEdit_->LineLength(index); }
    QString GetLine(int line) const override { return activeEdit_->GetLine(line); }
    int GetLineCount() const override { return activeEdit_->GetLineCount(); }
    int GetFirstVisibleLine() const override { return activeEdit_->GetFirstVisibleLine(); }
    void LineScroll(int lines) override { activeEdit_->LineScroll(lines); }
    bool Undo() override { return activeEdit_->Undo(); }
    bool CanUndo() const override { return activeEdit_->CanUndo(); }
    void Redo() override { activeEdit_->redo(); }
    bool CanRedo() const override { return activeEdit_->document()->isRedoAvailable(); }
    bool GetModify() const override { return activeEdit_->GetModify(); }
    void SetModify(bool modified) override { activeEdit_->SetModify(modified); }
    void Cut() override { activeEdit_->Cut(); }
    void Copy() override { activeEdit_->Copy(); }
    void Paste() override { activeEdit_->Paste(); }

    bool IsDocumentChanged() const override;
    // Opens a file by its full path (see EditerDocument::OpenFileByPath).
    bool OpenFileByPath(const QString& path);
    // Loading, saving, New and the file information dialog.
    EditerDocument& document() override { return *document_; }
    // Undo, cut, copy, paste, select all, jump and help.
    EditCommands& editCommands() { return *editCommands_; }
    // Load Macro, Save Macro, the start-up load, and the view's macro.
    ViewMacroCommands& macroCommands() { return *macroCommands_; }
    void UpdateTitle(const std::optional<QString>& name, uint16_t flags, bool setName);
    void RefreshTitleName() override;
    // ViewHost: what the document operations and the edit commands need of the view.
    QWidget* dialogOwner() const override { return window(); }
    void refreshCaretPosition() override;
    void markTextChanged() override;
    void markTextSaved(const QString& path) override;
    const QString& title() const { return title_; }
    void SelectRangeAndScroll(int start, int end);
    // The view message 0x502: selects and scrolls once the current event is done.
    void postSelectRangeAndScroll(int start, int end);
    void SwitchEdit(CTextEdit& from, CTextEdit& to);
    bool IsCaretVisible(const CTextEdit& edit) const;
    void ArrangeEdits();
    // The framework's initial update; the first one sets the view up.
    void OnInitialUpdate();
    // After the settings sheet closed with OK: re-reads and applies tab
    // size, fonts, colours, title flags, the text size limit and insert strings.
    void ApplySettings();
    // The search operations' view of the active control.
    SearchTarget& searchTarget();

    // Find and replace, shared by the find and replace bars and the macro
    // player. One search memory for the whole program run lives in textSearch().
    bool Search(const QString& text, SearchDirection direction, MatchCase matchCase,
                SearchMode mode) override;
    bool Replace(const QString& findText, const QString& replaceText, MatchCase matchCase);
    bool ReplaceAll(const QString& findText, const QString& replaceText,
                    MatchCase matchCase) override;
    TextSearch& textSearch();

    void LoadFonts(bool f1, bool f2, bool f3, bool f4);
    void SetFontLabels();
    void SelectFont(int index);
    const FontSet& fonts() const { return fonts_; }

    void LoadInsertStrings();
    void BuildInsertMenu();
    void InsertString(const InsertStringEntry& entry);
    // The macro player's markup step: insert text, and an end text when it has one.
    void InsertString(const QString& insertText, const std::optional<QString>& endText) override;
    QMenu* insertMenu() const { return insertMenu_.menu(); }
    // Soft key 32896: the pop-up menu, centred on `globalPos` horizontally,
    // its bottom at the bottom of the active control.
    void ShowInsertMenu(const QPoint& globalPos);

    // The one place where the view hands an event to the macro recorder.
    // Does nothing unless a macro is being recorded; then it emits
    // macroStepRecorded, which the recorder connects to.
    void recordMacroStep(const RecordedStep& step) override;

    // Timers 16 (size watch), 17 (resize), 18 (title refresh).
    void OnTimer(int timerId);
    bool isTimerRunning(int timerId) const;

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  signals:
    void titleChanged(const QString& title);
    // Either edit control gained (true) or lost the focus.
    void editFocusChanged(bool gained);
    void macroStepRecorded(const RecordedStep& step);
    // The view message 0x501: load the default macro.
    void loadDefaultMacroRequested();

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void connectEdit(CTextEdit& edit);
    void bindCommands();
    void readTitleFlags();
    void applyColors();
    void applyTextLimit();
    void showActive();
    void onCaretMoveNotice();
    void onSizeWatch();
    void toggleWrap();
    QString labelTitle() const;
    std::optional<QString> caretTextFor(CTextEdit& edit) const;
    QString caption() const;
    int dpiY() const;

    ViewServices services_;
    DocumentServices documentServices_;
    DocumentState state_;
    CTextEdit* wrapEdit_ = nullptr;
    CTextEdit* plainEdit_ = nullptr;
    CTextEdit* activeEdit_ = nullptr;
    CommandMap commands_;
    FontSet fonts_;
    TitleComposer titleComposer_;
    QString title_;
    InsertStringMenu insertMenu_;
    std::unique_ptr<SearchTarget> searchTarget_;
    std::unique_ptr<EditerDocument> document_;
    std::unique_ptr<EditCommands> editCommands_;
    std::unique_ptr<TextSearch> textSearch_;
    std::unique_ptr<ViewMacroCommands> macroCommands_;
    QTimer sizeWatchTimer_;
    QTimer resizeTimer_;
    QTimer titleTimer_;
    bool initialUpdateDone_ = false;
    bool exitInFileMenu_ = false;
    bool sizeWarningOpen_ = false;
};
