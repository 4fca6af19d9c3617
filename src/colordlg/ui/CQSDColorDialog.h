#pragma once

#include "ColorFocusGrid.h"
#include "ColorPalette.h"

#include <QDialog>
#include <QPointer>
#include <array>

class ColorEditorBlock;
class ColorSwatch;
class QComboBox;
class QMenu;
class QPushButton;
class Settings;

// Dialog 210 "カラー選択": a colour from 48 basic colours, the five recent
// custom colours, or the editor of red, green and blue values. It can be
// worked with the arrow keys alone. The style and the tap action are read
// from the settings when the dialog is made and written back when it goes.
class CQSDColorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CQSDColorDialog(Settings& settings, QWidget* parent = nullptr);
    ~CQSDColorDialog() override;

    // Sets both the result colour and the colour the dialog opens with.
    void SetInitialColor(COLORREF color);
    // A count below 0 becomes 0, above 5 becomes 5.
    void SetCustomColors(int count, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4,
                         COLORREF c5);
    COLORREF GetColor() const { return result_; }
    int GetCustomCount() const { return customs_.count(); }
    COLORREF GetCustomColor(int index) const { return customs_.at(index); }

    int style() const { return style_; }
    int tapAction() const { return tapAction_; }
    // The control with this id (1155, 5500-5558, 1065-1067, ...), or nullptr.
    QWidget* control(int id) const;
    // The swatch that carries the highlight mark.
    int highlightedId() const { return highlightedId_; }
    // The commands of the dialog's menu (menu 151).
    void runCommand(int id);
    bool isCommandEnabled(int id) const;
    QMenu* menu() const { return menu_; }

    void accept() override;

  protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void buildMenu();
    void initialize();
    void applyStyle(int style);
    void setHighlight(int id);
    void onFocusIn(QWidget* w);
    bool onKey(QWidget* w, int key);
    void moveInGrid(ColorFocusGrid::Direction direction);
    void focusControl(int id);
    void onSwatchTapped(int id);
    void updateMenu();
    COLORREF colorOf(int id) const;
    int idOf(const QObject* w) const;
    bool isUsable(int id) const;

    Settings& settings_;
    COLORREF result_ = colorpalette::kWhite;
    COLORREF opening_ = colorpalette::kWhite;
    CustomColorList customs_;
    int style_ = colorpalette::kStyleBasic;
    int tapAction_ = colorpalette::kTapSelect;
    int highlightedId_ = 0;
    int lastBasicId_ = 0;
    int focusedId_ = 0;
    QPointer<QWidget> lastEditorFocus_;
    bool initialized_ = false;
    ColorFocusGrid grid_;

    QComboBox* styleList_ = nullptr;
    QWidget* basicPanel_ = nullptr;
    std::array<ColorSwatch*, colorpalette::kBasicCount> basics_{};
    ColorEditorBlock* editor_ = nullptr;
    QPushButton* okKey_ = nullptr;
    QPushButton* menuKey_ = nullptr;
    QMenu* menu_ = nullptr;
};
