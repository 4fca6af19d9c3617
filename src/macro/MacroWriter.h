#pragma once

#include "Macro.h"

#include <QByteArray>
#include <QDate>
#include <QString>

// Merges runs of typed characters into strings when a recording stops: a
// quoted TYPE step (other than a lone "\n") takes in the quoted TYPE steps with
// the same modifiers that follow it, up to and including a "\n" step.
void MacroCoalesce(Macro& macro);

// The line the writer writes for a step, without its line break.
QString macroStepLine(const MacroStep& step);

// The comment header and the VERSION line that begin every written file.
QString macroFileHeader(const QDate& date);

// The whole text of a macro file: the header, then one line per step. Lines
// end in LF.
QString macroFileText(const Macro& macro, const QDate& date);

// The bytes on disk: the mark FF FE and the text in UTF-16 little endian, so
// that no character is lost and the loader reads it back.
QByteArray encodeMacroFile(const QString& text);

// "新規マクロ(%d).mcr" with the smallest number from 1 to 255 whose file does
// not exist yet in the folder (255 when all are taken).
QString proposedMacroFileName(const QString& folder);
