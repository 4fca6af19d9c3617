#include "QsdDialogLayout.h"

#include "QsdTypes.h"

#include <algorithm>

namespace qsdlayout {

namespace {

bool titleShown(uint32_t flags) {
    return !(flags & (qsd::NO_TITLE | qsd::TITLE_IN_CAPTION));
}

bool optionShown(const QsdLayoutInput& in) {
    return (in.flags & qsd::SHOW_OPTION) && in.hasOptions;
}

bool buttonsShown(uint32_t flags) {
    return flags & (qsd::SHOW_OK | qsd::SHOW_CANCEL);
}

// The space the title line and the three rows take from the top.
int headerHeight(const QsdLayoutInput& in) {
    int y = kMargin;
    if (titleShown(in.flags))
        y += in.titleHeight + 2 + 2 + kMargin;
    if (!(in.flags & qsd::HIDE_NAME))
        y += in.nameHeight + kMargin;
    if (!(in.flags & qsd::HIDE_TYPE))
        y += in.typeHeight + kMargin;
    if (optionShown(in))
        y += in.optionHeight + kMargin;
    return y;
}

int footerHeight(const QsdLayoutInput& in) {
    return in.softKeyHeight + kMargin + (buttonsShown(in.flags) ? in.buttonHeight + kMargin : 0);
}

void placePanes(const QsdLayoutInput& in, const QRect& area, QsdLayout& out) {
    const bool treeShown = !(in.flags & qsd::HIDE_TREE);
    const bool listShown = !(in.flags & qsd::HIDE_LIST);
    if (treeShown != listShown) {
        (treeShown ? out.tree : out.list) = area;
        return;
    }
    if (!treeShown)
        return;
    const bool sideBySide =
        (in.flags & qsd::SIDE_BY_SIDE) ||
        ((in.flags & qsd::SIDE_BY_SIDE_WIDE) && 9 * area.height() < 4 * area.width());
    if (sideBySide) {
        // A zoomed pane gets two thirds of the width.
        const int total = area.width() - kMargin;
        int treeWidth = total / 2;
        if (in.zoomedPane != 0)
            treeWidth = in.zoomedPane == 1 ? total - total / 3 : total / 3;
        out.tree = QRect(area.left(), area.top(), treeWidth, area.height());
        out.list = QRect(area.left() + treeWidth + kMargin, area.top(),
                         std::max(total - treeWidth, 0), area.height());
        return;
    }
    // Stacked, a zoomed pane gets three quarters of the height.
    const int total = area.height() - 1;
    int treeHeight = total / 2;
    if (in.zoomedPane != 0)
        treeHeight = in.zoomedPane == 1 ? total * 3 / 4 : total / 4;
    out.tree = QRect(area.left(), area.top(), area.width(), std::max(treeHeight, 0));
    out.list = QRect(area.left(), area.top() + treeHeight + kMargin, area.width(),
                     std::max(total - treeHeight - kMargin, 0));
}

// The labels' column: room for the widest label and a gap after it.
int labelColumn(const QsdLayoutInput& in) {
    return std::max(kLabelWidth, in.labelWidth + kMargin);
}

} // namespace

QsdLayout layout(const QsdLayoutInput& in) {
    QsdLayout out;
    const int w = in.size.width();
    const int h = in.size.height();
    out.softKeys = QRect(0, h - in.softKeyHeight, w, in.softKeyHeight);
    int y = kMargin;
    if (titleShown(in.flags)) {
        out.title = QRect(kMargin, y, w - 2 * kMargin, in.titleHeight);
        y += in.titleHeight + 2;
        out.separator = QRect(0, y, w, 2);
        y += 2 + kMargin;
    }
    const int labelWidth = labelColumn(in);
    const auto row = [&](bool visible, QRect& label, QRect& control, int height) {
        if (!visible)
            return;
        label = QRect(kMargin, y, labelWidth, height);
        control = QRect(kMargin + labelWidth, y, w - 2 * kMargin - labelWidth, height);
        y += height + kMargin;
    };
    row(!(in.flags & qsd::HIDE_NAME), out.nameLabel, out.name, in.nameHeight);
    row(!(in.flags & qsd::HIDE_TYPE), out.typeLabel, out.type, in.typeHeight);
    row(optionShown(in), out.optionLabel, out.option, in.optionHeight);

    int bottom = h - in.softKeyHeight - kMargin;
    if (buttonsShown(in.flags)) {
        bottom -= in.buttonHeight;
        int x = w - kMargin - kButtonWidth;
        if (in.flags & qsd::SHOW_CANCEL) {
            out.cancel = QRect(x, bottom, kButtonWidth, in.buttonHeight);
            x -= kButtonWidth + kMargin;
        }
        if (in.flags & qsd::SHOW_OK)
            out.ok = QRect(x, bottom, kButtonWidth, in.buttonHeight);
        bottom -= kMargin;
    }
    placePanes(in, QRect(kMargin, y, w - 2 * kMargin, std::max(0, bottom - y)), out);
    return out;
}

QSize minimumSize(const QsdLayoutInput& in) {
    const bool treeShown = !(in.flags & qsd::HIDE_TREE);
    const bool listShown = !(in.flags & qsd::HIDE_LIST);
    const int panes = int(treeShown) + int(listShown);
    const bool stacked = panes == 2 && !(in.flags & qsd::SIDE_BY_SIDE);
    const int paneHeight = panes == 0 ? 0 : (stacked ? 2 * kMinimumPane + kMargin : kMinimumPane);
    const int height = headerHeight(in) + paneHeight + footerHeight(in);
    const int buttons = 2 * kButtonWidth + 3 * kMargin;
    const int rows = labelColumn(in) + 2 * kMargin + 2 * kMinimumPane;
    return QSize(std::max(buttons, rows), height);
}

QsdPlacement opening(const QRect& available, const QRect& mainWindow, QSize minimum, QSize wanted,
                     bool sizeGiven) {
    QsdPlacement p;
    const bool phone = std::min(available.width(), available.height()) < kPhoneScreenSide;
    if (phone && !sizeGiven) {
        const QRect area = mainWindow.intersected(available);
        p.geometry = area.isEmpty() ? available : area;
        p.fillsMainWindow = true;
        return p;
    }
    const QSize room = (available.size() - QSize(kFrameRoomWidth, kFrameRoomHeight))
                           .expandedTo(minimum.boundedTo(available.size()));
    const QSize size = wanted.expandedTo(minimum).boundedTo(room);
    QRect frame(QPoint(), size);
    frame.moveCenter((mainWindow.isEmpty() ? available : mainWindow).center());
    // The title bar above the dialog stays on the screen too.
    const int top = available.top() + kFrameRoomHeight / 2;
    frame.moveLeft(std::clamp(frame.left(), available.left(),
                              std::max(available.left(), available.right() + 1 - size.width())));
    frame.moveTop(std::clamp(frame.top(), std::min(top, available.bottom() + 1 - size.height()),
                             std::max(top, available.bottom() + 1 - size.height())));
    p.geometry = frame;
    return p;
}

} // namespace qsdlayout
