#include "MacroLoader.h"

#include "MacroKeywordTable.h"
#include "MacroReport.h"
#include "MacroSource.h"
#include "MacroTokenizer.h"
#include "MacroTypeParser.h"

#include <span>

namespace {

// Quote removal of TOOLTIP and EXPLAIN: a leading double quote and then, if
// there was one, a trailing one.
QString withoutQuotes(QStringView text) {
    if (text.startsWith(u'"')) {
        text = text.mid(1);
        if (text.endsWith(u'"'))
            text.chop(1);
    }
    return text.toString();
}

constexpr MacroOptions kAllOptions{true, true, true, true};

class MacroLineParser {
  public:
    explicit MacroLineParser(Macro& macro) : macro_(macro), report_(macro.report) {}

    void parse(const MacroLine& line);

  private:
    void parseCommand(const MacroKeyword& keyword, QStringView arguments);
    void parseVersion(QStringView arguments);
    void parseFind(MacroTokenizer& tokens);
    void parseReplace(MacroTokenizer& tokens);
    void parseNewFile(MacroTokenizer& tokens);
    void parseOpen(MacroTokenizer& tokens);
    void parseSave(MacroTokenizer& tokens);
    void parseClipboard(MacroCommand command, MacroTokenizer& tokens);
    void parseLock(MacroCommand command, MacroTokenizer& tokens);
    void parseKeywordParam(MacroCommand command, MacroTokenizer& tokens);
    void parseSleep(MacroTokenizer& tokens);
    void parseGoto(MacroTokenizer& tokens);
    void parseSetFocus(MacroTokenizer& tokens);
    void parseMarkup(QStringView arguments);
    void parseUnknown(QStringView text);

    void warnOptions(QStringView keyword, const MacroOptions& given, const MacroOptions& refused);
    void warnExtraData(const QString& rest);
    void error(uint32_t id);
    void error(uint32_t id, const QString& text);
    void error(uint32_t id, const QString& text1, const QString& text2);
    void addStep(MacroCommand command, const QString& text = {}, int param = 0);

    Macro& macro_;
    MacroReport report_;
    int line_ = 0;
};

void MacroLineParser::parse(const MacroLine& line) {
    const QStringView text = skipMacroSpace(line.text);
    if (text.isEmpty() || text.startsWith(u'#') || text.startsWith(u':') || text.startsWith(u"//"))
        return;
    line_ = line.number;
    const MacroKeyword* keyword = findMacroKeyword(text);
    if (!keyword) {
        parseUnknown(text);
        return;
    }
    const QStringView keywordName(keyword->name);
    parseCommand(*keyword, skipMacroSpace(text.mid(keywordName.size())));
}

void MacroLineParser::parseCommand(const MacroKeyword& keyword, QStringView arguments) {
    MacroTokenizer tokens(arguments);
    switch (keyword.command) {
    case MacroCommand::Type:
        if (auto step = parseMacroType(arguments, line_, report_))
            macro_.steps.push_back(std::move(*step));
        return;
    case MacroCommand::Version:
        parseVersion(arguments);
        return;
    case MacroCommand::Tooltip:
        macro_.tooltip = withoutQuotes(arguments);
        return;
    case MacroCommand::Explain:
        macro_.explanation = macroStringValue(withoutQuotes(arguments));
        macro_.explanation.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        return;
    case MacroCommand::FindDown:
        parseFind(tokens);
        return;
    case MacroCommand::Replace:
        parseReplace(tokens);
        return;
    case MacroCommand::NewFile:
        parseNewFile(tokens);
        return;
    case MacroCommand::Open:
        parseOpen(tokens);
        return;
    case MacroCommand::Save:
        parseSave(tokens);
        return;
    case MacroCommand::Copy:
    case MacroCommand::Cut:
    case MacroCommand::Paste:
        parseClipboard(keyword.command, tokens);
        return;
    case MacroCommand::Lock:
    case MacroCommand::Unlock:
        parseLock(keyword.command, tokens);
        return;
    case MacroCommand::Select:
    case MacroCommand::Unselect:
    case MacroCommand::EnableWindow:
        parseKeywordParam(keyword.command, tokens);
        return;
    case MacroCommand::Sleep:
        parseSleep(tokens);
        return;
    case MacroCommand::Goto:
        parseGoto(tokens);
        return;
    case MacroCommand::SetFocus:
        parseSetFocus(tokens);
        return;
    case MacroCommand::Markup:
        parseMarkup(arguments);
        return;
    default:
        parseUnknown(arguments);
        return;
    }
}

void MacroLineParser::parseVersion(QStringView arguments) {
    const qsizetype dot = arguments.indexOf(u'.');
    if (dot < 0) {
        const int major = macroIntegerValue(arguments);
        macro_.versionMinor = 0;
        if (major > macro_.versionMajor)
            macro_.versionMajor = major;
        return;
    }
    const int major = macroIntegerValue(arguments.left(dot));
    const int minor = macroIntegerValue(arguments.mid(dot + 1));
    if (major > macro_.versionMajor ||
        (major == macro_.versionMajor && minor > macro_.versionMinor)) {
        macro_.versionMajor = major;
        macro_.versionMinor = minor;
    }
    if (macro_.versionMajor > 1 || (macro_.versionMajor == 1 && macro_.versionMinor > 0))
        report_.addVersion(macro_.versionMajor, macro_.versionMinor);
}

void MacroLineParser::parseFind(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    const QString text = args.argument ? macroStringValue(args.argument->text) : QString();
    if (text.isEmpty()) {
        error(macromsg::FindTextError);
        return;
    }
    warnOptions(u"FIND", args.options, {true, false, false, true});
    if (args.argument->unbalancedQuote)
        report_.add(macromsg::QuoteUnbalanced, line_);
    warnExtraData(tokens.rest());
    addStep(args.options.u ? MacroCommand::FindUp : MacroCommand::FindDown, text,
            args.options.i ? 1 : 0);
}

void MacroLineParser::parseReplace(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    const QString first = args.argument ? macroStringValue(args.argument->text) : QString();
    if (first.isEmpty() || tokens.atEnd()) {
        error(macromsg::ReplaceFormat);
        return;
    }
    if (args.argument->unbalancedQuote)
        report_.add(macromsg::ReplaceQuote1, line_);
    const MacroToken secondToken = *tokens.next();
    if (secondToken.unbalancedQuote)
        report_.add(macromsg::ReplaceQuote2, line_);
    const QString second = macroStringValue(secondToken.text);
    warnExtraData(tokens.rest());
    warnOptions(u"REPLACE", args.options, {false, false, true, true});
    addStep(args.options.a ? MacroCommand::ReplaceAll : MacroCommand::Replace,
            first + QStringLiteral("\r\n") + second, args.options.i ? 1 : 0);
}

void MacroLineParser::parseNewFile(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    if (args.argument)
        report_.add(macromsg::ExtraData, line_, args.argument->text);
    warnOptions(u"NEWFILE", args.options, {true, true, true, false});
    addStep(MacroCommand::NewFile, {}, args.options.f ? 1 : 0);
}

void MacroLineParser::parseOpen(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    if (!args.argument) {
        error(macromsg::OpenNoFile);
        return;
    }
    if (args.argument->unbalancedQuote)
        report_.add(macromsg::QuoteUnbalanced, line_);
    warnExtraData(tokens.rest());
    warnOptions(u"OPEN", args.options, {true, true, true, false});
    addStep(MacroCommand::Open, args.argument->text, args.options.f ? 1 : 0);
}

void MacroLineParser::parseSave(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(u"SAVE", args.options, {false, true, true, true});
    if (args.options.a) {
        if (args.argument)
            report_.add(macromsg::SaveNameIgnored, line_, args.argument->text);
        addStep(MacroCommand::Save, {}, 1);
        return;
    }
    if (!args.argument) {
        error(macromsg::SaveNoFile);
        return;
    }
    if (args.argument->unbalancedQuote)
        report_.add(macromsg::QuoteUnbalanced, line_);
    warnExtraData(tokens.rest());
    addStep(MacroCommand::Save, args.argument->text, 0);
}

void MacroLineParser::parseClipboard(MacroCommand command, MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(macroKeywordName(command), args.options, kAllOptions);
    if (args.argument)
        report_.add(macromsg::ExtraData, line_, args.argument->text + u' ' + tokens.rest());
    addStep(command);
}

void MacroLineParser::parseLock(MacroCommand command, MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    const QStringView keyword = macroKeywordName(command);
    warnOptions(keyword, args.options, kAllOptions);
    const QString word = args.argument ? macroStringValue(args.argument->text) : QString();
    MacroStep step;
    step.command = command;
    step.text = word;
    step.ctrl = macroEqualsNoCase(word, u"CTRL");
    step.shift = macroEqualsNoCase(word, u"SHIFT");
    bool accepted = step.ctrl || step.shift;
    if (word.isEmpty())
        error(macromsg::ArgumentMissing, keyword.toString(), QStringLiteral("CTRL | SHIFT"));
    else if (!accepted && command == MacroCommand::Lock)
        error(macromsg::LockKeyword, word);
    else if (!accepted)
        report_.add(macromsg::UnlockKeyword, line_, word);
    warnExtraData(tokens.rest());
    if (accepted)
        macro_.steps.push_back(std::move(step));
}

void MacroLineParser::parseKeywordParam(MacroCommand command, MacroTokenizer& tokens) {
    struct Choice {
        const char16_t* word;
        int param;
    };
    static constexpr Choice kSelect[] = {
        {u"", 1}, {u"LINE", 1}, {u"ALL", 0}, {u"LEFT", 2}, {u"RIGHT", 3}};
    static constexpr Choice kUnselect[] = {{u"", 1}, {u"HEAD", 1}, {u"TAIL", 0}};
    static constexpr Choice kEnable[] = {{u"", 1}, {u"TRUE", 1}, {u"FALSE", 0}};

    std::span<const Choice> choices = kEnable;
    uint32_t unknownId = macromsg::EnableKeyword;
    if (command == MacroCommand::Select) {
        choices = kSelect;
        unknownId = macromsg::SelectKeyword;
    } else if (command == MacroCommand::Unselect) {
        choices = kUnselect;
        unknownId = macromsg::UnselectKeyword;
    }

    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(macroKeywordName(command), args.options, kAllOptions);
    const QString word = args.argument ? macroStringValue(args.argument->text) : QString();
    const Choice* found = nullptr;
    for (const Choice& choice : choices) {
        if (macroEqualsNoCase(word, QStringView(choice.word))) {
            found = &choice;
            break;
        }
    }
    if (!found)
        error(unknownId, word);
    warnExtraData(tokens.rest());
    if (found)
        addStep(command, {}, found->param);
}

void MacroLineParser::parseSleep(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(u"SLEEP", args.options, kAllOptions);
    const int ms = args.argument ? macroIntegerValue(macroStringValue(args.argument->text)) : 0;
    const bool accepted = ms >= 1 && ms <= 30000;
    if (!accepted)
        error(macromsg::SleepFormat);
    warnExtraData(tokens.rest());
    if (accepted)
        addStep(MacroCommand::Sleep, {}, ms);
}

void MacroLineParser::parseGoto(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(u"GOTO", args.options, kAllOptions);
    const QString word = args.argument ? macroStringValue(args.argument->text) : QString();
    if (word.isEmpty()) {
        error(macromsg::ArgumentMissing, QStringLiteral("GOTO"),
              QStringLiteral("HOME | END | VIEWTOP | [+|-]行番号"));
        warnExtraData(tokens.rest());
        return;
    }
    QString text;
    int param = 0;
    bool accepted = true;
    QString rest = tokens.rest();
    if (macroEqualsNoCase(word, u"HOME") || macroEqualsNoCase(word, u"END") ||
        macroEqualsNoCase(word, u"VIEWTOP")) {
        text = word.toUpper();
    } else if (word == u"+") {
        text = QStringLiteral("+");
        param = macroIntegerValue(rest);
        rest.clear();
        accepted = param != 0;
    } else if (word.startsWith(u'-')) {
        text = QStringLiteral("-");
        param = macroIntegerValue(QStringView(word).mid(1));
        rest.clear();
        accepted = param != 0;
    } else if (word[0] >= u'0' && word[0] <= u'9') {
        param = macroIntegerValue(word);
        accepted = param != 0;
    } else {
        accepted = false;
    }
    if (!accepted)
        error(macromsg::GotoArgument);
    warnExtraData(rest);
    if (accepted)
        addStep(MacroCommand::Goto, text, param);
}

void MacroLineParser::parseSetFocus(MacroTokenizer& tokens) {
    const MacroArguments args = scanMacroOptions(tokens);
    warnOptions(u"SETFOCUS", args.options, kAllOptions);
    if (args.argument)
        report_.add(macromsg::ExtraData, line_, args.argument->text);
    addStep(MacroCommand::SetFocus);
}

// An insert-string step as the writer writes it: one quoted string with the
// escapes of FIND lines and nothing else. Any other MARKUP line is reported
// as an unknown command with what follows the keyword.
void MacroLineParser::parseMarkup(QStringView arguments) {
    MacroTokenizer tokens(arguments);
    const std::optional<MacroToken> token = tokens.next();
    if (token && token->isQuoted() && !token->unbalancedQuote && tokens.atEnd()) {
        addStep(MacroCommand::Markup, macroStringValue(token->text));
        return;
    }
    parseUnknown(arguments);
}

void MacroLineParser::parseUnknown(QStringView text) {
    MacroTokenizer tokens(text);
    const MacroArguments args = scanMacroOptions(tokens);
    error(macromsg::UnknownCommand,
          args.argument ? macroStringValue(args.argument->text) : QString());
}

void MacroLineParser::warnOptions(QStringView keyword, const MacroOptions& given,
                                  const MacroOptions& refused) {
    const QString name = keyword.toString();
    if (given.a && refused.a)
        report_.add(macromsg::InvalidOption, line_, name, QStringLiteral("/A"));
    if (given.i && refused.i)
        report_.add(macromsg::InvalidOption, line_, name, QStringLiteral("/I"));
    if (given.u && refused.u)
        report_.add(macromsg::InvalidOption, line_, name, QStringLiteral("/U"));
    if (given.f && refused.f)
        report_.add(macromsg::InvalidOption, line_, name, QStringLiteral("/F"));
}

void MacroLineParser::warnExtraData(const QString& rest) {
    if (!rest.isEmpty())
        report_.add(macromsg::ExtraData, line_, rest);
}

void MacroLineParser::error(uint32_t id) {
    report_.add(id, line_);
    macro_.hasError = true;
}

void MacroLineParser::error(uint32_t id, const QString& text) {
    report_.add(id, line_, text);
    macro_.hasError = true;
}

void MacroLineParser::error(uint32_t id, const QString& text1, const QString& text2) {
    report_.add(id, line_, text1, text2);
    macro_.hasError = true;
}

void MacroLineParser::addStep(MacroCommand command, const QString& text, int param) {
    MacroStep step;
    step.command = command;
    step.text = text;
    step.param = param;
    macro_.steps.push_back(std::move(step));
}

} // namespace

void parseMacroText(Macro& macro, QStringView text) {
    MacroLineParser parser(macro);
    MacroLineReader reader(text);
    MacroLine line;
    while (reader.next(line))
        parser.parse(line);
    if (macro.hasError)
        macro.steps.clear();
}

void parseMacroFile(Macro& macro, QByteArrayView bytes, const Locale& locale) {
    parseMacroText(macro, decodeMacroFile(bytes, locale));
}
