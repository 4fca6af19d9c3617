#include "MacroFiles.h"

#include "Clock.h"
#include "MacroFileDialog.h"
#include "MacroLoader.h"
#include "MacroWriter.h"
#include "MessageService.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace macrotext {

QString readError(const QString& path) {
    return QStringLiteral("マクロファイルの読み込みでエラーが発生しました。\n\n") + path;
}

QString writeError(const QString& path) {
    return QStringLiteral("マクロファイルの書き込み中にエラーが発生しました。\n\n") + path;
}

} // namespace macrotext

namespace {

const QString kCaption = QStringLiteral("Tavloテキストエディタ");

// The dialogs start on the macro file type: the list shows macro files, and a
// name typed without extension gets ".mcr" (the file select dialog has no
// default extension of its own).
constexpr int kMacroFileType = 1;

std::vector<MacroFileFilter> macroFilters() {
    return {{QStringLiteral("マクロファイル (*.mcr)"), QStringLiteral("*.mcr")},
            {QStringLiteral("すべてのファイル (*.*)"), QStringLiteral("*.*")}};
}

std::optional<QByteArray> readWholeFile(const QString& path) {
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

bool MacroLoad(Macro& macro, const std::optional<QString>& path,
               const MacroFileServices& services) {
    macro.clear();
    QString filePath;
    if (path) {
        filePath = *path;
    } else {
        if (!services.chooser)
            return false;
        MacroFileRequest request;
        request.mode = MacroFileMode::Open;
        request.folder = macro.lastFolder;
        request.title = QStringLiteral("マクロのロード");
        request.filters = macroFilters();
        request.flags = macrofile::OFN_FILEMUSTEXIST;
        request.filterIndex = kMacroFileType;
        const std::optional<QString> chosen = services.chooser->MacroFileDialog(request);
        if (!chosen)
            return false;
        filePath = *chosen;
        macro.lastFolder = macroFolderOf(filePath);
    }
    const std::optional<QByteArray> bytes = readWholeFile(filePath);
    if (!bytes) {
        services.messages.show(macrotext::readError(filePath), kCaption,
                               mb::MB_OK | mb::MB_ICONERROR, services.owner);
        return false;
    }
    parseMacroFile(macro, *bytes, services.locale);
    return true;
}

bool writeMacroFile(const Macro& macro, const QString& path, const QDate& date,
                    QString* errorString) {
    QSaveFile file(path);
    const QByteArray bytes = encodeMacroFile(macroFileText(macro, date));
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!ok && errorString)
        *errorString = file.errorString();
    return ok;
}

bool MacroSave(Macro& macro, const std::optional<QString>& path,
               const MacroFileServices& services) {
    QString filePath;
    if (path) {
        filePath = *path;
    } else {
        if (!services.chooser)
            return false;
        MacroFileRequest request;
        request.mode = MacroFileMode::Save;
        request.folder = macro.lastFolder;
        request.title = QStringLiteral("マクロを保存");
        request.filters = macroFilters();
        request.flags = macrofile::OFN_OVERWRITEPROMPT;
        request.filterIndex = kMacroFileType;
        request.fileName = proposedMacroFileName(macro.lastFolder);
        const std::optional<QString> chosen = services.chooser->MacroFileDialog(request);
        if (!chosen)
            return false;
        filePath = *chosen;
        macro.lastFolder = macroFolderOf(filePath);
    }
    if (!writeMacroFile(macro, filePath, services.clock.now().date())) {
        services.messages.show(macrotext::writeError(filePath), kCaption,
                               mb::MB_OK | mb::MB_ICONERROR, services.owner);
        return false;
    }
    return true;
}
