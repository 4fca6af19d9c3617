#include "DocumentFileDialog.h"

#include "QsdSelectFile.h"
#include "Settings.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

class QsdDocumentFileDialog : public DocumentFileDialog {
  public:
    QsdDocumentFileDialog(Settings& settings, MessageService& messages, const Clock& clock,
                          FileSystem& fileSystem, QsdCommonSettings* sharedCommon)
        : settings_(settings), messages_(messages), clock_(clock), fileSystem_(fileSystem),
          sharedCommon_(sharedCommon) {}

    std::optional<DocumentDialogResult> run(DocumentDialogRequest& request,
                                            QWidget* owner) override {
        // A buffer of this platform's PATH_MAX characters.
        std::vector<char16_t> buffer(4096, u'\0');
        const QString name = request.initialName.left(int(buffer.size()) - 1);
        std::copy(name.utf16(), name.utf16() + name.size(), buffer.begin());

        OPENFILENAMEW ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = request.filters;
        ofn.nFilterIndex = uint32_t(std::max(1, request.filterIndex));
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = uint32_t(buffer.size());
        ofn.lpstrInitialDir = request.initialFolder;
        ofn.lpstrTitle = request.title;
        ofn.Flags = request.ofnFlags;

        QsdCommonSettings ownCommon;
        if (!sharedCommon_)
            ownCommon.load(settings_);
        QsdCommonSettings& common = sharedCommon_ ? *sharedCommon_ : ownCommon;
        QsdServices services{fileSystem_, messages_, clock_, common};
        int codeIndex = request.codeIndex;
        int listStyle = request.listStyle;
        bool showFolders = request.showFolders;
        const int ok = QsdSelectFile(&ofn, request.selectFlags, request.codeLabel, request.codeList,
                                     &codeIndex, &listStyle, &showFolders, true, services);
        request.listStyle = listStyle;
        request.showFolders = showFolders;
        // Without a process-wide set, the options the user changed must not be lost.
        if (!sharedCommon_)
            ownCommon.save(settings_);
        if (ok != 1)
            return std::nullopt;
        DocumentDialogResult result;
        size_t length = 0;
        while (length < buffer.size() && buffer[length] != u'\0')
            ++length;
        result.path = QString::fromUtf16(buffer.data(), qsizetype(length));
        result.filterIndex = int(ofn.nFilterIndex);
        result.codeIndex = codeIndex;
        result.listStyle = listStyle;
        result.showFolders = showFolders;
        return result;
    }

  private:
    Settings& settings_;
    MessageService& messages_;
    const Clock& clock_;
    FileSystem& fileSystem_;
    QsdCommonSettings* sharedCommon_;
};

} // namespace

std::unique_ptr<DocumentFileDialog>
makeQsdDocumentFileDialog(Settings& settings, MessageService& messages, const Clock& clock,
                          FileSystem& fileSystem, QsdCommonSettings* sharedCommon) {
    return std::make_unique<QsdDocumentFileDialog>(settings, messages, clock, fileSystem,
                                                   sharedCommon);
}
