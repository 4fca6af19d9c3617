#pragma once

#include "Macro.h"

#include <QByteArrayView>
#include <QStringView>

class Locale;

// Reads the text of a macro file into the macro: every logical line is
// checked on its own, accepted lines append steps, problems become report
// lines. When a line set has error, all steps are removed at the end. The
// caller clears the macro first.
void parseMacroText(Macro& macro, QStringView text);

// Decodes the bytes of a macro file and parses them (see parseMacroText).
void parseMacroFile(Macro& macro, QByteArrayView bytes, const Locale& locale);
