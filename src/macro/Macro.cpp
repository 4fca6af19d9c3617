#include "Macro.h"

void Macro::clear() {
    versionMajor = 1;
    versionMinor = 0;
    ctrlHeld = false;
    shiftHeld = false;
    altHeld = false;
    steps.clear();
    hasError = false;
    report.clear();
    explanation.clear();
    tooltip.clear();
    sourceFolder.clear();
}

QString macroFolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash + 1);
}
