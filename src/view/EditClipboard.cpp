#include "EditClipboard.h"

#include <QMimeData>

namespace editclipboard {
namespace {
const QString kExactTextMime = QStringLiteral("application/x-tavlo-edit-text");

QByteArray utf16Bytes(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

QString fromUtf16Bytes(const QByteArray& bytes) {
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// Text from another program: any of CR LF, CR and LF is a line break.
QString normalizeForeignText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}
} // namespace

QMimeData* mimeDataFor(const QString& text) {
    auto* data = new QMimeData;
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    data->setText(plain);
    data->setData(kExactTextMime, utf16Bytes(text));
    return data;
}

bool canRead(const QMimeData* source) {
    return source && (source->hasFormat(kExactTextMime) || source->hasText());
}

std::optional<QString> textOf(const QMimeData* source) {
    if (!source)
        return std::nullopt;
    if (source->hasFormat(kExactTextMime))
        return fromUtf16Bytes(source->data(kExactTextMime));
    if (source->hasText())
        return normalizeForeignText(source->text());
    return std::nullopt;
}

} // namespace editclipboard
