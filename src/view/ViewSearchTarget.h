#pragma once

#include "SearchTarget.h"

#include <QObject>
#include <memory>

class CEditer;
class WaitCursor;

// The search operations' access to the view's active edit control.
class ViewSearchTarget : public SearchTarget {
  public:
    explicit ViewSearchTarget(CEditer& view);
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
    CEditer& view_;
    std::unique_ptr<WaitCursor> wait_;
    // Counts the changes of both controls' documents; the connections live
    // as long as this object.
    std::unique_ptr<QObject> documentWatch_;
    mutable quint64 revision_ = 1;
    mutable const void* lastActive_ = nullptr;
};
