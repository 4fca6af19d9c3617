#include "QsdIcons.h"

#include <QPixmap>
#include <array>

static void initFiledlgResources() {
    Q_INIT_RESOURCE(filedlg_icons);
}

namespace qsdicons {
namespace {
QIcon load(const QString& base) {
    static const bool once = (initFiledlgResources(), true);
    Q_UNUSED(once);
    QIcon icon;
    icon.addFile(u":/filedlg/icons/"_qs + base + u".png"_qs, QSize(16, 16));
    icon.addFile(u":/filedlg/icons/"_qs + base + u"@2x.png"_qs, QSize(32, 32));
    return icon;
}
} // namespace

QIcon fileIcon(int iconClass) {
    static std::array<QIcon, 14> icons;
    if (iconClass < 0 || iconClass > 13)
        iconClass = 12;
    if (icons[iconClass].isNull())
        icons[iconClass] = load(QString::asprintf("file%02d", iconClass));
    return icons[iconClass];
}

QIcon folderIcon() {
    return fileIcon(2);
}

QIcon openFolderIcon() {
    static const QIcon icon = load(u"folder_open"_qs);
    return icon;
}

QIcon deviceIcon() {
    static const QIcon icon = load(u"device"_qs);
    return icon;
}
} // namespace qsdicons
