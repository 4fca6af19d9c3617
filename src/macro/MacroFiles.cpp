#include "MacroFiles.h"

#include "Clock.h"
#include "MacroFileDialog.h"
#include "MacroLoader.h"
#include "MacroWriter.h"
#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextFileIO.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace macrotext {

QString readError(const QString& path) {
    return res::substitute(res::loadString(sid::IDS_MACRO_READ_ERROR, {}), path);
}

QString writeError(const QString& path) {
    return res::substitute(res::loadString(sid::IDS_MACRO_WRITE_ERROR, {}), path);
}

} // namespace macrotext

namespace {

QString caption() {
    return res::loadString(sid::AFX_IDS_APP_TITLE, {});
}

// The dialogs start on the macro file type: the list shows macro files, and a
// name typed without extension gets ".mcr" (the file select dialog has no
// default extension of its own).
constexpr int kMacroFileType = 1;

std::vector<MacroFileFilter> macroFilters() {
    return {{res::loadString(sid::IDS_MACRO_FILTER_MACROS, {}), QStringLiteral("*.mcr")},
            {res::loadString(sid::IDS_MACRO_FILTER_ALL, {}), QStringLiteral("*.*")}};
}

// A pipe or a device is refused before it is opened (it could block the
// editor for good), and so is a file too large to load.
std::optional<QByteArray> readWholeFile(const QString& path) {
    textfile::ReadResult read = textfile::readAll(path);
    if (read.status != textfile::ReadStatus::Ok)
        return std::nullopt;
    return std::move(read.bytes);
}

// The file named by path, else the one the user picks in the macro file
// dialog, whose folder becomes the macro's last folder; nullopt when there is
// no dialog to ask or the user cancels it.
std::optional<QString> macroFilePath(Macro& macro, const std::optional<QString>& path,
                                     const MacroFileServices& services, MacroFileMode mode) {
    if (path)
        return *path;
    if (!services.chooser)
        return std::nullopt;
    const bool save = mode == MacroFileMode::Save;
    MacroFileRequest request;
    request.mode = mode;
    request.folder = macro.lastFolder;
    request.title = save ? res::loadString(sid::IDS_MACRO_SAVE_TITLE, {})
                         : res::loadString(sid::IDS_MACRO_LOAD_TITLE, {});
    request.filters = macroFilters();
    request.flags = save ? macrofile::OFN_OVERWRITEPROMPT : macrofile::OFN_FILEMUSTEXIST;
    request.filterIndex = kMacroFileType;
    if (save)
        request.fileName = proposedMacroFileName(macro.lastFolder);
    std::optional<QString> chosen = services.chooser->MacroFileDialog(request);
    if (chosen)
        macro.lastFolder = macroFolderOf(*chosen);
    return chosen;
}

} // namespace

bool MacroLoad(Macro& macro, const std::optional<QString>& path,
               const MacroFileServices& services) {
    macro.clear();
    const std::optional<QString> filePath =
        macroFilePath(macro, path, services, MacroFileMode::Open);
    if (!filePath)
        return false;
    try {
        const std::optional<QByteArray> bytes = readWholeFile(*filePath);
        if (!bytes) {
            services.messages.show(macrotext::readError(*filePath), caption(),
                                   mb::MB_OK | mb::MB_ICONERROR, services.owner);
            return false;
        }
        parseMacroFile(macro, *bytes, services.locale);
    } catch (const std::bad_alloc&) {
        macro.clear();
        services.messages.show(
            res::loadString(40000, QStringLiteral("メモリー不足が発生しました。")), caption(),
            mb::MB_OK | mb::MB_ICONERROR, services.owner);
        return false;
    }
    macro.sourceFolder = macroFolderOf(QFileInfo(*filePath).absoluteFilePath());
    return true;
}

bool writeMacroFile(const Macro& macro, const QString& path, const QDate& date,
                    QString* errorString) {
    // The path may carry bytes that are not UTF-8; the text library's save
    // keeps them, and the file's attributes and links too.
    return textfile::writeAtomically(path, encodeMacroFile(macroFileText(macro, date)),
                                     errorString);
}

bool MacroSave(Macro& macro, const std::optional<QString>& path,
               const MacroFileServices& services) {
    const std::optional<QString> filePath =
        macroFilePath(macro, path, services, MacroFileMode::Save);
    if (!filePath)
        return false;
    if (!writeMacroFile(macro, *filePath, services.clock.now().date())) {
        services.messages.show(macrotext::writeError(*filePath), caption(),
                               mb::MB_OK | mb::MB_ICONERROR, services.owner);
        return false;
    }
    return true;
}
