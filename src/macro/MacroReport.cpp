#include "MacroReport.h"

#include "StringIds.h"
#include "StringTable.h"

QString macroMessage(uint32_t id) {
    return res::loadString(id, QString());
}

void MacroReport::append(const QString& text) {
    if (lines_ > kMaxLines)
        return;
    if (lines_++ == kMaxLines) {
        report_.append(res::substitute(
            res::loadString(sid::IDS_MACRO_TOO_MANY_ERRORS,
                            QStringLiteral("*** Too many errors: only the first %d are reported.")),
            kMaxLines));
        report_.append(u"\r\n");
        return;
    }
    report_.append(text);
    report_.append(u"\r\n");
}

void MacroReport::add(uint32_t id, int line) {
    append(res::substitute(macroMessage(id), line));
}

void MacroReport::add(uint32_t id, int line, const QString& text) {
    append(res::substitute(res::substitute(macroMessage(id), line), text));
}

void MacroReport::add(uint32_t id, int line, const QString& text1, const QString& text2) {
    append(res::substitute(res::substitute(res::substitute(macroMessage(id), line), text1), text2));
}

void MacroReport::addVersion(int major, int minor) {
    append(res::substitute(res::substitute(macroMessage(macromsg::NewerVersion), major), minor));
}
