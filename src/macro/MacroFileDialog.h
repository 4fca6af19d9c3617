#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

enum class MacroFileMode { Open, Save };

struct MacroFileFilter {
    QString name;
    QString pattern;
};

// What MacroFileDialog is asked for; empty title and filters take the
// defaults ("Open Macro File" / "Save Macro File", "Macro (*.mcr)" and
// "All Files (*.*)").
struct MacroFileRequest {
    MacroFileMode mode = MacroFileMode::Open;
    // The initial folder: the macro's last folder.
    QString folder;
    // In and out: the chosen file type, counted from 1; 0 presets none.
    int filterIndex = 0;
    QString title;
    std::vector<MacroFileFilter> filters;
    // The caller's open-file flags (file must exist, overwrite prompt).
    uint32_t flags = 0;
    // The proposed file name in save mode; empty in open mode.
    QString fileName;
};

namespace macrofile {
constexpr uint32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr uint32_t OFN_FILEMUSTEXIST = 0x1000;
} // namespace macrofile

// Runs the file select dialog for a macro file. The window side implements it
// over the program's own file select dialog; tests answer from a script.
class MacroFileChooser {
  public:
    virtual ~MacroFileChooser() = default;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> MacroFileDialog(MacroFileRequest& request) = 0;
};

// The file select flags of the macro file dialog, from the settings LONG_DELAY,
// SELECT_BY_SINGLE_TAP and STR_ZOOM_METHOD.
uint32_t macroFileSelectFlags(MacroFileMode mode, int longDelay, int selectBySingleTap,
                              int zoomMethod);

// The defaults filled in for an empty title or filter list.
QString macroFileDialogTitle(const MacroFileRequest& request);
std::vector<MacroFileFilter> macroFileDialogFilters(const MacroFileRequest& request);
