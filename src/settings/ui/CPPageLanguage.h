#pragma once

#include "SettingsPage.h"
#include "UiLanguage.h"

class QCheckBox;
class QListWidget;

// Page "UI言語" (dialog 158): the interface language among the registered
// libraries, the registration of another library, and the two start-up
// checks. OK stores the chosen library's path; the sheet's owner then
// switches to it.
class CPPageLanguage : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageLanguage(SettingsContext& context);

    void OnApply() override;
    void report(SettingsOutcome& out) const override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void readControls() override;

  private:
    void fillList(const QString& selectedPath);
    void registerLibrary();

    QString path_, readPath_;
    int autoRegister_, checkSystem_;
    bool changed_ = false;
    std::vector<LanguageLibraryEntry> entries_;

    QListWidget* list_ = nullptr;
    QCheckBox* autoRegisterBox_ = nullptr;
    QCheckBox* checkSystemBox_ = nullptr;
};
