#pragma once

#include "SettingsPage.h"

class QComboBox;
class QRadioButton;

// Page "タップ" (dialog 104): the tap-and-hold delay and how the file select
// dialog zooms and chooses files.
class CPPageTap : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageTap(SettingsContext& context);

    void OnApply() override;
    void report(SettingsOutcome& out) const override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    int longDelay_;
    int zoomMethod_;
    int singleTap_;
    int readLongDelay_;
    int readZoomMethod_;

    QRadioButton* delayNormal_ = nullptr;
    QRadioButton* delayLong_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QRadioButton* doubleTap_ = nullptr;
    QRadioButton* singleTapButton_ = nullptr;
};
