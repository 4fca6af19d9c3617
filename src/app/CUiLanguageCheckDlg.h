#pragma once

#include <QDialog>

class QCheckBox;

// Dialog 163: offers to switch the interface to the language of the system.
// Its default button (Enter) accepts the offer.
class CUiLanguageCheckDlg : public QDialog {
    Q_OBJECT
  public:
    // languageName: the offered language as the library names it.
    explicit CUiLanguageCheckDlg(const QString& languageName, QWidget* parent = nullptr);

    // "今後、起動時にUI言語のチェックをしない" is ticked.
    bool dontCheckAgain() const;

  private:
    QCheckBox* dontCheck_;
};
