#pragma once

#include "CQSDFileClipboard.h"
#include "CommandRouter.h"
#include "QsdFileListModel.h"
#include "QsdServices.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

class QAbstractItemView;
class QIdentityProxyModel;
class QItemSelectionModel;
class QListView;
class QMenu;
class QStackedLayout;
class QTreeView;

// The file list: one folder's files in the details, icons or list style, with
// its keys, taps, tap-and-hold menu and the file operations on its selection.
class CQSDFileList : public QWidget {
    Q_OBJECT
  public:
    struct Options {
        int style = qsd::STYLE_DETAILS;
        uint32_t optionBits = 0;
        bool singleSelection = true;
        bool opensFoldersItself = false;
        bool editCommands = true;
        bool tapHandling = true;
        bool resolveShortcuts = true;
        bool shortcutFileCommand = true;
    };

    CQSDFileList(QsdServices& services, QWidget* parent = nullptr);
    ~CQSDFileList() override;

    void Create(const Options& options);
    QsdFileListModel& model() { return *model_; }
    CQSDFileClipboard& clipboard() { return clipboard_; }
    uint32_t optionBits() const { return model_->optionBits(); }
    void updateOptionBits(uint32_t bits) { model_->updateOptionBits(bits); }

    void SetFolder(const QString& folder);
    QString folder() const { return model_->folder(); }
    RESULT Refill();
    RESULT FillFromPattern(const QString& pattern);
    void SetFilter(const QString& pattern) { model_->SetFilter(pattern); }
    void SetSortKey(int key, bool flip);
    void SortByColumn(int column);
    void SetStyle(int style);
    int style() const { return style_; }
    void ToggleShowFolders();
    void ParentFolder();
    void SelectAll();
    void ToggleMultipleSelection();
    bool multipleSelectionMode() const { return multiMode_; }
    bool singleSelection() const { return options_.singleSelection; }

    std::vector<const QsdFileEntry*> GetSelectedRecords() const;
    std::vector<int> selectedRows() const;
    const QsdFileEntry* GetItemRecord(int index) const { return model_->entry(index); }
    int GetFocusedIndex() const;
    void selectRow(int row, bool exclusive = true);

    void Copy();
    void Cut();
    void Paste();
    void Delete();
    void Properties();

    // The tap-and-hold menu as it would open now (the caller owns it).
    QMenu* buildContextMenu();
    void handleCommand(int id);
    QAbstractItemView* currentView() const;
    QTreeView* detailsView() const { return details_; }
    QListView* iconsView() const { return icons_; }
    // Milliseconds the pen must rest for the tap-and-hold menu.
    int holdDelay() const;

  signals:
    void enterPressed();
    void commandForOwner(int id); // OK, Cancel, 32797, 32800
    void openFolderRequested(const QString& folder);
    void rowTapped(int row);
    void rowDoubleTapped(int row);
    void emptyAreaTapped(bool doubleTap);
    void focusEntered();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildCommands();
    void applyStyle();
    void applySelectionMode();
    void setColumnWidths();
    void showContextMenu(const QPoint& globalPos);
    void handleEnter();
    void openRow(int row);
    void takeSelection(CQSDFileClipboard::Mode mode);
    bool onlyParentSelected() const;
    bool handleKey(QKeyEvent* key);
    bool handleMouse(QAbstractItemView* view, QMouseEvent* mouse, bool doubleClick);

    QsdServices& services_;
    std::unique_ptr<QsdFileListModel> model_;
    QIdentityProxyModel* proxy_ = nullptr;
    CommandMap commands_;
    QItemSelectionModel* selection_ = nullptr;
    QTreeView* details_ = nullptr;
    QListView* icons_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    Options options_;
    int style_ = qsd::STYLE_DETAILS;
    bool multiMode_ = false;
    CQSDFileClipboard clipboard_;
    QElapsedTimer menuClosed_;
    QTimer hold_;
    QPoint holdPos_;
    QPointer<QMenu> openMenu_;
};
