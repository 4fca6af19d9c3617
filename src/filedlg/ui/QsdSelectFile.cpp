#include "QsdSelectFile.h"

#include "CQSDFileDialog.h"

#include <QWidget>

int QsdSelectFile(OPENFILENAMEW* ofn, uint32_t flags, const QString& optionLabel,
                  const QString& optionList, int* optionIndex, int* listStyle, bool* showFolders,
                  bool commonMode, QsdServices& services) {
    return QsdSelectFileWith(ofn, flags, optionLabel, optionList, optionIndex, listStyle,
                             showFolders, commonMode, services,
                             [](CQSDFileDialog& dialog) { return dialog.exec(); });
}

int QsdSelectFileWith(OPENFILENAMEW* ofn, uint32_t flags, const QString& optionLabel,
                      const QString& optionList, int* optionIndex, int* listStyle,
                      bool* showFolders, bool commonMode, QsdServices& services,
                      const std::function<int(CQSDFileDialog&)>& run) {
    if (!ofn)
        return 0;
    auto* mainWindow = static_cast<QWidget*>(ofn->hwndOwner);
    QString savedCaption;
    const bool captionTitle = (flags & qsd::TITLE_IN_CAPTION) && !(flags & qsd::NO_TITLE) &&
                              !ofn->lpstrTitle.isEmpty() && mainWindow;
    if (captionTitle) {
        savedCaption = mainWindow->windowTitle();
        mainWindow->setWindowTitle(ofn->lpstrTitle);
    }
    int result = 0;
    {
        CQSDFileDialog dialog(services, mainWindow);
        dialog.flags = flags;
        dialog.commonMode = commonMode;
        dialog.initialDir = ofn->lpstrInitialDir;
        dialog.filterText = ofn->lpstrFilter;
        dialog.title = ofn->lpstrTitle;
        dialog.initialName = qsdlogic::initialName(*ofn);
        dialog.filterIndex = ofn->nFilterIndex;
        dialog.ofnFlags = ofn->Flags;
        if (optionIndex && !optionList.isEmpty()) {
            dialog.optionList = optionList;
            dialog.optionIndex = *optionIndex;
            dialog.optionLabel = optionLabel;
        }
        if (listStyle)
            dialog.listStyle = *listStyle;
        dialog.initialize();
        if (run(dialog) == QDialog::Accepted) {
            if (qsdlogic::writeFileResult(*ofn, dialog.resultFolder(), dialog.resultNames())) {
                ofn->nFilterIndex = dialog.filterIndex;
                if (optionIndex && !optionList.isEmpty())
                    *optionIndex = dialog.optionIndex;
                result = 1;
            }
        }
        if (listStyle)
            *listStyle = dialog.listStyle;
        if (showFolders)
            *showFolders = dialog.showFolders();
    }
    if (captionTitle)
        mainWindow->setWindowTitle(savedCaption);
    return result;
}
