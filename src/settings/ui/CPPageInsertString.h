#pragma once

#include "InsertStrings.h"
#include "SettingsPage.h"

#include <vector>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QWidget;

// Page "挿入文字列" (dialog 157): the eight insert strings on Ctrl(+Shift)+H,
// J, K and L. The list shows them; the fields below (or beside, on a wide
// page) edit the selected one.
class CPPageInsertString : public SettingsPage {
    Q_OBJECT
  public:
    explicit CPPageInsertString(SettingsContext& context);

    const std::vector<InsertStringEntry>& entries() const { return entries_; }
    // "C+S+H" on a wide page, "C + S + H" on a tall one.
    static QString keyText(const InsertStringEntry& entry, bool wide);

    bool check() override;
    void OnApply() override;

  protected:
    void createControls() override;
    void OnInitDialog() override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    bool isWide() const { return width() > height(); }
    void arrange();
    void onRowSelected();
    void onEdited(bool radioClicked);
    QString rowText(const InsertStringEntry& entry) const;

    std::vector<InsertStringEntry> entries_;
    bool loading_ = false;
    int arrangedWide_ = -1;

    QBoxLayout* layout_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QWidget* fields_ = nullptr;
    QRadioButton* atCaret_ = nullptr;
    QRadioButton* surround_ = nullptr;
    QLineEdit* insertEdit_ = nullptr;
    QLineEdit* endEdit_ = nullptr;
    QLabel* endLabel_ = nullptr;
};
