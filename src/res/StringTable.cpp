#include "StringTable.h"

#include <mutex>

namespace {

std::mutex sourceMutex;
std::shared_ptr<const ResourceSource> currentSource;

std::shared_ptr<const ResourceSource> activeSource() {
    static const auto builtin = std::make_shared<const BuiltinStrings>();
    std::lock_guard lock(sourceMutex);
    return currentSource ? currentSource : builtin;
}

bool isFlagChar(QChar c) {
    return c == u'-' || c == u'+' || c == u'0' || c == u' ' || c == u'#';
}

// A conversion specification found in a format string: its span and the
// flags, width and type letter that matter for one argument.
struct Spec {
    qsizetype start = -1;
    qsizetype end = -1;
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    QChar type;
};

// Finds the first specification whose type letter is one of `types`,
// stepping over "%%" and specifications of other types.
Spec findSpec(const QString& format, QStringView types) {
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (format[i] != u'%')
            continue;
        qsizetype j = i + 1;
        if (j < n && format[j] == u'%') {
            i = j;
            continue;
        }
        Spec spec;
        spec.start = i;
        while (j < n && isFlagChar(format[j])) {
            spec.leftAlign |= format[j] == u'-';
            spec.zeroPad |= format[j] == u'0';
            ++j;
        }
        while (j < n && format[j].isDigit() && spec.width < 1000) {
            spec.width = spec.width * 10 + format[j].digitValue();
            ++j;
        }
        while (j < n && (format[j] == u'l' || format[j] == u'h'))
            ++j;
        if (j >= n)
            return {};
        if (types.contains(format[j])) {
            spec.type = format[j];
            spec.end = j + 1;
            return spec;
        }
        i = j;
    }
    return {};
}

QString pad(QString text, const Spec& spec) {
    if (text.size() >= spec.width)
        return text;
    const qsizetype missing = spec.width - text.size();
    if (spec.leftAlign)
        return text + QString(missing, u' ');
    if (spec.zeroPad && spec.type != u's') {
        const qsizetype signLength = text.startsWith(u'-') ? 1 : 0;
        text.insert(signLength, QString(missing, u'0'));
        return text;
    }
    return QString(missing, u' ') + text;
}

} // namespace

namespace res {

std::optional<QString> loadString(uint32_t id) {
    return activeSource()->loadString(id);
}

QString loadString(uint32_t id, const QString& fallback) {
    return loadString(id).value_or(fallback);
}

void setResourceSource(std::shared_ptr<const ResourceSource> source) {
    std::lock_guard lock(sourceMutex);
    currentSource = std::move(source);
}

QString substitute(QString format, const QString& s) {
    const Spec spec = findSpec(format, u"sS");
    if (spec.start < 0)
        return format;
    return format.replace(spec.start, spec.end - spec.start, pad(s, spec));
}

QString substitute(QString format, int number) {
    const Spec spec = findSpec(format, u"diu");
    if (spec.start < 0)
        return format;
    return format.replace(spec.start, spec.end - spec.start, pad(QString::number(number), spec));
}

} // namespace res
