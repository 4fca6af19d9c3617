#pragma once

#include "MacroCommands.h"

#include <QDialog>
#include <functional>

class QPlainTextEdit;

// The load-error dialog (dialog 140, "マクロ・ロードエラー"): one read-only
// multi-line edit control (1000) with a vertical scroll bar over an OK button
// that closes it (Esc does too); the dialog covers its parent window.
class MacroLoadErrorDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int IDD = 140;
    static constexpr int IDC_REPORT = 1000;

    explicit MacroLoadErrorDialog(const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* reportEdit() const { return edit_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void coverParent();

    QPlainTextEdit* edit_ = nullptr;
};

// The view's side of showing a load result: the report in the load-error
// dialog (modal, over the given window) and the tooltip handed to whoever
// owns the play-macro button.
class MacroLoadDialogPresenter : public MacroLoadPresenter {
  public:
    MacroLoadDialogPresenter(QWidget* parent, std::function<void(const QString&)> setTooltip)
        : parent_(parent), setTooltip_(std::move(setTooltip)) {}

    void showLoadErrors(const QString& text) override;
    void setPlayButtonTooltip(const QString& tooltip) override;

  private:
    QWidget* parent_;
    std::function<void(const QString&)> setTooltip_;
};
