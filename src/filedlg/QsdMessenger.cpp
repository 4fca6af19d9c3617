#include "QsdMessenger.h"

#include "FilePath.h"
#include "FileSystem.h"
#include "StringTable.h"

int QsdMessenger::show(const QString& text, uint32_t style) const {
    const QString caption = res::loadString(57344, u"Tavlo TextEditor"_qs);
    return service_.show(text, caption, style, owner_);
}

int QsdMessenger::show(const QString& text, const QString& path, uint32_t style) const {
    return show(res::substitute(text, shownPath(path)), style);
}

QString QsdMessenger::text(uint32_t id, const QString& fallback) {
    return res::loadString(id, fallback);
}

QString QsdMessenger::shownPath(const QString& path) {
    return filepath::withoutSlash(path);
}
