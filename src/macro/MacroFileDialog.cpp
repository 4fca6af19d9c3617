#include "MacroFileDialog.h"

uint32_t macroFileSelectFlags(MacroFileMode mode, int longDelay, int selectBySingleTap,
                              int zoomMethod) {
    const bool open = mode == MacroFileMode::Open;
    uint32_t flags = longDelay != 0 ? (open ? 0x1D210u : 0x26D210u) : (open ? 0x15210u : 0x265210u);
    if (selectBySingleTap != 0)
        flags |= 0x1;
    if (zoomMethod == 1)
        flags |= 0x8000000;
    else if (zoomMethod == 2)
        flags |= 0x800000;
    return flags;
}

QString macroFileDialogTitle(const MacroFileRequest& request) {
    if (!request.title.isEmpty())
        return request.title;
    return request.mode == MacroFileMode::Open ? QStringLiteral("Open Macro File")
                                               : QStringLiteral("Save Macro File");
}

std::vector<MacroFileFilter> macroFileDialogFilters(const MacroFileRequest& request) {
    if (!request.filters.empty())
        return request.filters;
    return {{QStringLiteral("Macro (*.mcr)"), QStringLiteral("*.mcr")},
            {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
}
