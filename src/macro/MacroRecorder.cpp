#include "MacroRecorder.h"

#include "MacroWriter.h"
#include "VirtualKeys.h"

void MacroRecorder::start() {
    macro_.clear();
    recording_ = true;
}

void MacroRecorder::stop() {
    if (!recording_)
        return;
    recording_ = false;
    MacroCoalesce(macro_);
}

void MacroRecorder::recordKeyDown(int virtualKey, MacroModifiers modifiers) {
    if (!recording_)
        return;
    const char16_t* name = nullptr;
    switch (virtualKey) {
    case vk::VK_RIGHT:
        name = u"RIGHT";
        break;
    case vk::VK_DOWN:
        name = u"DOWN";
        break;
    case vk::VK_DELETE:
        name = u"DEL";
        break;
    case vk::VK_LEFT:
        name = u"LEFT";
        break;
    case vk::VK_UP:
        name = u"UP";
        break;
    case vk::VK_BACK:
        name = u"BS";
        break;
    case vk::VK_END:
        name = u"END";
        break;
    case vk::VK_HOME:
        name = u"HOME";
        break;
    default:
        return;
    }
    MacroStep step;
    step.command = MacroCommand::Type;
    step.text = QString::fromUtf16(name);
    if (virtualKey != vk::VK_BACK && virtualKey != vk::VK_DELETE) {
        step.shift = modifiers.shift;
        step.ctrl = modifiers.ctrl;
    }
    macro_.steps.push_back(std::move(step));
}

void MacroRecorder::recordCharacter(QChar c, MacroModifiers modifiers) {
    if (!recording_)
        return;
    QString text;
    switch (c.unicode()) {
    case u'\r':
        text = QStringLiteral("\\n");
        break;
    case u'\t':
        text = QStringLiteral("\\t");
        break;
    case u'\\':
        text = QStringLiteral("\\\\");
        break;
    case u'"':
        text = QStringLiteral("\\\"");
        break;
    default:
        if (c.unicode() < 32)
            return;
        text = c;
    }
    MacroStep step;
    step.command = MacroCommand::Type;
    step.text = u'"' + text + u'"';
    step.ctrl = modifiers.ctrl;
    step.alt = modifiers.alt;
    macro_.steps.push_back(std::move(step));
}

void MacroRecorder::recordCommand(MacroCommand command, const QString& text, int param,
                                  std::optional<MacroModifiers> modifiers) {
    if (!recording_)
        return;
    MacroStep step;
    step.command = command;
    step.text = text;
    step.param = param;
    if (modifiers) {
        step.ctrl = modifiers->ctrl;
        step.shift = modifiers->shift;
        step.alt = modifiers->alt;
    }
    macro_.steps.push_back(std::move(step));
}

std::optional<QString> macroRecordedPath(const QString& path) {
    if (path.contains(u'"') || path.contains(u'\n') || path.contains(u'\r'))
        return std::nullopt;
    QString stored = path;
    stored.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return stored;
}
