#pragma once

#include <QDialog>

// Dialog 100 "バージョン情報": the program icon and the program's name and version.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kDialogId = 100;
    explicit CAboutDlg(QWidget* parent = nullptr);
};
