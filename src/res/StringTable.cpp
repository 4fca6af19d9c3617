#include "ResourceSources.h"

#include <mutex>

namespace {

std::mutex sourceMutex;
std::shared_ptr<const ResourceSource> currentSource;
uint64_t generation = 0;
uint64_t generationCounter = 0;

std::shared_ptr<const ResourceSource> activeSource() {
    static const auto builtin = std::make_shared<const BuiltinStrings>();
    std::lock_guard lock(sourceMutex);
    return currentSource ? currentSource : builtin;
}

bool isFlagChar(QChar c) {
    return c == u'-' || c == u'+' || c == u'0' || c == u' ' || c == u'#';
}

// A conversion conversion field found in a format string: its span and the
// flags, width and type letter that matter for one argument.
struct FormatField {
    qsizetype start = -1;
    qsizetype end = -1;
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    QChar type;
};

// Finds the first conversion field whose type letter is one of `types`,
// stepping over "%%" and conversion fields of other types.
FormatField findField(const QString& format, QStringView types) {
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (format[i] != u'%')
            continue;
        qsizetype j = i + 1;
        if (j < n && format[j] == u'%') {
            i = j;
            continue;
        }
        FormatField field;
        field.start = i;
        while (j < n && isFlagChar(format[j])) {
            field.leftAlign |= format[j] == u'-';
            field.zeroPad |= format[j] == u'0';
            ++j;
        }
        while (j < n && format[j].isDigit() && field.width < 1000) {
            field.width = field.width * 10 + format[j].digitValue();
            ++j;
        }
        while (j < n && (format[j] == u'l' || format[j] == u'h'))
            ++j;
        if (j >= n)
            return {};
        if (types.contains(format[j])) {
            field.type = format[j];
            field.end = j + 1;
            return field;
        }
        i = j;
    }
    return {};
}

QString pad(QString text, const FormatField& field) {
    if (text.size() >= field.width)
        return text;
    const qsizetype missing = field.width - text.size();
    if (field.leftAlign)
        return text + QString(missing, u' ');
    if (field.zeroPad && field.type != u's') {
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
    generation = currentSource ? ++generationCounter : 0;
}

std::shared_ptr<const ResourceSource> resourceSource() {
    return activeSource();
}

uint64_t resourceGeneration() {
    std::lock_guard lock(sourceMutex);
    return generation;
}

QString substitute(QString format, const QString& s) {
    const FormatField field = findField(format, u"sS");
    if (field.start < 0)
        return format;
    return format.replace(field.start, field.end - field.start, pad(s, field));
}

QString substitute(QString format, int number) {
    const FormatField field = findField(format, u"diu");
    if (field.start < 0)
        return format;
    return format.replace(field.start, field.end - field.start, pad(QString::number(number), field));
}

} // namespace res
