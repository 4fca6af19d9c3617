#include "QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <vector>

using namespace mb;

namespace {

// A message box button and the answer it gives.
struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonAnswer> buttonsFor(uint32_t style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon iconFor(uint32_t style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageService::show(const QString& text, const QString& caption, uint32_t style,
                           void* owner) {
    QPointer<QMessageBox> box = new QMessageBox(static_cast<QWidget*>(owner));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setIcon(iconFor(style));
    box->setWindowTitle(caption);
    box->setText(text);
    box->setTextFormat(Qt::PlainText);

    const std::vector<ButtonAnswer> buttons = buttonsFor(style);
    QMessageBox::StandardButtons set;
    for (const ButtonAnswer& b : buttons)
        set |= b.button;
    box->setStandardButtons(set);
    if (buttonText_) {
        for (const ButtonAnswer& b : buttons) {
            const QString text = buttonText_(b.answer);
            if (!text.isEmpty())
                box->button(b.button)->setText(text);
        }
    }

    const size_t defIndex = (style & MB_DEFMASK) >> 8;
    box->setDefaultButton(buttons[defIndex < buttons.size() ? defIndex : 0].button);
    // Escape answers Cancel where there is one, else the last button.
    ButtonAnswer escape = buttons.back();
    for (const ButtonAnswer& b : buttons) {
        if (b.answer == IDCANCEL)
            escape = b;
    }
    box->setEscapeButton(escape.button);

    if (style & MB_TOPMOST)
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (style & (MB_TOPMOST | MB_SETFOREGROUND)) {
        box->show();
        box->raise();
        box->activateWindow();
    }
    box->exec();
    if (!box) // its owner went away meanwhile
        return escape.answer;
    const auto clicked = box->standardButton(box->clickedButton());
    delete box;
    for (const ButtonAnswer& b : buttons) {
        if (b.button == clicked)
            return b.answer;
    }
    return escape.answer;
}
