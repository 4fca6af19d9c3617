#pragma once

#include <QDialog>
#include <QString>

class CharSetServices;
class QComboBox;
class QLabel;

// Dialog 131 "ファイル情報": path, last-write time, size, character count,
// and the two pull-downs that choose the character set and line ending of the
// next save. Nothing is converted or written here.
class FileInfoDialog : public QDialog {
    Q_OBJECT
  public:
    struct Fields {
        QString path;           // empty for a new document
        QString codeList;       // "|"-separated sets without the automatic entry
        QString characterCount; // already grouped
        int charSet = 1;
        int lineEnding = 0;
    };

    FileInfoDialog(Fields fields, const CharSetServices& charSets, QWidget* parent = nullptr);

    QString pathText() const;
    QString timeText() const;
    QString sizeText() const;
    QString countText() const;
    QComboBox* codeBox() const { return codeBox_; }
    QComboBox* lineEndingBox() const { return lineEndingBox_; }

    // Valid after OK.
    int chosenCharSet() const { return chosenCharSet_; }
    int chosenLineEnding() const { return chosenLineEnding_; }

    void accept() override;

  private:
    const CharSetServices& charSets_;
    QLabel* path_;
    QLabel* time_;
    QLabel* size_;
    QLabel* count_;
    QComboBox* codeBox_;
    QComboBox* lineEndingBox_;
    int chosenCharSet_;
    int chosenLineEnding_;
};
