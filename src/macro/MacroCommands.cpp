#include "MacroCommands.h"

#include "MacroReport.h"
#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"

QString macroLoadErrorText(const Macro& macro) {
    if (!macro.hasError)
        return macro.report;
    return macro.report + QStringLiteral("\r\n ----------------------------\r\n") +
           macroMessage(macromsg::LoadCancelled);
}

void MacroShowLoadResult(const Macro& macro, MessageService& messages,
                         MacroLoadPresenter& presenter, void* owner) {
    if (!macro.report.isEmpty()) {
        presenter.showLoadErrors(macroLoadErrorText(macro));
        if (macro.hasError)
            return;
    }
    if (!macro.tooltip.isEmpty())
        presenter.setPlayButtonTooltip(macro.tooltip);
    if (!macro.explanation.isEmpty())
        messages.show(macro.explanation, res::loadString(sid::IDS_MACRO_EXPLANATION_CAPTION, {}),
                      mb::MB_OK | mb::MB_ICONINFORMATION, owner);
}

bool MacroLoadCommand(Macro& macro, const MacroFileServices& services,
                      MacroLoadPresenter& presenter) {
    if (!MacroLoad(macro, std::nullopt, services))
        return false;
    MacroShowLoadResult(macro, services.messages, presenter, services.owner);
    return true;
}

bool MacroStartupLoad(Macro& macro, const QString& path, const MacroFileServices& services,
                      MacroLoadPresenter& presenter) {
    if (!MacroLoad(macro, path, services)) {
        services.messages.show(
            res::substitute(res::loadString(sid::IDS_MACRO_STARTUP_LOAD_FAILED, {}), path),
            res::loadString(sid::AFX_IDS_APP_TITLE, {}), mb::MB_OK | mb::MB_ICONERROR,
            services.owner);
        return false;
    }
    MacroShowLoadResult(macro, services.messages, presenter, services.owner);
    return true;
}

bool MacroSaveCommand(Macro& macro, const MacroFileServices& services) {
    return MacroSave(macro, std::nullopt, services);
}

bool isMacroLoadEnabled(bool recording) {
    return !recording;
}

bool isMacroSaveEnabled(const Macro& macro, bool recording) {
    return !macro.steps.empty() && !recording;
}
