#pragma once

#include "Macro.h"

#include <QStringView>
#include <span>

// One command keyword of the macro language and the command it stands for.
// "FIND" and "REPLACE" name the forward search and the single replacement;
// their options pick the other codes.
struct MacroKeyword {
    const char16_t* name;
    MacroCommand command;
};

// The keywords in the order in which they are tried: the first one that
// begins the line, without regard to case, wins. The order matters because
// no separator is needed after a keyword ("TYPEWRITER" is TYPE WRITER).
std::span<const MacroKeyword> macroKeywords();

// The keyword that begins the line, or nullptr for an unknown command.
const MacroKeyword* findMacroKeyword(QStringView line);

// The keyword written for a command ("FIND" for FindUp and FindDown, ...),
// or an empty view for codes without one.
QStringView macroKeywordName(MacroCommand command);
