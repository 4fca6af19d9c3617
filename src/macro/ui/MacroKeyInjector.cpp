#include "MacroKeyInjector.h"

#include "VirtualKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

// Exported by QtGui (QtTest declares it the same way): offers a key press to
// the shortcut map as the window system's key events are offered, so that an
// injected key triggers the window's shortcuts like a typed one.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace {

Qt::KeyboardModifier modifierOf(int virtualKey) {
    switch (virtualKey) {
    case vk::VK_SHIFT:
        return Qt::ShiftModifier;
    case vk::VK_CONTROL:
        return Qt::ControlModifier;
    case vk::VK_MENU:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

} // namespace

MacroKeyEventData macroKeyEventData(int virtualKey, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    MacroKeyEventData data;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        data.qtKey = virtualKey;
        // Ctrl turns a letter into its control character, as keyboards do.
        const QChar letter(shift ? virtualKey : virtualKey - 'A' + 'a');
        data.text = ctrl ? QString(QChar(virtualKey - 'A' + 1)) : QString(letter);
        return data;
    }
    // The digits and the characters from ":" to "@" have no key of their own
    // on this platform's key codes: they arrive as their characters, which
    // are also their Qt keys.
    if ((virtualKey >= '0' && virtualKey <= '@') || virtualKey == vk::VK_SPACE) {
        data.qtKey = virtualKey;
        data.text = QString(QChar(virtualKey));
        return data;
    }
    data.qtKey = vk::toQtKey(virtualKey);
    switch (virtualKey) {
    case vk::VK_TAB:
        data.text = QStringLiteral("\t");
        break;
    case vk::VK_RETURN:
        data.text = QStringLiteral("\r");
        break;
    case vk::VK_BACK:
        data.text = QStringLiteral("\b");
        break;
    case vk::VK_DELETE:
        data.text = QString(QChar(0x7F));
        break;
    default:
        break;
    }
    return data;
}

void MacroKeyInjector::sendKey(QWidget* target, int virtualKey, bool down) {
    const Qt::KeyboardModifier modifier = modifierOf(virtualKey);
    // A modifier's own event carries the state before it, as Qt reports it.
    const Qt::KeyboardModifiers before = modifiers_;
    if (modifier != Qt::NoModifier)
        modifiers_.setFlag(modifier, down);
    if (!target)
        return;
    const MacroKeyEventData data = macroKeyEventData(virtualKey, before);
    if (data.qtKey == 0 || data.qtKey == Qt::Key_unknown)
        return;
    if (down && modifier == Qt::NoModifier &&
        qt_sendShortcutOverrideEvent(target, 0, data.qtKey, before, data.text, false, 1))
        return;
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, data.qtKey, before, data.text);
    QCoreApplication::sendEvent(target, &event);
}
