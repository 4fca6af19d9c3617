#pragma once

#include "Macro.h"

#include <QStringView>
#include <optional>

class MacroReport;

// Reads the arguments of a TYPE line: the modifiers CTRL, SHIFT and ALT
// (with "+" between them ignored), then a key name or a quoted string, which
// ends the command. Unknown words are reported and skipped. Returns the step,
// or nothing when neither a key name nor a string was found (reported too).
std::optional<MacroStep> parseMacroType(QStringView arguments, int line, MacroReport& report);

// The stored name of a key a TYPE line may press ("BACKSPACE" -> "BS"), or an
// empty string for a word that is no key name.
QString macroKeyName(QStringView word);
