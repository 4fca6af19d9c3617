#include "CharSetNames.h"

#include "StringTable.h"

namespace {

constexpr uint32_t kFirstLabelId = 35089; // "(自動判定)", then ids 1-8 in order
constexpr uint32_t kNativeAnsiLabelId = 35098;
constexpr uint32_t kJapaneseList[] = {35098, 35093, 35094, 35091, 35092, 35095, 35096};
constexpr uint32_t kShortList[] = {35090, 35093, 35094, 35091, 35092};

} // namespace

uint32_t charSetLabelId(CharSetId id) {
    return id >= 0 && id <= 8 ? kFirstLabelId + static_cast<uint32_t>(id) : 0;
}

QStringList SplitCharCodeList(QStringView list) {
    QStringList items;
    while (!list.isEmpty()) {
        const qsizetype bar = list.indexOf(u'|');
        if (bar < 0) {
            items.append(list.trimmed().toString());
            break;
        }
        items.append(list.left(bar).trimmed().toString());
        list = list.mid(bar + 1);
    }
    return items;
}

CharSetId GetCharCodeFromName(const QString& label) {
    for (CharSetId id = 0; id <= 8; ++id) {
        const std::optional<QString> text = res::loadString(charSetLabelId(id));
        if (text && text->trimmed() == label)
            return id;
    }
    if (label == u"(Auto Detect)")
        return charset::AUTO_DETECT;
    if (label == u"ANSI")
        return charset::ANSI;
    const std::optional<QString> native = res::loadString(kNativeAnsiLabelId);
    if (native && *native == label)
        return charset::ANSI;
    return charset::NOT_FOUND;
}

QString GetCharCodeSetList(bool withAutoDetect, bool japaneseList) {
    QString list;
    if (withAutoDetect)
        list += res::loadString(kFirstLabelId).value_or(QString()) + u'|';
    auto append = [&](uint32_t id) {
        const std::optional<QString> text = res::loadString(id);
        if (text && !text->isEmpty())
            list += *text + u'|';
    };
    if (japaneseList)
        for (uint32_t id : kJapaneseList)
            append(id);
    else
        for (uint32_t id : kShortList)
            append(id);
    list += u'|';
    return list;
}
