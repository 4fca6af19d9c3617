#include "DesktopAssociation.h"

#include "Registry.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
constexpr int kXdgMimeTimeoutMs = 30000;
const QString kDefaultGroup = QStringLiteral("[Default Applications]");

QString oldEntryKey(const QString& type) {
    return type + QStringLiteral("\\DesktopOldEntry");
}

QString dirFrom(const QProcessEnvironment& env, const QString& name, const QString& homeRelative) {
    const QString dir = env.value(name);
    if (!dir.isEmpty())
        return dir;
    return env.value(QStringLiteral("HOME"), QDir::homePath()) + homeRelative;
}

// The group a line of a desktop INI file opens, or nothing for other lines.
bool isGroupLine(const QString& line) {
    return line.startsWith(u'[');
}
} // namespace

DesktopAssociation::DesktopAssociation(Registry& registry)
    : DesktopAssociation(registry, Options{}) {}

DesktopAssociation::DesktopAssociation(Registry& registry, Options options)
    : registry_(registry), options_(std::move(options)) {}

QString DesktopAssociation::xdgMimePath() const {
    if (!options_.xdgMime.isEmpty())
        return QFileInfo(options_.xdgMime).isExecutable() ? options_.xdgMime : QString();
    const QStringList path = options_.environment.value(QStringLiteral("PATH")).split(u':');
    return QStandardPaths::findExecutable(QStringLiteral("xdg-mime"), path);
}

bool DesktopAssociation::desktopEntryInstalled() const {
    const QProcessEnvironment& env = options_.environment;
    QStringList dirs{
        dirFrom(env, QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/.local/share"))};
    QString system = env.value(QStringLiteral("XDG_DATA_DIRS"));
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    dirs += system.split(u':', Qt::SkipEmptyParts);
    for (const QString& dir : dirs)
        if (QFileInfo::exists(dir + QStringLiteral("/applications/") + options_.desktopEntry))
            return true;
    return false;
}

QString DesktopAssociation::unavailableReason() const {
    if (xdgMimePath().isEmpty())
        return res::loadString(sid::IDS_XDG_MIME_MISSING, {});
    if (!desktopEntryInstalled())
        return res::substitute(res::loadString(sid::IDS_DESKTOP_ENTRY_MISSING, {}),
                               options_.desktopEntry);
    return QString();
}

QString DesktopAssociation::mimeTypeFor(const QString& ext) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + ext,
                                                           QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name() : QString();
}

QString DesktopAssociation::mimeAppsListPath() const {
    return dirFrom(options_.environment, QStringLiteral("XDG_CONFIG_HOME"),
                   QStringLiteral("/.config")) +
           QStringLiteral("/mimeapps.list");
}

QString DesktopAssociation::userDefault(const QString& mimeType) const {
    QFile file(mimeAppsListPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString prefix = mimeType + u'=';
    bool inDefaults = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (isGroupLine(line))
            inDefaults = line == kDefaultGroup;
        else if (inDefaults && line.startsWith(prefix))
            return line.mid(prefix.size()).section(u';', 0, 0).trimmed();
    }
    return QString();
}

bool DesktopAssociation::runXdgMime(const QString& entry, const QString& mimeType) const {
    const QString program = xdgMimePath();
    if (program.isEmpty())
        return false;
    QProcess process;
    process.setProcessEnvironment(options_.environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {QStringLiteral("default"), entry, mimeType});
    if (!process.waitForFinished(kXdgMimeTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool DesktopAssociation::associate(const QString& ext, const QString& type) {
    const QString mimeType = mimeTypeFor(ext);
    if (mimeType.isEmpty())
        return true;
    const QString previous = userDefault(mimeType);
    if (previous != options_.desktopEntry) {
        RegKey key;
        if (registry_.RegCreateKeyEx(HKEY_CLASSES_ROOT, oldEntryKey(type), &key) !=
                reg::ERROR_SUCCESS ||
            registry_.setString(key, mimeType, previous) != reg::ERROR_SUCCESS)
            return false;
    }
    return runXdgMime(options_.desktopEntry, mimeType);
}

bool DesktopAssociation::dissociate(const QString& ext, const QString& type) {
    const QString mimeType = mimeTypeFor(ext);
    if (mimeType.isEmpty() || userDefault(mimeType) != options_.desktopEntry)
        return true; // not ours (any more): the user's later choice stays
    RegKey key;
    QString previous;
    if (registry_.RegOpenKeyEx(HKEY_CLASSES_ROOT, oldEntryKey(type), &key) == reg::ERROR_SUCCESS)
        previous = registry_.queryString(key, mimeType).value_or(QString());
    const bool ok =
        previous.isEmpty() ? removeUserDefault(mimeType) : runXdgMime(previous, mimeType);
    if (ok && key.isValid())
        registry_.RegDeleteValue(key, mimeType);
    return ok;
}

// xdg-mime can set a default but not take one away, so the line it wrote is
// removed here; the rest of the file stays byte for byte.
bool DesktopAssociation::removeUserDefault(const QString& mimeType) const {
    QFile file(mimeAppsListPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QString prefix = mimeType + u'=';
    QByteArray kept;
    bool inDefaults = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (isGroupLine(line))
            inDefaults = line == kDefaultGroup;
        else if (inDefaults && line.startsWith(prefix)) {
            QStringList apps = line.mid(prefix.size()).split(u';', Qt::SkipEmptyParts);
            apps.removeAll(options_.desktopEntry);
            if (apps.isEmpty())
                continue;
            kept += (prefix + apps.join(u';') + u';').toUtf8();
            kept += '\n';
            continue;
        }
        kept += lines[i];
        if (i + 1 < lines.size())
            kept += '\n';
    }
    QSaveFile out(mimeAppsListPath());
    return out.open(QIODevice::WriteOnly) && out.write(kept) == kept.size() && out.commit();
}
