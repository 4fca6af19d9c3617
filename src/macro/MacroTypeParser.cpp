#include "MacroTypeParser.h"

#include "MacroReport.h"
#include "MacroTokenizer.h"

namespace {

struct KeyName {
    const char16_t* written;
    const char16_t* stored;
};

constexpr KeyName kKeyNames[] = {
    {u"UP", u"UP"},      {u"DOWN", u"DOWN"}, {u"LEFT", u"LEFT"},    {u"RIGHT", u"RIGHT"},
    {u"HOME", u"HOME"},  {u"END", u"END"},   {u"BACKSPACE", u"BS"}, {u"BS", u"BS"},
    {u"DELETE", u"DEL"}, {u"DEL", u"DEL"},
};

} // namespace

QString macroKeyName(QStringView word) {
    for (const KeyName& key : kKeyNames) {
        if (macroEqualsNoCase(word, QStringView(key.written)))
            return QString::fromUtf16(key.stored);
    }
    return {};
}

std::optional<MacroStep> parseMacroType(QStringView arguments, int line, MacroReport& report) {
    MacroStep step;
    step.command = MacroCommand::Type;
    MacroTokenizer tokens(arguments);
    while (auto token = tokens.next()) {
        const QString& word = token->text;
        if (word == u"+")
            continue;
        if (macroEqualsNoCase(word, u"CTRL")) {
            step.ctrl = true;
            continue;
        }
        if (macroEqualsNoCase(word, u"SHIFT")) {
            step.shift = true;
            continue;
        }
        if (macroEqualsNoCase(word, u"ALT")) {
            step.alt = true;
            continue;
        }
        if (token->isQuoted()) {
            if (token->unbalancedQuote)
                report.add(macromsg::TypeQuote, line);
            const QString rest = tokens.rest();
            if (!rest.isEmpty())
                report.add(macromsg::TypeExtraData, line, rest);
            step.text = word;
            return step;
        }
        const QString key = macroKeyName(word);
        if (!key.isEmpty()) {
            step.text = key;
            return step;
        }
        report.add(macromsg::TypeUnknownKeyword, line, word);
    }
    report.add(macromsg::TypeFormat, line);
    return std::nullopt;
}
