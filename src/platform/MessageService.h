#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// Message box styles and answers, with the values the editor's message boxes
// have always used, so that callers read like the device code they stand in for.
namespace mb {
constexpr uint32_t MB_OK = 0x0;
constexpr uint32_t MB_OKCANCEL = 0x1;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x2;
constexpr uint32_t MB_YESNOCANCEL = 0x3;
constexpr uint32_t MB_YESNO = 0x4;
constexpr uint32_t MB_RETRYCANCEL = 0x5;
constexpr uint32_t MB_TYPEMASK = 0xF;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr uint32_t MB_ICONMASK = 0xF0;
constexpr uint32_t MB_DEFBUTTON1 = 0x000;
constexpr uint32_t MB_DEFBUTTON2 = 0x100;
constexpr uint32_t MB_DEFBUTTON3 = 0x200;
constexpr uint32_t MB_DEFMASK = 0xF00;
constexpr uint32_t MB_SETFOREGROUND = 0x10000;
constexpr uint32_t MB_TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
} // namespace mb

// Everything the editor tells or asks the user in a message box goes through
// this one service. The window side shows QMessageBox; tests install a
// ScriptedMessageService that records each box and answers from a script.
class MessageService {
public:
    virtual ~MessageService() = default;
    // owner: the QWidget* the box belongs to, or nullptr. Kept as void* so
    // that the logic libraries stay free of QtWidgets.
    virtual int show(const QString& text, const QString& caption, uint32_t style,
                     void* owner = nullptr) = 0;
};

// Records every message box and answers from a queue. With the queue empty it
// answers the box's default button (IDOK, IDYES, ... as the style says).
class ScriptedMessageService : public MessageService {
public:
    struct Shown {
        QString text;
        QString caption;
        uint32_t style = 0;
    };

    int show(const QString& text, const QString& caption, uint32_t style,
             void* owner = nullptr) override;

    void queueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); answers_.clear(); }

private:
    std::vector<Shown> shown_;
    std::vector<int> answers_;
};

// The answer a box gives when nobody presses anything but its default button.
int defaultAnswerFor(uint32_t style);
