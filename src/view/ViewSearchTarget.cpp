#include "ViewSearchTarget.h"

#include "CEditer.h"
#include "WaitCursor.h"

#include <QPalette>
#include <QTextDocument>
#include <QTimer>

ViewSearchTarget::ViewSearchTarget(CEditer& view)
    : view_(view), documentWatch_(std::make_unique<QObject>()) {
    for (CTextEdit* edit : {&view_.wrapEdit(), &view_.plainEdit()}) {
        QObject::connect(edit, &CTextEdit::textRevised, documentWatch_.get(),
                         [this] { ++revision_; });
    }
}

ViewSearchTarget::~ViewSearchTarget() = default;

QString ViewSearchTarget::text() const {
    return view_.GetText();
}

quint64 ViewSearchTarget::textRevision() const {
    // Switching the active control counts as a change of the text.
    if (&view_.activeEdit() != lastActive_) {
        lastActive_ = &view_.activeEdit();
        ++revision_;
    }
    return revision_;
}

int ViewSearchTarget::selectionStart() const {
    return view_.GetSel().first;
}

int ViewSearchTarget::selectionEnd() const {
    return view_.GetSel().second;
}

void ViewSearchTarget::setSelection(int start, int end) {
    view_.SetSel(start, end);
}

void ViewSearchTarget::replaceSelection(const QString& text) {
    view_.ReplaceSel(text);
}

void ViewSearchTarget::scrollCaret() {
    view_.ScrollCaret();
}

int ViewSearchTarget::firstVisibleLine() const {
    return view_.GetFirstVisibleLine();
}

int ViewSearchTarget::lineFromChar(int index) const {
    return view_.LineFromChar(index);
}

void ViewSearchTarget::lineScroll(int lines) {
    view_.LineScroll(lines);
}

void ViewSearchTarget::flash() {
    // The control is drawn with text and background swapped for a moment.
    CTextEdit& edit = view_.activeEdit();
    edit.SetColors(view_.backgroundColor, view_.textColor);
    edit.viewport()->repaint();
    QPointer<CTextEdit> guard(&edit);
    QTimer::singleShot(100, &edit, [guard, this] {
        if (guard)
            guard->SetColors(view_.textColor, view_.backgroundColor);
    });
}

void ViewSearchTarget::setEditVisible(bool visible) {
    CTextEdit& edit = view_.activeEdit();
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
    return view_.window();
}
