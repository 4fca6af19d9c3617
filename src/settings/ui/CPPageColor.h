#pragma once

#include "ColorPalette.h"
#include "SettingsPage.h"

#include <functional>

class ColorSwatch;
class CQSDColorDialog;
class QLineEdit;

// Page "カラー" (dialog 152): the text and background colours of the edit
// controls, chosen in the colour select dialog, with a preview.
class CPPageColor : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageColor(SettingsContext& context);

    COLORREF textColor() const { return text_; }
    COLORREF backgroundColor() const { return background_; }

    void OnApply() override;
    void OnReset() override;

    // Replaces the colour dialog's modal run (tests work the dialog through it).
    void setDialogRunner(std::function<int(CQSDColorDialog&)> run) { run_ = std::move(run); }

  protected:
    void createControls() override;
    void OnInitDialog() override;

  private:
    void chooseColor(COLORREF& color);
    void readColors();
    void repaint();

    COLORREF text_ = 0;
    COLORREF background_ = 0xFFFFFF;
    ColorSwatch* textSwatch_ = nullptr;
    ColorSwatch* backgroundSwatch_ = nullptr;
    QLineEdit* preview_ = nullptr;
    std::function<int(CQSDColorDialog&)> run_;
};
