#pragma once

#include "CommandRouter.h"
#include "QsdDialogLayout.h"
#include "QsdSelectLogic.h"
#include "QsdServices.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class CQSDComboBox;
class CQSDFileList;
class CQSDFolderTree;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QsdFolderCommands;
class QsdSoftKeys;

// The program's own file select dialog: title line, name box, file type and
// option pull-downs, folder tree and file list, driven by the `file select
// flags`. In `common mode` (the default) it takes the persisted flag bits,
// list style and sort key, and every dialog hands its own back when it goes.
class CQSDFileDialog : public QDialog, private QsdOkPort {
    Q_OBJECT
  public:
    CQSDFileDialog(QsdServices& services, QWidget* parent = nullptr);
    ~CQSDFileDialog() override;

    // Fields set by the caller before exec().
    uint32_t flags = 0;
    uint32_t ofnFlags = 0;
    QString initialDir;
    QString filterText;
    QString title;
    QString initialName;
    uint32_t filterIndex = 1;
    QString optionList; // labels separated by "|", ended by an empty label
    QString optionLabel;
    int optionIndex = -1;
    int listStyle = 1;
    bool commonMode = true;

    // Results after exec().
    QString resultFolder() const { return resultFolder_; }
    QStringList resultNames() const { return resultNames_; }
    bool showFolders() const { return flags & qsd::SHOW_FOLDERS; }
    int sortKey() const;

    int exec() override;
    // Runs the initialisation without showing (exec() calls it).
    void initialize();
    void runOk();
    void handleCommand(int id);
    // The soft-key menu's pop-up with its current states (the caller owns it).
    QMenu* buildMenu();
    QMenu* buildFolderMenu();

    CQSDFileList* fileList() const { return list_; }
    CQSDFolderTree* folderTree() const { return tree_; }
    QLineEdit* nameBox() const { return name_; }
    CQSDComboBox* typeBox() const { return type_; }
    CQSDComboBox* optionBox() const { return option_; }
    QLabel* titleLine() const { return titleLine_; }
    // The pane that is zoomed: 0 none, 1 tree, 2 list (shared by all dialogs
    // through the common settings).
    int zoomedPane() const;
    void requestZoom(int pane);
    void layoutControls();

    void reject() override;
    // The least size that shows every control at its height; the opening
    // size on a desktop when the user never gave it one.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // The first showing places the dialog: over the whole main window on a
    // phone-size screen, else at the size last given to it (or its size
    // hint), never beyond the screen.
    void setVisible(bool visible) override;
    bool fillsMainWindow() const { return fillsMainWindow_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool moveTreeTo(const QString& folder) override;
    void fillFromPattern(const QString& pattern) override;
    void setNameText(const QString& text) override;
    void focusNameBox() override;

    void buildControls();
    void buildCommands();
    void placeOnScreen();
    QsdLayoutInput layoutInput(QSize size) const;
    void toggleFlag(uint32_t bit);
    void fillFileTypes();
    void fillOptions();
    void onFolderChanged(const QString& folder);
    void onRowTapped(int row, bool doubleTap);
    void onPaneFocus(int pane);
    void selectLinkFile();
    void showNameMenu(const QPoint& globalPos);
    void recordState();
    int focusedPane() const;

    QsdServices& services_;
    QLabel* titleLine_ = nullptr;
    QFrame* titleSeparator_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    CQSDComboBox* type_ = nullptr;
    QLabel* optionLabel_ = nullptr;
    CQSDComboBox* option_ = nullptr;
    CQSDFolderTree* tree_ = nullptr;
    CQSDFileList* list_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QsdSoftKeys* softKeys_ = nullptr;
    std::unique_ptr<QsdFolderCommands> folders_;
    std::vector<QsdFilterItem> fileTypes_;
    QString resultFolder_;
    QStringList resultNames_;
    QTimer zoomTimer_;
    int zoomTarget_ = 0;
    int lastPane_ = 0;
    bool initialized_ = false;
    bool placed_ = false;
    bool fillsMainWindow_ = false;
    CommandMap commands_;
};
