#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

// What the file select dialog's layout depends on: its size, its flags, the
// zoomed pane and the heights its controls ask for.
struct QsdLayoutInput {
    QSize size;
    uint32_t flags = 0;
    int zoomedPane = 0; // 0 none, 1 tree, 2 list
    int softKeyHeight = 0;
    int titleHeight = 0;
    int nameHeight = 0;
    int typeHeight = 0;
    int optionHeight = 0;
    bool hasOptions = false; // the option pull-down has entries
    int buttonHeight = 0;
    int labelWidth = 0; // the widest label of the name, type and option rows
};

// Where each control of the dialog goes; an empty rectangle is a hidden control.
struct QsdLayout {
    QRect softKeys;
    QRect title;
    QRect separator;
    QRect nameLabel, name;
    QRect typeLabel, type;
    QRect optionLabel, option;
    QRect ok, cancel;
    QRect tree, list;
};

// Where the dialog opens, and whether it fills the main window.
struct QsdPlacement {
    QRect geometry;
    bool fillsMainWindow = false;
};

namespace qsdlayout {

// A screen whose shorter side is below this many pixels is a phone's.
constexpr int kPhoneScreenSide = 560;
// Room left around a desktop dialog for its window frame.
constexpr int kFrameRoomWidth = 24;
constexpr int kFrameRoomHeight = 64;

constexpr int kMargin = 4;
// The least width of the labels' column; longer labels widen it.
constexpr int kLabelWidth = 48;
constexpr int kButtonWidth = 80;
// The least height of a shown pane.
constexpr int kMinimumPane = 60;

// Lays the controls out: the title line, the name, type and option rows, the
// OK and Cancel buttons at the bottom right above the soft keys, and the
// folder tree and file list sharing the rest (side by side when asked, or
// when wide enough with SIDE_BY_SIDE_WIDE; a zoomed pane gets the larger part).
QsdLayout layout(const QsdLayoutInput& in);
// The least size at which every shown control keeps the height it asks for
// and each shown pane keeps kMinimumPane.
QSize minimumSize(const QsdLayoutInput& in);
// The opening geometry: on a phone-size screen the main window's area (the
// screen's without one), as on the device; elsewhere the wanted size, at
// least the minimum and never more than the screen with room for the frame,
// centred over the main window and kept on the screen. A size the caller set
// (sizeGiven) is kept on any screen, within the same bounds.
QsdPlacement opening(const QRect& available, const QRect& mainWindow, QSize minimum, QSize wanted,
                     bool sizeGiven);

} // namespace qsdlayout
