#pragma once

#include "SettingsPage.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// Page "タイトル" (dialog 156): what the title bar shows.
class CPPageCustomize : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageCustomize(SettingsContext& context);

    void OnApply() override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    // The label edit only while the fixed label is chosen; the caret position
    // radios only while the position is shown.
    void updateEnabled();

    int info_, modifiedMark_, caretPos_, caretAfter_;
    QString label_;

    QRadioButton* fileName_ = nullptr;
    QRadioButton* fixedLabel_ = nullptr;
    QLineEdit* labelEdit_ = nullptr;
    QCheckBox* markBox_ = nullptr;
    QCheckBox* caretBox_ = nullptr;
    QRadioButton* before_ = nullptr;
    QRadioButton* after_ = nullptr;
};
