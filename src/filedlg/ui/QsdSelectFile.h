#pragma once

#include "QsdServices.h"
#include "QsdTypes.h"

class QWidget;

// Runs the file select dialog for a caller's open-file block. Returns 1 when
// the user confirmed with OK and the result fits lpstrFile, else 0 (a buffer
// too small holds the needed length in its first 32-bit word).
//   flags        the `file select flags`
//   optionLabel  label of the option pull-down (empty: "ｵﾌﾟｼｮﾝ")
//   optionList   labels separated by "|", ended by an empty label (empty: no pull-down)
//   optionIndex  in: the selected option (0-based); out: the chosen one (-1: none)
//   listStyle    in: style for a dialog outside common mode; out: the style at the end
//   showFolders  out: whether folders were shown in the file list
//   commonMode   take the persisted flag bits, list style and sort key
// Whatever the outcome, listStyle and showFolders are handed back.
int QsdSelectFile(OPENFILENAMEW* ofn, uint32_t flags, const QString& optionLabel,
                  const QString& optionList, int* optionIndex, int* listStyle, bool* showFolders,
                  bool commonMode, QsdServices& services);

class CQSDFileDialog;
// The same with a hook that sees the dialog before it runs (tests script it)
// and replaces its modal run; the hook returns the dialog's result code.
int QsdSelectFileWith(OPENFILENAMEW* ofn, uint32_t flags, const QString& optionLabel,
                      const QString& optionList, int* optionIndex, int* listStyle,
                      bool* showFolders, bool commonMode, QsdServices& services,
                      const std::function<int(CQSDFileDialog&)>& run);
