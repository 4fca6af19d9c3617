#pragma once

#include "FontSettings.h"
#include "SettingsPage.h"

#include <array>
#include <functional>

class FontSelectDialog;
class QGroupBox;
class QLabel;

// Page "フォント" (dialog 151): the four switchable fonts, each chosen in the
// font select dialog. Only fonts the user changed are written.
class CPPageFont : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageFont(SettingsContext& context);

    const FontChoice& font(int index) const { return fonts_[size_t(index)]; }
    bool changed(int index) const { return changed_[size_t(index)]; }
    // Face name, then U+2820 and "B" and/or "I" for a bold or italic font.
    static QString faceText(const FontChoice& choice);

    void OnApply() override;
    void report(SettingsOutcome& out) const override;

    // Replaces the font dialog's modal run (tests work the dialog through it).
    void setDialogRunner(std::function<int(FontSelectDialog&)> run) { run_ = std::move(run); }

  protected:
    void createControls() override;
    void OnInitDialog() override;

  private:
    void choose(int index);
    void showFont(int index);

    int activeFont_;
    std::array<FontChoice, 4> fonts_;
    std::array<bool, 4> changed_{};
    std::array<QGroupBox*, 4> groups_{};
    std::array<QLabel*, 4> marks_{};
    std::array<QLabel*, 4> faces_{};
    std::array<QLabel*, 4> sizes_{};
    std::array<QWidget*, 4> buttons_{};
    std::function<int(FontSelectDialog&)> run_;
};
