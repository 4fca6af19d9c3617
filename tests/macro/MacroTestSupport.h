#pragma once

#include "Macro.h"
#include "MacroLoader.h"

#include <QString>
#include <QStringList>

// Parses a macro text into a fresh macro.
inline Macro parseMacro(const QString& text) {
    Macro macro;
    parseMacroText(macro, text);
    return macro;
}

// The report as a list of lines, checking that every line ends in CR LF.
inline QStringList reportLines(const Macro& macro) {
    QString report = macro.report;
    if (report.isEmpty())
        return {};
    if (!report.endsWith(QStringLiteral("\r\n")))
        return {QStringLiteral("<report does not end in CR LF>")};
    report.chop(2);
    return report.split(QStringLiteral("\r\n"));
}

inline MacroStep makeStep(MacroCommand command, const QString& text = {}, int param = 0,
                          bool ctrl = false, bool shift = false, bool alt = false) {
    return MacroStep{command, text, param, ctrl, shift, alt};
}
