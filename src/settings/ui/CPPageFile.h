#pragma once

#include "SettingsPage.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Page "拡張子・マクロ" (dialog 141): the file types the program is
// registered for, and the macro loaded at start-up.
class CPPageFile : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageFile(SettingsContext& context);

    bool check() override;
    void OnApply() override;
    void report(SettingsOutcome& out) const override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    struct Box;
    static const std::array<Box, 5>& boxes();
    void updateEnabled();
    void onLoadMacroClicked();
    void browse();
    // The start-up macro: nothing to check when loading is off; else the
    // name must name an existing file, or the user turns loading off.
    bool checkMacro();
    // Registers or unregisters the extensions of the boxes that changed.
    void applyAssociations();

    int loadMacro_;
    QString macroFile_;
    QString macroFolder_;
    std::array<bool, 5> associated_{};

    std::array<QCheckBox*, 5> assocBoxes_{};
    QCheckBox* loadBox_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
};
