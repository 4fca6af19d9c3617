#include "MacroKeywordTable.h"

#include "MacroTokenizer.h"

namespace {

constexpr MacroKeyword kKeywords[] = {
    {u"TYPE", MacroCommand::Type},
    {u"VERSION", MacroCommand::Version},
    {u"TOOLTIP", MacroCommand::Tooltip},
    {u"EXPLAIN", MacroCommand::Explain},
    {u"FIND", MacroCommand::FindDown},
    {u"REPLACE", MacroCommand::Replace},
    {u"NEWFILE", MacroCommand::NewFile},
    {u"OPEN", MacroCommand::Open},
    {u"SAVE", MacroCommand::Save},
    {u"COPY", MacroCommand::Copy},
    {u"CUT", MacroCommand::Cut},
    {u"PASTE", MacroCommand::Paste},
    {u"LOCK", MacroCommand::Lock},
    {u"UNLOCK", MacroCommand::Unlock},
    {u"SELECT", MacroCommand::Select},
    {u"UNSELECT", MacroCommand::Unselect},
    {u"SLEEP", MacroCommand::Sleep},
    {u"GOTO", MacroCommand::Goto},
    {u"ENABLEWINDOW", MacroCommand::EnableWindow},
    {u"SETFOCUS", MacroCommand::SetFocus},
    {u"MARKUP", MacroCommand::Markup},
};

} // namespace

std::span<const MacroKeyword> macroKeywords() {
    return kKeywords;
}

const MacroKeyword* findMacroKeyword(QStringView line) {
    for (const MacroKeyword& keyword : kKeywords) {
        if (macroStartsWithNoCase(line, QStringView(keyword.name)))
            return &keyword;
    }
    return nullptr;
}

QStringView macroKeywordName(MacroCommand command) {
    switch (command) {
    case MacroCommand::FindUp:
        return u"FIND";
    case MacroCommand::ReplaceAll:
        return u"REPLACE";
    default:
        break;
    }
    for (const MacroKeyword& keyword : kKeywords) {
        if (keyword.command == command)
            return keyword.name;
    }
    return {};
}
