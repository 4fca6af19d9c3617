#pragma once

#include "SearchTarget.h"

#include <QString>
#include <QStringList>
#include <algorithm>

// A SearchTarget over a plain string, with a simple model of lines and
// scrolling: lines end at CR LF, and a window shows `visibleLines` lines.
// Every edit pushes the text before it onto an undo stack.
class FakeSearchTarget : public SearchTarget {
  public:
    explicit FakeSearchTarget(QString text = {}) : text_(std::move(text)) {}

    QString text() const override { return text_; }
    int selectionStart() const override { return start_; }
    int selectionEnd() const override { return end_; }
    void setSelection(int start, int end) override {
        start_ = std::clamp(start, 0, int(text_.size()));
        end_ = std::clamp(end, 0, int(text_.size()));
    }
    void replaceSelection(const QString& text) override {
        undo.append(text_);
        text_.replace(start_, end_ - start_, text);
        start_ = end_ = start_ + int(text.size());
    }
    void replaceRange(int start, int end, const QString& text) override {
        ++rangeEdits;
        setSelection(start, end);
        replaceSelection(text);
    }
    void scrollCaret() override {
        const int line = lineFromChar(end_);
        if (line < first_)
            first_ = line;
        else if (line >= first_ + visibleLines)
            first_ = line - visibleLines + 1;
    }
    int firstVisibleLine() const override { return first_; }
    int lineFromChar(int index) const override {
        return int(QStringView(text_).left(index).count(QStringLiteral("\r\n")));
    }
    void lineScroll(int lines) override {
        const int lineCount = int(text_.count(QStringLiteral("\r\n"))) + 1;
        first_ = std::clamp(first_ + lines, 0, std::max(0, lineCount - 1));
    }
    void flash() override { ++flashes; }
    void setEditVisible(bool visible) override {
        visibilityChanges.append(visible ? QStringLiteral("show") : QStringLiteral("hide"));
        if (!visible)
            textWhenHidden = text_;
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

    void setText(const QString& text) { text_ = text; }
    void select(int start, int end) { setSelection(start, end); }
    QString selectedText() const { return text_.mid(start_, end_ - start_); }

    int flashes = 0;
    int busyDepth = 0;
    int rangeEdits = 0;
    int visibleLines = 10;
    QStringList undo;
    QStringList visibilityChanges;
    QString textWhenHidden;

  private:
    QString text_;
    int start_ = 0;
    int end_ = 0;
    int first_ = 0;
};
