// Arbitrary bytes as a macro file: the loader must not crash, hang or read
// out of bounds, and every macro it accepts must survive the writer: written
// and loaded again, it plays the same, and a second round gives the very same
// steps.
#include "FuzzSupport.h"
#include "Locale.h"
#include "MacroLoader.h"
#include "MacroStepValues.h"
#include "MacroWriter.h"

#include <QByteArrayView>
#include <QDate>
#include <cstdint>

namespace {

using fuzz::check;

Macro reload(const Macro& macro) {
    Macro again;
    parseMacroText(again, macroFileText(macro, QDate(2026, 1, 1)));
    return again;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Locale japanese(0x0411, 0x0411);
    Macro macro;
    parseMacroFile(macro, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)),
                   japanese);
    if (macro.hasError) {
        check(macro.steps.empty());
        return 0;
    }
    check(macro.report.isEmpty() || macro.report.endsWith(QStringLiteral("\r\n")));

    const Macro first = reload(macro);
    check(!first.hasError);
    check(first.report.isEmpty());
    check(first.steps.size() == macro.steps.size());
    for (size_t i = 0; i < macro.steps.size(); ++i)
        check(macroStepsPlayAlike(first.steps[i], macro.steps[i]));
    check(reload(first).steps == first.steps);

    Macro merged = first;
    MacroCoalesce(merged);
    check(merged.steps.size() <= first.steps.size());
    return 0;
}
