#pragma once

#include "SearchTarget.h"

#include <QColor>
#include <QObject>
#include <functional>
#include <memory>

class CTextEdit;
class WaitCursor;

// The search operations' access to the view's active edit control: one of
// the two controls, as activeEdit says at each call. The colours are the
// view's, read when the control flashes.
class ViewSearchTarget : public SearchTarget {
  public:
    ViewSearchTarget(CTextEdit& wrapEdit, CTextEdit& plainEdit,
                     std::function<CTextEdit&()> activeEdit, const QColor& textColor,
                     const QColor& backgroundColor);
    ~ViewSearchTarget() override;

    QString text() const override;
    quint64 textRevision() const override;
    int selectionStart() const override;
    int selectionEnd() const override;
    void setSelection(int start, int end) override;
    void replaceSelection(const QString& text) override;
    void scrollCaret() override;
    int firstVisibleLine() const override;
    int lineFromChar(int index) const override;
    void lineScroll(int lines) override;
    void flash() override;
    void setEditVisible(bool visible) override;
    void setBusy(bool busy) override;
    void* messageOwner() const override;

  private:
    std::function<CTextEdit&()> activeEdit_;
    const QColor& textColor_;
    const QColor& backgroundColor_;
    std::unique_ptr<WaitCursor> wait_;
    // Counts the changes of both controls' documents; the connections live
    // as long as this object.
    std::unique_ptr<QObject> documentWatch_;
    mutable quint64 revision_ = 1;
    mutable const void* lastActive_ = nullptr;
};
