#pragma once

#include <QDialog>
#include <QString>

class MessageService;
class QLabel;
class QLineEdit;
class QSlider;

// Dialog 137 "ジャンプ": the caret's line, the last line, the target line
// (edit 1043) and a track bar (1055) that moves the target while the stylus
// drags it. A target outside 1 … last line gives message 33006.
class JumpDialog : public QDialog {
    Q_OBJECT
  public:
    JumpDialog(int currentLine, int lastLine, MessageService& messages, QWidget* parent = nullptr);

    QLineEdit* targetBox() const { return target_; }
    QSlider* trackBar() const { return trackBar_; }
    // The target line after OK.
    int target() const { return targetValue_; }
    int lastLine() const { return lastLine_; }

    // The track bar's tick frequency for a last line.
    static int tickFrequency(int lastLine);

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int typedTarget() const;
    void showRangeMessage();
    void onTargetLeft();
    void copyTrackBarPosition();

    MessageService& messages_;
    int lastLine_;
    int targetValue_;
    QLineEdit* target_;
    QSlider* trackBar_;
    bool validating_ = false;
};
