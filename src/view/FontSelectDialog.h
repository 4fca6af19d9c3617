#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <optional>

class MessageService;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

// Dialog 164 "フォント選択": face, size and style of a font, with a preview.
class FontSelectDialog : public QDialog {
    Q_OBJECT
  public:
    struct Request {
        QWidget* target = nullptr; // whose screen and font are used
        int size = -1;             // points; -1: from the target's font
        QString face;              // empty: from the target's font
        int bold = 2;              // 0 no, 1 yes, anything else: keep the target's
        int italic = 2;
        QString previewText; // empty: string 30045
    };
    struct Result {
        int size = 0;
        QString face;
        bool bold = false;
        bool italic = false;
    };

    FontSelectDialog(const Request& request, MessageService& messages, QWidget* parent = nullptr);

    // Valid after the dialog was accepted.
    const Result& result() const { return result_; }
    // The font the preview shows, if any.
    std::optional<QFont> previewFont() const { return previewFont_; }

    // The sizes the size list always holds, in this order.
    static const QList<int>& standardSizes();

    void accept() override;

  private:
    void start(const Request& request);
    void updatePreview();
    void onSizeListSelected();
    void onSizeEdited();
    std::optional<int> sizeInEdit() const;
    void showSizeError();
    int dpiY() const;

    MessageService& messages_;
    QListWidget* faceList_ = nullptr;
    QLineEdit* sizeEdit_ = nullptr;
    QListWidget* sizeList_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QLabel* preview_ = nullptr;
    std::optional<QFont> previewFont_;
    Result result_;
    bool starting_ = false;
};
