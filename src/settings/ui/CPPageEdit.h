#pragma once

#include "CommandIds.h"
#include "SettingsPage.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// Page "編集・文字コード" (dialog 101): tab width, input method at start-up,
// the character-set list of the file select dialog, half-width katakana in
// JIS, and the most characters a text may hold.
class CPPageEdit : public SettingsPage {
    Q_OBJECT
  public:
    // The text size limit's field (not on the device's page).
    static constexpr int kTextLimitId = cmd::page_edit::IDC_TEXT_LIMIT;
    static constexpr int kTextLimitMin = 0x10000;
    static constexpr int kTextLimitMax = 64 * 1024 * 1024;

    explicit CPPageEdit(SettingsContext& context);

    bool check() override;
    void OnApply() override;
    void report(SettingsOutcome& out) const override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    int tabSize_;
    int imeAscii_;
    int selectableCodeSet_;
    int jisKatakana_;
    int textLimit_;
    int readCodeSet_;

    QLineEdit* tabEdit_ = nullptr;
    QLineEdit* limitEdit_ = nullptr;
    QCheckBox* ime_ = nullptr;
    QCheckBox* codeSet_ = nullptr;
    QRadioButton* jisFull_ = nullptr;
    QRadioButton* jisHalf_ = nullptr;
};
