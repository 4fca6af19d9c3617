#pragma once

#include "Macro.h"

#include <QString>

// The values the step runner hands out with a step that the view performs:
// param, text 1 and text 2, derived from the stored step.
struct MacroStepValues {
    int param = 0;
    QString text1;
    QString text2;
};

MacroStepValues macroStepValues(const MacroStep& step);

// A stored OPEN or SAVE path as it is played: a leading double quote removed
// and then, if there was one, a trailing one; every pair of backslashes
// becomes one backslash.
QString macroPathValue(QStringView text);

// True when the player performs the two steps in the same way: the same
// command, modifiers and values. Stored texts may differ in ways that do not
// reach the edit control (a path with or without its quotes, the spelling of
// a LOCK keyword, a doubled final backslash).
bool macroStepsPlayAlike(const MacroStep& a, const MacroStep& b);
