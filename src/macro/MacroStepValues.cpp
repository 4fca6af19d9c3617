#include "MacroStepValues.h"

#include "MacroTokenizer.h"

namespace {

QString withCrLf(QString text) {
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

// The characters a quoted TYPE text presses as keys when played with
// modifiers: those between its first and last character that have a key.
QString typedKeys(QStringView text) {
    QString keys;
    for (const QChar c : text.mid(1, qMax<qsizetype>(0, text.size() - 2))) {
        const char16_t u = c.unicode();
        const bool hasKey = u == u'\t' || u == u'\n' || u == u' ' || (u >= u'0' && u <= u'@') ||
                            (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
        if (hasKey)
            keys.append(c.toUpper());
    }
    return keys;
}

bool typeStepsAlike(const MacroStep& a, const MacroStep& b) {
    if (a.ctrl != b.ctrl || a.shift != b.shift || a.alt != b.alt)
        return false;
    const bool aQuoted = a.text.startsWith(u'"');
    if (aQuoted != b.text.startsWith(u'"'))
        return false;
    if (!aQuoted)
        return macroEqualsNoCase(a.text, b.text);
    return macroStringValue(a.text) == macroStringValue(b.text) &&
           typedKeys(a.text) == typedKeys(b.text);
}

} // namespace

QString macroPathValue(QStringView text) {
    if (text.startsWith(u'"')) {
        text = text.mid(1);
        if (text.endsWith(u'"'))
            text.chop(1);
    }
    QString path;
    path.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        path.append(text[i]);
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'\\')
            ++i;
    }
    return path;
}

MacroStepValues macroStepValues(const MacroStep& step) {
    MacroStepValues values;
    switch (step.command) {
    case MacroCommand::Markup:
        values.text1 = step.text;
        break;
    case MacroCommand::FindUp:
    case MacroCommand::FindDown:
        values.param = step.param;
        values.text1 = withCrLf(step.text);
        break;
    case MacroCommand::Replace:
    case MacroCommand::ReplaceAll: {
        values.param = step.param;
        const qsizetype split = step.text.indexOf(QStringLiteral("\r\n"));
        values.text1 = withCrLf(split < 0 ? step.text : step.text.left(split));
        values.text2 = split < 0 ? QString() : withCrLf(step.text.mid(split + 2));
        break;
    }
    case MacroCommand::NewFile:
    case MacroCommand::Open:
    case MacroCommand::Save:
        values.param = step.param;
        values.text1 = macroPathValue(step.text);
        break;
    case MacroCommand::Select:
    case MacroCommand::Unselect:
    case MacroCommand::EnableWindow:
    case MacroCommand::Sleep:
        values.param = step.param;
        break;
    case MacroCommand::Goto:
        values.param = step.param;
        values.text1 = step.text;
        break;
    default:
        break;
    }
    return values;
}

bool macroStepsPlayAlike(const MacroStep& a, const MacroStep& b) {
    if (a.command != b.command)
        return false;
    switch (a.command) {
    case MacroCommand::Type:
        return typeStepsAlike(a, b);
    case MacroCommand::Lock:
    case MacroCommand::Unlock:
        // Ctrl when the ctrl flag is set, else Shift.
        return a.ctrl == b.ctrl;
    default: {
        const MacroStepValues va = macroStepValues(a);
        const MacroStepValues vb = macroStepValues(b);
        return va.param == vb.param && va.text1 == vb.text1 && va.text2 == vb.text2;
    }
    }
}
