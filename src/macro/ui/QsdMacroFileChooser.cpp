#include "QsdMacroFileChooser.h"

#include "CQSDFileDialog.h"
#include "MacroSettings.h"
#include "QsdSelectFile.h"
#include "Settings.h"

#include <algorithm>
#include <vector>

namespace {

// The platform's PATH_MAX, in place of the device's 260 characters.
constexpr size_t kFileBufferSize = 4096;

QString filterText(const std::vector<MacroFileFilter>& filters) {
    QString text;
    for (const MacroFileFilter& filter : filters)
        text += filter.name + u'|' + filter.pattern + u'|';
    return text + u'|';
}

} // namespace

QsdMacroFileChooser::QsdMacroFileChooser(Settings& settings, QsdServices& services, QWidget* owner)
    : settings_(settings), services_(services), owner_(owner),
      run_([](CQSDFileDialog& dialog) { return dialog.exec(); }) {}

std::optional<QString> QsdMacroFileChooser::MacroFileDialog(MacroFileRequest& request) {
    std::vector<char16_t> buffer(kFileBufferSize, u'\0');
    if (request.mode == MacroFileMode::Save) {
        const QString name = request.fileName.left(qsizetype(buffer.size()) - 1);
        std::copy(name.utf16(), name.utf16() + name.size(), buffer.begin());
    }

    OPENFILENAMEW ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filterText(macroFileDialogFilters(request));
    ofn.nFilterIndex = uint32_t(std::max(0, request.filterIndex));
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = uint32_t(buffer.size());
    ofn.lpstrInitialDir = request.folder;
    ofn.lpstrTitle = macroFileDialogTitle(request);
    ofn.Flags = request.flags;

    uint32_t flags = macroFileSelectFlags(settings_, request.mode);
    if (settings_.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")) == 0)
        flags &= ~qsd::SHOW_FOLDERS;
    int listStyle = settings_.getInt(QStringLiteral("FILE_LIST_STYLE"));
    bool showFolders = flags & qsd::SHOW_FOLDERS;
    const int ok = QsdSelectFileWith(&ofn, flags, QString(), QString(), nullptr, &listStyle,
                                     &showFolders, true, services_, run_);
    settings_.writeInt(QStringLiteral("FILE_LIST_STYLE"), listStyle);
    settings_.writeInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST"), showFolders ? 1 : 0);
    if (ok != 1)
        return std::nullopt;
    request.filterIndex = int(ofn.nFilterIndex);
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return QString::fromUtf16(buffer.data(), qsizetype(end - buffer.begin()));
}
