// The edit control's keyboard, mouse and input-method handling: the keys of
// the main accelerator table, the edge keys that do nothing, typing under the
// limit, line breaks and the keys next to a join of blocks.
#include "CTextEdit.h"

#include "EditTextMapping.h"
#include "MenuTables.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

int CTextEdit::acceleratorCommand(const QKeyEvent* e) const {
    const QKeyCombination keys(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key()));
    for (const res::Accelerator& a : res::mainAccelerators()) {
        if (a.keys == keys)
            return a.command;
    }
    return 0;
}

bool CTextEdit::event(QEvent* e) {
    // The keys of the main accelerator table belong to the window's commands,
    // even where the text control would take them for itself (Ctrl+K, Ctrl+Z).
    if (e->type() == QEvent::ShortcutOverride &&
        acceleratorCommand(static_cast<QKeyEvent*>(e)) != 0) {
        e->ignore();
        return true;
    }
    return QPlainTextEdit::event(e);
}

bool CTextEdit::isConsumedEdgeKey(const QKeyEvent* e) const {
    const QTextCursor c = textCursor();
    const QTextDocument* doc = document();
    auto layoutLine = [this](const QTextBlock& b, int position, bool* last) {
        auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
        if (layout)
            layout->ensureBlockLayout(b);
        const QTextLayout* l = b.layout();
        if (!l || l->lineCount() == 0) {
            *last = true;
            return 0;
        }
        const QTextLine line = l->lineForTextPosition(position - b.position());
        const int n = line.isValid() ? line.lineNumber() : l->lineCount() - 1;
        *last = n == l->lineCount() - 1;
        return n;
    };
    bool lastInBlock = false;
    switch (e->key()) {
    case Qt::Key_Down: {
        const QTextBlock b = c.block();
        layoutLine(b, c.position(), &lastInBlock);
        return b == doc->lastBlock() && lastInBlock;
    }
    case Qt::Key_Up: {
        const QTextBlock b = c.block();
        return b == doc->firstBlock() && layoutLine(b, c.position(), &lastInBlock) == 0;
    }
    case Qt::Key_Right:
        return !c.hasSelection() && c.position() == doc->characterCount() - 1;
    case Qt::Key_Left:
        return !c.hasSelection() && c.position() == 0;
    default:
        return false;
    }
}

void CTextEdit::keyPressEvent(QKeyEvent* e) {
    if (caretReportFlags_ != 0)
        emit caretMoveNotice();
    const bool recording = macroRecording_ && *macroRecording_;
    if (recording)
        emit keyDown(e->key(), e->modifiers());

    if (const int command = acceleratorCommand(e)) {
        bool handled = false;
        emit acceleratorKey(command, &handled);
        if (handled) {
            e->accept();
            return;
        }
    }
    if (isConsumedEdgeKey(e)) {
        e->accept();
        return;
    }

    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // A key with Alt held is a command for the window (a menu's mnemonic,
    // say), never text; AltGr, which types characters, comes without it.
    if ((e->modifiers() & Qt::AltModifier) && (enter || !e->text().isEmpty())) {
        e->ignore();
        return;
    }
    const bool commandKey = (e->modifiers() & Qt::ControlModifier) != 0;
    QString typed;
    if (enter)
        typed = QStringLiteral("\r");
    else if (!commandKey && !e->text().isEmpty() && !isReadOnly() &&
             (e->text().at(0).unicode() >= 0x20 || e->text().at(0) == u'\t') &&
             e->text().at(0).unicode() != 0x7F)
        typed = e->text();
    if (!typed.isEmpty() && !isReadOnly()) {
        const int cost = enter ? 2 : int(typed.size());
        if (cost > roomForInsert()) {
            QApplication::beep();
            e->accept();
            return;
        }
        if (recording)
            emit characterTyped(typed, e->modifiers());
        if (!enter &&
            (standIns_.usedIn(typed) || edittext::toControlText(typed, standIns_) != typed)) {
            // A character the document would take for a break or a
            // stand-in goes in mapped.
            ReplaceSel(typed);
            e->accept();
            return;
        }
    }
    if (enter && !isReadOnly()) {
        // The control inserts the break itself: the document would give the
        // new block the format of the one it splits, join mark included,
        // and Shift+Enter would put a line separator in.
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        c.insertBlock(EditLineIndex::withJoin(c.blockFormat(), false));
        c.endEditBlock();
        setTextCursor(c);
        ensureCursorVisible();
        e->accept();
        return;
    }
    if (deleteOverJoin(e)) {
        e->accept();
        return;
    }
    const bool sideways = (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) &&
                          !(e->modifiers() & Qt::ControlModifier);
    const int before = textCursor().position();
    QPlainTextEdit::keyPressEvent(e);
    // Both sides of a join are the same place of the text: a step that only
    // crossed a join takes one more.
    const int after = textCursor().position();
    if (sideways && after != before && lineIndex_.hasJoins() &&
        indexFromPosition(after) == indexFromPosition(before))
        QPlainTextEdit::keyPressEvent(e);
}

bool CTextEdit::deleteOverJoin(const QKeyEvent* e) {
    const bool back = e->key() == Qt::Key_Backspace;
    if ((!back && e->key() != Qt::Key_Delete) || isReadOnly() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    QTextCursor c = textCursor();
    auto joinBefore = [&c] { return c.atBlockStart() && EditLineIndex::isJoined(c.block()); };
    auto joinAfter = [&c] {
        return c.atBlockEnd() && c.block().next().isValid() &&
               EditLineIndex::isJoined(c.block().next());
    };
    if (c.hasSelection() || !(back ? joinBefore() : joinAfter()))
        return false;
    // The character next to the caret lies beyond the join (or joins).
    while (back ? joinBefore() : joinAfter())
        c.movePosition(back ? QTextCursor::PreviousCharacter : QTextCursor::NextCharacter);
    if (back)
        c.deletePreviousChar();
    else
        c.deleteChar();
    setTextCursor(c);
    ensureCursorVisible();
    return true;
}

void CTextEdit::keyReleaseEvent(QKeyEvent* e) {
    if (isConsumedEdgeKey(e)) {
        e->accept();
        return;
    }
    QPlainTextEdit::keyReleaseEvent(e);
}

void CTextEdit::mousePressEvent(QMouseEvent* e) {
    if (caretReportFlags_ != 0 && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton))
        emit caretMoveNotice();
    QPlainTextEdit::mousePressEvent(e);
}

void CTextEdit::inputMethodEvent(QInputMethodEvent* e) {
    const QString commit = e->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    avoidStandInsIn(commit);
    const QString control = edittext::toControlText(commit, standIns_);
    const QString fitted = fitToRoom(control, roomForInsert());
    if (macroRecording_ && *macroRecording_) {
        for (QChar c : edittext::fromControlText(fitted, standIns_))
            emit characterTyped(QString(c), Qt::NoModifier);
    }
    if (fitted == commit) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    if (fitted.size() < control.size())
        QApplication::beep();
    if (fitted.contains(u'\n')) {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        EditLineIndex::insertControlText(c, fitted, lineChunk());
        c.endEditBlock();
        setTextCursor(c);
        QInputMethodEvent rest(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&rest);
        return;
    }
    QInputMethodEvent mapped(e->preeditString(), e->attributes());
    mapped.setCommitString(fitted, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mapped);
}
