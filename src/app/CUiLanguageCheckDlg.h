#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;

// Dialog 163: offers to switch the interface to the language of the system.
// Its default button (Enter) accepts the offer.
class CUiLanguageCheckDlg : public QDialog {
    Q_OBJECT
  public:
    // languageName: the offered language as the library names it. text: the
    // dialog's texts by control id, in the offered language where it has
    // them, so that a user who can't read the current one understands.
    CUiLanguageCheckDlg(const QString& languageName, const std::function<QString(int)>& text,
                        QWidget* parent = nullptr);

    // "今後、起動時にUI言語のチェックをしない" is ticked.
    bool dontCheckAgain() const;

  private:
    QCheckBox* dontCheck_;
};
