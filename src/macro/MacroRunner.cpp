#include "MacroRunner.h"

#include "MacroTokenizer.h"
#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"
#include "VirtualKeys.h"

namespace {

struct HeldKey {
    int virtualKey;
    bool MacroStep::*stepFlag;
    bool Macro::*heldFlag;
};

// Ctrl, Shift and Alt, in the order their keys go down; they come up in the
// reverse order.
constexpr HeldKey kModifiers[] = {
    {vk::VK_CONTROL, &MacroStep::ctrl, &Macro::ctrlHeld},
    {vk::VK_SHIFT, &MacroStep::shift, &Macro::shiftHeld},
    {vk::VK_MENU, &MacroStep::alt, &Macro::altHeld},
};

void pressAndRelease(MacroKeyboard& keyboard, int virtualKey) {
    if (virtualKey == 0)
        return;
    keyboard.sendKey(virtualKey, true);
    keyboard.sendKey(virtualKey, false);
}

void playTypeStep(Macro& macro, const MacroStep& step, MacroKeyboard& keyboard) {
    if (step.text.isEmpty())
        return;
    const bool quoted = step.text.startsWith(u'"');
    const bool asKeys =
        step.ctrl || step.shift || step.alt || macro.ctrlHeld || macro.shiftHeld || macro.altHeld;
    if (!asKeys) {
        if (quoted) {
            QString text = macroStringValue(step.text);
            text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
            keyboard.typeText(text);
        } else {
            pressAndRelease(keyboard, macroKeyNameCode(step.text));
        }
        keyboard.pumpMessages();
        return;
    }
    for (const HeldKey& key : kModifiers) {
        if (step.*key.stepFlag && !(macro.*key.heldFlag))
            keyboard.sendKey(key.virtualKey, true);
    }
    if (!quoted) {
        pressAndRelease(keyboard, macroKeyNameCode(step.text));
    } else {
        // Escape pairs are not resolved: "\n" presses the backslash, which
        // has no key, and then N.
        const QStringView inner = QStringView(step.text).mid(1, step.text.size() - 2);
        for (const QChar c : inner)
            pressAndRelease(keyboard, macroCharacterKey(c));
    }
    for (auto key = std::rbegin(kModifiers); key != std::rend(kModifiers); ++key) {
        if (step.*key->stepFlag && !(macro.*key->heldFlag))
            keyboard.sendKey(key->virtualKey, false);
    }
    keyboard.pumpMessages();
}

// LOCK and UNLOCK: the Ctrl key when the step's ctrl flag is set, else Shift.
void playLockStep(Macro& macro, const MacroStep& step, MacroKeyboard& keyboard, bool down) {
    const int key = step.ctrl ? vk::VK_CONTROL : vk::VK_SHIFT;
    keyboard.sendKey(key, down);
    (step.ctrl ? macro.ctrlHeld : macro.shiftHeld) = down;
}

bool isHandedBack(MacroCommand command) {
    switch (command) {
    case MacroCommand::Markup:
    case MacroCommand::FindUp:
    case MacroCommand::FindDown:
    case MacroCommand::Replace:
    case MacroCommand::ReplaceAll:
    case MacroCommand::NewFile:
    case MacroCommand::Open:
    case MacroCommand::Save:
    case MacroCommand::Copy:
    case MacroCommand::Cut:
    case MacroCommand::Paste:
    case MacroCommand::Select:
    case MacroCommand::Unselect:
    case MacroCommand::Goto:
    case MacroCommand::EnableWindow:
    case MacroCommand::SetFocus:
        return true;
    default:
        return false;
    }
}

} // namespace

int macroKeyNameCode(QStringView name) {
    struct KeyName {
        const char16_t* name;
        int key;
    };
    static constexpr KeyName kKeys[] = {
        {u"BS", vk::VK_BACK},   {u"END", vk::VK_END},    {u"HOME", vk::VK_HOME},
        {u"LEFT", vk::VK_LEFT}, {u"UP", vk::VK_UP},      {u"RIGHT", vk::VK_RIGHT},
        {u"DOWN", vk::VK_DOWN}, {u"DEL", vk::VK_DELETE},
    };
    for (const KeyName& k : kKeys) {
        if (macroEqualsNoCase(name, QStringView(k.name)))
            return k.key;
    }
    return 0;
}

int macroCharacterKey(QChar c) {
    const char16_t u = c.unicode();
    if (u == u'\t')
        return vk::VK_TAB;
    if (u == u'\n')
        return vk::VK_RETURN;
    if (u == u' ' || (u >= u'0' && u <= u'@') || (u >= u'A' && u <= u'Z'))
        return u;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + u'A';
    return 0;
}

QString macroUnknownCommandText(int code) {
    return res::substitute(res::loadString(sid::IDS_MACRO_UNKNOWN_COMMAND, {}), code);
}

MacroCommand MacroRunSteps(Macro& macro, MacroKeyboard& keyboard, int& index,
                           MacroStepValues& values, const bool& playing, MessageService& messages,
                           void* owner) {
    if (index < 1) {
        index = 0;
        macro.ctrlHeld = macro.shiftHeld = macro.altHeld = false;
    }
    const int count = int(macro.steps.size());
    for (; index < count; ++index) {
        if (!playing)
            return MacroCommand::Stopped;
        // A copy: the pump may run any command, but never one that changes
        // the steps of a playing macro; the copy keeps even that harmless.
        const MacroStep step = macro.steps[size_t(index)];
        switch (step.command) {
        case MacroCommand::Version:
            break;
        case MacroCommand::Type:
            playTypeStep(macro, step, keyboard);
            break;
        case MacroCommand::Lock:
            playLockStep(macro, step, keyboard, true);
            break;
        case MacroCommand::Unlock:
            playLockStep(macro, step, keyboard, false);
            break;
        case MacroCommand::Sleep:
            keyboard.pumpMessages();
            keyboard.sleep(step.param, playing);
            break;
        default:
            if (isHandedBack(step.command)) {
                values = macroStepValues(step);
                ++index;
                return step.command;
            }
            messages.show(macroUnknownCommandText(int(step.command)),
                          res::loadString(sid::AFX_IDS_APP_TITLE, {}), mb::MB_OK, owner);
            break;
        }
    }
    index = -1;
    return MacroCommand::End;
}
