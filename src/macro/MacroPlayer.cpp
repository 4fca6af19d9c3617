#include "MacroPlayer.h"

#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"
#include "VirtualKeys.h"

#include <QDir>
#include <QElapsedTimer>
#include <algorithm>

namespace {

QString caption() {
    return res::loadString(sid::AFX_IDS_APP_TITLE, {});
}
constexpr int kReleaseMessageInterval = 2000;

bool anyPlayKeyDown(const MacroPlayTarget& target) {
    return target.isKeyDown(vk::VK_CONTROL) || target.isKeyDown(vk::VK_SHIFT) ||
           target.isKeyDown(vk::VK_MENU) || target.isKeyDown('P');
}

// The keys that started the playback would mix into the first typed keys.
// The key state follows key events, so the wait handles events.
void waitForKeyRelease(MacroPlayTarget& target, MessageService& messages, void* owner) {
    QElapsedTimer sinceMessage;
    sinceMessage.start();
    while (anyPlayKeyDown(target)) {
        if (sinceMessage.elapsed() >= kReleaseMessageInterval) {
            messages.show(res::loadString(sid::IDS_MACRO_RELEASE_KEYS, {}), caption(), mb::MB_OK,
                          owner);
            target.repaint();
            sinceMessage.restart();
        }
        target.waitForEvents(50);
    }
}

QString resolvedPath(const QString& path, const QString& folder) {
    if (path.isEmpty() || QDir::isAbsolutePath(path) || folder.isEmpty())
        return path;
    return QDir::cleanPath(QDir(folder).filePath(path));
}

void perform(MacroCommand command, const MacroStepValues& v, MacroPlayTarget& target,
             const QString& folder) {
    const bool matchCase = v.param == 1;
    switch (command) {
    case MacroCommand::Markup: {
        const qsizetype tab = v.text1.indexOf(u'\t');
        if (tab < 0)
            target.insertString(v.text1, std::nullopt);
        else
            target.insertString(v.text1.left(tab), v.text1.mid(tab + 1));
        break;
    }
    case MacroCommand::FindUp:
    case MacroCommand::FindDown:
        target.find(v.text1, command == MacroCommand::FindUp, matchCase);
        break;
    case MacroCommand::Replace: {
        const auto [start, end] = target.selection();
        if (start != end) {
            target.setSelection(start, start);
            target.scrollCaret();
        }
        target.replaceNext(v.text1, v.text2, matchCase);
        break;
    }
    case MacroCommand::ReplaceAll:
        target.replaceAll(v.text1, v.text2, matchCase);
        break;
    case MacroCommand::NewFile:
        target.newFile(v.param == 0);
        break;
    case MacroCommand::Open:
        target.open(resolvedPath(v.text1, folder), v.param == 0);
        break;
    case MacroCommand::Save:
        if (v.param == 1)
            target.saveAs();
        else
            target.saveCopy(resolvedPath(v.text1, folder));
        break;
    case MacroCommand::Copy:
        target.copy();
        break;
    case MacroCommand::Cut:
        target.cut();
        break;
    case MacroCommand::Paste:
        target.paste();
        break;
    case MacroCommand::Select:
        macroSelect(target, v.param);
        break;
    case MacroCommand::Unselect:
        macroUnselect(target, v.param);
        break;
    case MacroCommand::Goto:
        macroGoto(target, v.text1, v.param);
        break;
    case MacroCommand::EnableWindow:
        target.setEditEnabled(v.param != 0);
        break;
    case MacroCommand::SetFocus:
        target.focusEdit();
        break;
    default:
        break;
    }
}

void releaseHeldKeys(Macro& macro, MacroPlayTarget& target) {
    if (macro.ctrlHeld)
        target.sendKey(vk::VK_CONTROL, false);
    if (macro.shiftHeld)
        target.sendKey(vk::VK_SHIFT, false);
    macro.ctrlHeld = macro.shiftHeld = macro.altHeld = false;
}

} // namespace

QString macroStopQuestionText() {
    return res::loadString(sid::IDS_MACRO_STOP_QUESTION, {});
}

void macroSelect(MacroPlayTarget& target, int param) {
    if (param == 0) {
        target.setSelection(0, -1);
        target.scrollCaret();
        return;
    }
    const auto [start, end] = target.selection();
    const int lineStart = target.lineIndex(target.lineFromChar(start));
    const int lineEnd = lineStart + target.lineLength(lineStart);
    if (param == 1)
        target.setSelection(lineStart, lineEnd);
    else if (param == 2)
        target.setSelection(lineStart, std::min(end, lineEnd));
    else
        target.setSelection(start, lineEnd);
    target.scrollCaret();
}

void macroUnselect(MacroPlayTarget& target, int param) {
    const auto [start, end] = target.selection();
    const int caret = param != 0 ? start : end;
    target.setSelection(caret, caret);
    target.scrollCaret();
}

void macroGoto(MacroPlayTarget& target, const QString& text, int param) {
    int position = 0;
    if (text == u"VIEWTOP") {
        position = target.lineIndex(target.firstVisibleLine());
    } else if (text == u"HOME") {
        position = 0;
    } else if (text == u"END") {
        position = target.textLength();
    } else {
        // In 64 bits: the loader accepts offsets up to the ends of int.
        const qint64 last = std::max(0, target.lineCount() - 1);
        const qint64 caretLine = target.lineFromChar(target.selection().first);
        qint64 line = param;
        if (text == u"+")
            line = caretLine + param;
        else if (text == u"-")
            line = caretLine - param;
        else
            line = qint64(param) - 1;
        position = target.lineIndex(int(std::clamp<qint64>(line, 0, last)));
    }
    target.setSelection(position, position);
    target.scrollCaret();
}

void MacroPlay(const Macro& source, MacroPlayTarget& target, bool& playing,
               MessageService& messages, void* owner) {
    waitForKeyRelease(target, messages, owner);
    Macro macro = source;
    playing = true;
    target.runIdle();

    int index = 0;
    MacroStepValues values;
    do {
        const MacroCommand command =
            MacroRunSteps(macro, target, index, values, playing, messages, owner);
        if (!playing) {
            const int answer = messages.show(macroStopQuestionText(), caption(),
                                             mb::MB_YESNO | mb::MB_ICONQUESTION, owner);
            if (answer == mb::IDYES)
                break;
            playing = true;
        }
        perform(command, values, target, macro.sourceFolder);
    } while (index != -1);

    releaseHeldKeys(macro, target);
    if (!target.isEditEnabled())
        target.setEditEnabled(true);
    playing = false;
    target.runIdle();
}
