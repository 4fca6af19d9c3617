#include "InsertStrings.h"

#include "Settings.h"

namespace insertstrings {

InsertStringEntry parse(const QString& stored, int index) {
    static const char16_t kKeys[] = {u'H', u'J', u'K', u'L'};
    InsertStringEntry e;
    e.ctrl = true;
    e.shift = index >= 4;
    e.key = QChar(kKeys[index % 4]);
    const qsizetype tab = stored.indexOf(u'\t');
    if (tab < 0) {
        e.insertText = stored;
    } else {
        e.hasEndText = true;
        e.insertText = stored.left(tab);
        e.endText = stored.mid(tab + 1);
    }
    return e;
}

std::vector<InsertStringEntry> load(const Settings& settings) {
    std::vector<InsertStringEntry> entries;
    entries.reserve(kCount);
    for (int i = 0; i < kCount; ++i)
        entries.push_back(
            parse(settings.getString(QStringLiteral("INS_KEY_VALUE%1").arg(i + 1)), i));
    return entries;
}

QString menuLabel(const InsertStringEntry& entry, int index, bool recentPlatform) {
    QString label = entry.insertText + entry.endText;
    if (label.isEmpty())
        return label;
    if (!recentPlatform) {
        label += QStringLiteral("\tCtrl");
        if (index >= 4)
            label += QStringLiteral("+Shift");
        label += u'+';
        label += entry.key;
    }
    return label;
}

QString recordedText(const InsertStringEntry& entry) {
    return entry.hasEndText ? entry.insertText + u'\t' + entry.endText : entry.insertText;
}

} // namespace insertstrings
