#include "MacroWriter.h"

#include "MacroTokenizer.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kNewlineString = QStringLiteral("\"\\n\"");

bool isQuotedTypeText(const MacroStep& step) {
    return step.command == MacroCommand::Type && step.text.startsWith(u'"');
}

// True when the text's last character is a backslash that the tokenizer would
// pair with a closing quote written after it.
bool endsWithLoneBackslash(QStringView text) {
    bool lone = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            lone = false;
            continue;
        }
        if (i + 1 < text.size() && isMacroEscapeChar(text[i + 1])) {
            ++i;
            lone = false;
        } else {
            lone = i + 1 == text.size();
        }
    }
    return lone;
}

// Text placed between two double quotes. A final backslash that would escape
// the closing quote is doubled; played, the pair gives the backslash back.
QString quoted(QStringView content) {
    QString out;
    out.reserve(content.size() + 3);
    out.append(u'"').append(content);
    if (endsWithLoneBackslash(content))
        out.append(u'\\');
    out.append(u'"');
    return out;
}

// A stored text that already carries its quotes (a TYPE string, a path as
// written in a loaded file) goes out as it stands; only a lone backslash
// before its closing quote is doubled.
QString requoted(const QString& text) {
    if (text.size() < 2 || !text.endsWith(u'"'))
        return text;
    return quoted(QStringView(text).sliced(1, text.size() - 2));
}

QString pathArgument(const QString& text) {
    return text.startsWith(u'"') ? requoted(text) : quoted(text);
}

// The search texts of FIND and REPLACE between quotes. The first CR LF of a
// replace step separates its two texts and becomes the boundary between two
// quoted arguments; a CR of any other CR LF stays as it is (a CR that is not
// directly before a line break survives loading) and its LF becomes "\n".
QString escapedArgument(const QString& text, bool hasSeparator) {
    QString out;
    out.reserve(text.size() + 8);
    out.append(u'"');
    bool separatorWritten = !hasSeparator;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\')
            out.append(u"\\\\");
        else if (c == u'"')
            out.append(u"\\\"");
        else if (c == u'\r' && !separatorWritten && i + 1 < text.size() && text[i + 1] == u'\n') {
            out.append(u"\" \"");
            separatorWritten = true;
            ++i;
        } else if (c == u'\n')
            out.append(u"\\n");
        else if (c == u'\t')
            out.append(u"\\t");
        else
            out.append(c);
    }
    // A replace step always has two arguments; without a separator the
    // replacement is empty, as the player reads it.
    if (!separatorWritten)
        out.append(u"\" \"");
    out.append(u'"');
    return out;
}

QString typeLine(const MacroStep& step) {
    QString line = QStringLiteral("TYPE ");
    bool modifier = false;
    auto addModifier = [&](bool set, QStringView name) {
        if (!set)
            return;
        if (modifier)
            line.append(u"+ ");
        line.append(name).append(u' ');
        modifier = true;
    };
    addModifier(step.ctrl, u"CTRL");
    addModifier(step.shift, u"SHIFT");
    addModifier(step.alt, u"ALT");
    line.append(step.text.startsWith(u'"') ? requoted(step.text) : step.text);
    return line;
}

QString optionPrefix(bool set, QStringView option) {
    return set ? option.toString() + QLatin1Char(' ') : QString();
}

} // namespace

void MacroCoalesce(Macro& macro) {
    std::vector<MacroStep>& steps = macro.steps;
    std::vector<MacroStep> merged;
    merged.reserve(steps.size());
    for (size_t i = 0; i < steps.size();) {
        MacroStep start = std::move(steps[i]);
        ++i;
        if (!isQuotedTypeText(start) || start.text == kNewlineString) {
            merged.push_back(std::move(start));
            continue;
        }
        bool grown = false;
        while (i < steps.size()) {
            const MacroStep& next = steps[i];
            if (!isQuotedTypeText(next) || next.ctrl != start.ctrl || next.shift != start.shift ||
                next.alt != start.alt)
                break;
            if (!grown) {
                start.text.chop(1);
                grown = true;
            }
            start.text.append(
                QStringView(next.text).sliced(1, qMax<qsizetype>(0, next.text.size() - 2)));
            ++i;
            if (next.text == kNewlineString)
                break;
        }
        if (grown)
            start.text.append(u'"');
        merged.push_back(std::move(start));
    }
    steps = std::move(merged);
}

QString macroStepLine(const MacroStep& step) {
    static const char16_t* const kSelect[] = {u"ALL", u"LINE", u"LEFT", u"RIGHT"};
    switch (step.command) {
    case MacroCommand::Version:
        return QStringLiteral("VERSION 1.00");
    case MacroCommand::Type:
        return typeLine(step);
    case MacroCommand::Markup:
        return QStringLiteral("MARKUP ") + escapedArgument(step.text, false);
    case MacroCommand::FindUp:
    case MacroCommand::FindDown:
        return QStringLiteral("FIND ") + optionPrefix(step.param == 1, u"/I") +
               optionPrefix(step.command == MacroCommand::FindUp, u"/U") +
               escapedArgument(step.text, false);
    case MacroCommand::Replace:
    case MacroCommand::ReplaceAll:
        return QStringLiteral("REPLACE ") + optionPrefix(step.param == 1, u"/I") +
               optionPrefix(step.command == MacroCommand::ReplaceAll, u"/A") +
               escapedArgument(step.text, true);
    case MacroCommand::NewFile:
        return step.param == 1 ? QStringLiteral("NEWFILE /F") : QStringLiteral("NEWFILE");
    case MacroCommand::Open:
        return QStringLiteral("OPEN ") + optionPrefix(step.param == 1, u"/F") +
               pathArgument(step.text);
    case MacroCommand::Save:
        if (step.param == 1)
            return QStringLiteral("SAVE /A ");
        return step.text.isEmpty() ? QStringLiteral("SAVE ")
                                   : QStringLiteral("SAVE ") + pathArgument(step.text);
    case MacroCommand::Copy:
        return QStringLiteral("COPY");
    case MacroCommand::Cut:
        return QStringLiteral("CUT");
    case MacroCommand::Paste:
        return QStringLiteral("PASTE");
    case MacroCommand::Lock:
        return step.ctrl ? QStringLiteral("LOCK CTRL") : QStringLiteral("LOCK SHIFT");
    case MacroCommand::Unlock:
        return step.ctrl ? QStringLiteral("UNLOCK CTRL") : QStringLiteral("UNLOCK SHIFT");
    case MacroCommand::Select:
        if (step.param < 0 || step.param > 3)
            return {};
        return QStringLiteral("SELECT ") + QString::fromUtf16(kSelect[step.param]);
    case MacroCommand::Unselect:
        return step.param != 0 ? QStringLiteral("UNSELECT HEAD") : QStringLiteral("UNSELECT TAIL");
    case MacroCommand::Sleep:
        return QStringLiteral("SLEEP %1").arg(step.param);
    case MacroCommand::Goto:
        if (step.text.isEmpty())
            return QStringLiteral("GOTO %1").arg(step.param);
        if (step.text == u"+" || step.text == u"-")
            return QStringLiteral("GOTO %1%2").arg(step.text).arg(step.param);
        return QStringLiteral("GOTO ") + step.text;
    case MacroCommand::EnableWindow:
        return step.param != 0 ? QStringLiteral("ENABLEWINDOW TRUE")
                               : QStringLiteral("ENABLEWINDOW FALSE");
    case MacroCommand::SetFocus:
        return QStringLiteral("SETFOCUS");
    default:
        return {};
    }
}

QString macroFileHeader(const QDate& date) {
    return QStringLiteral("# ================================\n"
                          "# ==  Tavloエディタ マクロファイル\n"
                          "# ==\n"
                          "# ==  作成日：%1年%2月%3日\n\n"
                          "VERSION 1.00\n\n")
        .arg(date.year(), 4)
        .arg(date.month(), 2)
        .arg(date.day(), 2);
}

QString macroFileText(const Macro& macro, const QDate& date) {
    QString text = macroFileHeader(date);
    for (const MacroStep& step : macro.steps) {
        text.append(macroStepLine(step));
        text.append(u'\n');
    }
    return text;
}

QByteArray encodeMacroFile(const QString& text) {
    QByteArray bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.append('\xFF').append('\xFE');
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QString proposedMacroFileName(const QString& folder) {
    const QDir dir(folder);
    int number = 1;
    for (; number < 255; ++number) {
        if (!QFileInfo::exists(dir.filePath(QStringLiteral("新規マクロ(%1).mcr").arg(number))))
            break;
    }
    return QStringLiteral("新規マクロ(%1).mcr").arg(number);
}
