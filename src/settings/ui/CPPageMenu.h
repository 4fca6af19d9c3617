#pragma once

#include "SettingsPage.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// Page "メニュー" (dialog 155): where the exit command stands, the soft keys,
// the length of the recent-file list and the labels of the font commands.
class CPPageMenu : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageMenu(SettingsContext& context);

    bool OnKillActive() override;
    bool check() override;
    void OnApply() override;
    void report(SettingsOutcome& out) const override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    // The recent-file count, 1-9; otherwise message 40025 and the edit focused.
    bool checkCount();
    void stepCount(int delta);

    int exitInFile_, useSoftKey_, labelFormat_;
    int readExitInFile_, readUseSoftKey_, readLabelFormat_, readCount_;
    QString countText_;

    QCheckBox* exitInFileBox_ = nullptr;
    QCheckBox* softKeyBox_ = nullptr;
    QLineEdit* countEdit_ = nullptr;
    QRadioButton* numbered_ = nullptr;
    QRadioButton* faceAndSize_ = nullptr;
};
