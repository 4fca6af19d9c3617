#include "FileTypeAssociation.h"

#include "Registry.h"
#include "StringTable.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <unistd.h>

namespace {

struct FileType {
    const char16_t* ext;
    const char16_t* type;
    const char16_t* alternativeType;
    // The name .ext gets back when no OldEntry was kept.
    const char16_t* givenBack;
    // Whether IsAssociated accepts the alternative name for this extension.
    bool alternativeCounts;
};

constexpr std::array<FileType, 7> kFileTypes{{
    {u".txt", u"TavloText", u"Tavlo Text", u"txtfile", true},
    {u".htm", u"TavloHtm", u"Tavlo Htm", u"htmlfile", true},
    {u".html", u"TavloHtml", u"Tavlo Html", u"htmlfile", false},
    {u".xml", u"TavloXml", u"Tavlo Xml", u"", false},
    {u".inf", u"TavloInf", u"Tavlo Inf", u"", true},
    {u".ini", u"TavloIni", u"Tavlo Ini", u"", true},
    {u".mcr", u"TavloMacro", u"Tavlo Macro", u"", true},
}};

constexpr uint32_t kExtensionListId = 35031; // ".txt;.htm;.html;.xml;.inf;.ini;.mcr"

const FileType* byExtension(const QString& ext) {
    for (const auto& ft : kFileTypes) {
        if (ext.compare(QStringView(ft.ext), Qt::CaseInsensitive) == 0)
            return &ft;
    }
    return nullptr;
}

const FileType* byTypeName(const QString& type) {
    for (const auto& ft : kFileTypes) {
        if (type.compare(QStringView(ft.type), Qt::CaseInsensitive) == 0)
            return &ft;
    }
    return nullptr;
}

bool sameText(const QString& a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString commandKeyOf(const QString& type) {
    return type + QStringLiteral("\\shell\\open\\command");
}

// This file system tells case apart, so two spellings of a program path name
// the same program only when they lead to the same file.
bool sameProgram(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

FileTypeAssociation::FileTypeAssociation(Registry& registry, QString programPath)
    : registry_(registry),
      programPath_(programPath.isEmpty() ? currentProgramPath() : std::move(programPath)) {}

QString FileTypeAssociation::currentProgramPath() {
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || n >= buffer.size())
        return QString();
    return QFile::decodeName(buffer.left(n));
}

QString FileTypeAssociation::commandFor(const QString& programPath) {
    return QStringLiteral("\"%1\" \"%2\"").arg(programPath, QStringLiteral("%1"));
}

QString FileTypeAssociation::iconEntryFor(const QString& programPath) {
    return programPath + QStringLiteral(",-") + QString::number(kDocumentIconId);
}

QString FileTypeAssociation::fileTypeNameFor(const QString& ext) {
    const FileType* ft = byExtension(ext);
    return ft ? QString::fromUtf16(ft->type) : QString();
}

QString FileTypeAssociation::alternativeTypeName(const QString& type) {
    const FileType* ft = byTypeName(type);
    return ft ? QString::fromUtf16(ft->alternativeType) : QString();
}

std::optional<QString> FileTypeAssociation::defaultValue(const QString& keyPath,
                                                         uint32_t maxBytes) {
    RegKey key;
    if (registry_.RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath, &key) != reg::ERROR_SUCCESS)
        return std::nullopt;
    auto value = registry_.queryString(key, QString(), maxBytes);
    registry_.RegCloseKey(key);
    return value;
}

bool FileTypeAssociation::setDefaultValue(const QString& keyPath, const QString& value) {
    RegKey key;
    if (registry_.RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath, &key) != reg::ERROR_SUCCESS)
        return false;
    const bool ok = registry_.setString(key, QString(), value) == reg::ERROR_SUCCESS;
    registry_.RegCloseKey(key);
    return ok;
}

bool FileTypeAssociation::keyExists(const QString& keyPath) {
    RegKey key;
    if (registry_.RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath, &key) != reg::ERROR_SUCCESS)
        return false;
    registry_.RegCloseKey(key);
    return true;
}

bool FileTypeAssociation::Register(const QString& ext, const QString& type,
                                   const QString& displayName) {
    if (!ext.startsWith(u'.') || type.isEmpty())
        return false;

    RegKey extKey;
    uint32_t disposition = 0;
    if (registry_.RegCreateKeyEx(HKEY_CLASSES_ROOT, ext, &extKey, &disposition) !=
        reg::ERROR_SUCCESS)
        return false;
    QString oldEntry;
    if (disposition == reg::REG_OPENED_EXISTING_KEY)
        oldEntry = registry_.queryString(extKey, QString(), 520).value_or(QString());
    const bool extWritten = registry_.setString(extKey, QString(), type) == reg::ERROR_SUCCESS;
    registry_.RegCloseKey(extKey);
    if (!extWritten)
        return false;

    bool ok = setDefaultValue(type, displayName);
    ok = setDefaultValue(commandKeyOf(type), commandFor(programPath_)) && ok;
    ok = setDefaultValue(type + QStringLiteral("\\DefaultIcon"), iconEntryFor(programPath_)) && ok;
    // Registering again while the extension already names us must not record
    // ourselves as the previous owner, or unregistering could never give the
    // extension back.
    const bool isOurOwn =
        sameText(oldEntry, type) ||
        (!alternativeTypeName(type).isEmpty() && sameText(oldEntry, alternativeTypeName(type)));
    if (!oldEntry.isEmpty() && !isOurOwn)
        ok = setDefaultValue(type + QStringLiteral("\\OldEntry"), oldEntry) && ok;
    return ok;
}

bool FileTypeAssociation::Register(uint32_t extId, uint32_t typeId, uint32_t displayNameId) {
    const auto ext = res::loadString(extId);
    const auto type = res::loadString(typeId);
    const auto display = res::loadString(displayNameId);
    if (!ext || !type || !display)
        return false;
    return Register(*ext, *type, *display);
}

bool FileTypeAssociation::Unregister(const QString& ext, const QString& type) {
    if (!keyExists(ext))
        return false;
    QString usedType = type;
    if (!keyExists(type)) {
        const FileType* ft = byTypeName(type);
        if (!ft)
            return false;
        const QString alternative = QString::fromUtf16(ft->alternativeType);
        if (keyExists(alternative))
            usedType = alternative;
    }

    const auto current = defaultValue(ext, 256);
    if (!current)
        return false;
    if (!sameText(*current, usedType))
        return true;

    QString giveBack =
        defaultValue(usedType + QStringLiteral("\\OldEntry"), 256).value_or(QString());
    if (giveBack.isEmpty()) {
        if (const FileType* ft = byExtension(ext))
            giveBack = QString::fromUtf16(ft->givenBack);
    }
    return setDefaultValue(ext, giveBack);
}

bool FileTypeAssociation::Unregister(uint32_t extId, uint32_t typeId) {
    const auto ext = res::loadString(extId);
    const auto type = res::loadString(typeId);
    if (!ext || !type)
        return false;
    return Unregister(*ext, *type);
}

bool FileTypeAssociation::IsAssociated(const QString& ext, const QString& type, bool checkCommand) {
    const auto current = defaultValue(ext, 1040);
    if (!current)
        return false;
    const FileType* ft = byExtension(ext);
    const bool viaAlternative =
        ft && ft->alternativeCounts && sameText(*current, QStringView(ft->alternativeType));
    if (!sameText(*current, type) && !viaAlternative)
        return false;
    if (!checkCommand)
        return true;

    const QString keyType = viaAlternative ? QString::fromUtf16(ft->alternativeType) : type;
    const auto command = defaultValue(commandKeyOf(keyType), 0xFFFFFFFFu);
    if (!command || programPath_.isEmpty())
        return false;
    QStringView rest(*command);
    if (rest.startsWith(u'"'))
        rest = rest.mid(1);
    if (!rest.startsWith(programPath_))
        return false;
    // The program path must end there: "/usr/bin/tavlo" does not name
    // "/usr/bin/tavlo-cli".
    const QStringView after = rest.mid(programPath_.size());
    return after.isEmpty() || after.front() == u'"' || after.front() == u' ';
}

int FileTypeAssociation::CheckOne(const QString& ext, const QString& programPath) {
    const QString type = fileTypeNameFor(ext);
    if (type.isEmpty())
        return CheckFine;
    const auto current = defaultValue(ext, 1040);
    if (!current || !sameText(*current, type))
        return CheckFine;
    const auto command = defaultValue(commandKeyOf(type), 0xFFFFFFFFu);
    if (!command)
        return CheckFine;

    QString program;
    if (command->startsWith(u'"')) {
        const qsizetype close = command->indexOf(u'"', 1);
        if (close < 0)
            return CheckFine;
        program = command->mid(1, close - 1);
    } else {
        const qsizetype blank = command->indexOf(u' ');
        if (blank < 0)
            return CheckFine;
        program = command->left(blank);
    }
    if (sameProgram(program, programPath))
        return CheckFine;
    return QFileInfo::exists(program) ? CheckOtherProgram : CheckMissingProgram;
}

QStringList FileTypeAssociation::checkedExtensions() const {
    const auto list = res::loadString(kExtensionListId);
    if (!list)
        return {};
    return list->split(u';', Qt::SkipEmptyParts);
}

int FileTypeAssociation::CheckAll() {
    int worst = CheckFine;
    for (const QString& ext : checkedExtensions()) {
        const int result = CheckOne(ext, programPath_);
        if (result == CheckOtherProgram)
            return CheckOtherProgram;
        if (result == CheckMissingProgram)
            worst = CheckMissingProgram;
    }
    return worst;
}

bool FileTypeAssociation::RepairCommand(const QString& ext, const QString& programPath) {
    const QString type = fileTypeNameFor(ext);
    if (type.isEmpty())
        return true;
    bool ok = true;
    RegKey key;
    if (registry_.RegOpenKeyEx(HKEY_CLASSES_ROOT, commandKeyOf(type), &key) == reg::ERROR_SUCCESS) {
        ok = registry_.setString(key, QString(), commandFor(programPath)) == reg::ERROR_SUCCESS;
        registry_.RegCloseKey(key);
    }
    if (registry_.RegOpenKeyEx(HKEY_CLASSES_ROOT, type + QStringLiteral("\\DefaultIcon"), &key) ==
        reg::ERROR_SUCCESS) {
        ok = registry_.setString(key, QString(), iconEntryFor(programPath)) == reg::ERROR_SUCCESS &&
             ok;
        registry_.RegCloseKey(key);
    }
    return ok;
}

bool FileTypeAssociation::RepairAll() {
    const QStringList extensions = checkedExtensions();
    if (extensions.isEmpty() || programPath_.isEmpty())
        return false;
    bool ok = true;
    for (const QString& ext : extensions)
        ok = RepairCommand(ext, programPath_) && ok;
    return ok;
}
