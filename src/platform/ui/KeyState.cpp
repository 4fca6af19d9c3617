#include "KeyState.h"

#include "VirtualKeys.h"

#include <QCoreApplication>
#include <QInputEvent>
#include <QKeyEvent>

using namespace vk;

KeyState::KeyState(QObject* parent) : QObject(parent) {}

KeyState::~KeyState() {
    if (app_)
        app_->removeEventFilter(this);
}

void KeyState::install(QCoreApplication* app) {
    if (app_)
        app_->removeEventFilter(this);
    app_ = app;
    if (app_)
        app_->installEventFilter(this);
}

bool KeyState::isKeyDown(int virtualKey) const {
    if (virtualKey <= 0 || virtualKey > 255)
        return false;
    return down_.test(size_t(virtualKey));
}

void KeyState::setDown(int virtualKey, bool down) {
    if (virtualKey > 0 && virtualKey < 256)
        down_.set(size_t(virtualKey), down);
}

void KeyState::syncModifiers(Qt::KeyboardModifiers modifiers) {
    setDown(VK_SHIFT, modifiers & Qt::ShiftModifier);
    setDown(VK_CONTROL, modifiers & Qt::ControlModifier);
    setDown(VK_MENU, modifiers & Qt::AltModifier);
}

bool KeyState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // One key event is delivered to several objects on its way (shortcut
        // override, the widget, its parents); the state is the same each time.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && key->isAutoRepeat())
            break;
        const int code = fromQtKey(key->key(), key->modifiers() & Qt::KeypadModifier);
        setDown(code, press);
        // The modifiers of a key event describe the state before the key.
        if (code != VK_SHIFT && code != VK_CONTROL && code != VK_MENU)
            syncModifiers(key->modifiers());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        syncModifiers(static_cast<QInputEvent*>(event)->modifiers());
        break;
    case QEvent::ApplicationDeactivate:
        down_.reset();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
