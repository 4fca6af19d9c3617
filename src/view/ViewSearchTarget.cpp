#include "ViewSearchTarget.h"

#include "CTextEdit.h"
#include "WaitCursor.h"

#include <QPalette>
#include <QTextDocument>
#include <QTimer>

ViewSearchTarget::ViewSearchTarget(CTextEdit& wrapEdit, CTextEdit& plainEdit,
                                   std::function<CTextEdit&()> activeEdit, const QColor& textColor,
                                   const QColor& backgroundColor)
    : activeEdit_(std::move(activeEdit)), textColor_(textColor), backgroundColor_(backgroundColor),
      documentWatch_(std::make_unique<QObject>()) {
    for (CTextEdit* edit : {&wrapEdit, &plainEdit}) {
        QObject::connect(edit, &CTextEdit::textRevised, documentWatch_.get(),
                         [this] { ++revision_; });
    }
}

ViewSearchTarget::~ViewSearchTarget() = default;

QString ViewSearchTarget::text() const {
    return activeEdit_().GetText();
}

quint64 ViewSearchTarget::textRevision() const {
    // Switching the active control counts as a change of the text.
    if (&activeEdit_() != lastActive_) {
        lastActive_ = &activeEdit_();
        ++revision_;
    }
    return revision_;
}

int ViewSearchTarget::selectionStart() const {
    return activeEdit_().GetSel().first;
}

int ViewSearchTarget::selectionEnd() const {
    return activeEdit_().GetSel().second;
}

void ViewSearchTarget::setSelection(int start, int end) {
    activeEdit_().SetSel(start, end);
}

void ViewSearchTarget::replaceSelection(const QString& text) {
    activeEdit_().ReplaceSel(text);
}

void ViewSearchTarget::scrollCaret() {
    activeEdit_().ScrollCaret();
}

int ViewSearchTarget::firstVisibleLine() const {
    return activeEdit_().GetFirstVisibleLine();
}

int ViewSearchTarget::lineFromChar(int index) const {
    return activeEdit_().LineFromChar(index);
}

void ViewSearchTarget::lineScroll(int lines) {
    activeEdit_().LineScroll(lines);
}

void ViewSearchTarget::flash() {
    // The control is drawn with text and background swapped for a moment.
    CTextEdit& edit = activeEdit_();
    edit.SetColors(backgroundColor_, textColor_);
    edit.viewport()->repaint();
    QPointer<CTextEdit> guard(&edit);
    QTimer::singleShot(100, &edit, [guard, this] {
        if (guard)
            guard->SetColors(textColor_, backgroundColor_);
    });
}

void ViewSearchTarget::setEditVisible(bool visible) {
    CTextEdit& edit = activeEdit_();
    edit.setUpdatesEnabled(visible);
    if (visible)
        edit.viewport()->update();
}

void ViewSearchTarget::setBusy(bool busy) {
    if (busy && !wait_)
        wait_ = std::make_unique<WaitCursor>();
    else if (!busy)
        wait_.reset();
}

void* ViewSearchTarget::messageOwner() const {
    return activeEdit_().window();
}
