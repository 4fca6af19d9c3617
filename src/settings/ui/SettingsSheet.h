#pragma once

#include "SettingsContext.h"

#include <QDialog>
#include <memory>
#include <vector>

class QDialogButtonBox;
class QTabWidget;
class SettingsPage;

// The settings property sheet "Tavlo：設定": the pages in the order of
// settingsPages(), the first one shown at opening. OK is all or nothing: the
// page on show is asked to leave, every created page is checked, and only
// when all pass do they write their values. Cancel writes nothing (the
// colour page's custom colours aside, which its colour dialog wrote at once).
class SettingsSheet : public QDialog {
    Q_OBJECT
  public:
    explicit SettingsSheet(SettingsContext& context, QWidget* parent = nullptr);
    ~SettingsSheet() override;

    int pageCount() const { return int(pages_.size()); }
    SettingsPage* pageAt(int index) const;
    // The page made from this dialog template, or nullptr.
    SettingsPage* page(int dialogId) const;
    SettingsPage* currentPage() const;
    // Switches to a page as a tap on its tab does; false when the page on show
    // refused to be left.
    bool showPage(int dialogId);
    QTabWidget* tabs() const { return tabs_; }

    // What the pages report for the view and the frame; after OK.
    SettingsOutcome outcome() const;

    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void onCurrentChanged(int index);
    void showCreated(SettingsPage* page);
    // The tab index of a page (each tab holds its page in a scroll area).
    int indexOf(const SettingsPage* page) const;
    // Makes the sheet large enough for the page on show, within the screen's
    // free area, and moves it onto the screen.
    void fitToScreen();

    SettingsContext& context_;
    std::vector<SettingsPage*> pages_;
    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    int current_ = 0;
};
