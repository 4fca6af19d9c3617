#include "MessageService.h"

using namespace mb;

int defaultAnswerFor(uint32_t style) {
    const int defButton = static_cast<int>((style & MB_DEFMASK) >> 8);
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return defButton == 1 ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE: return defButton == 0 ? IDABORT : (defButton == 1 ? IDRETRY : IDIGNORE);
    case MB_YESNOCANCEL: return defButton == 0 ? IDYES : (defButton == 1 ? IDNO : IDCANCEL);
    case MB_YESNO: return defButton == 1 ? IDNO : IDYES;
    case MB_RETRYCANCEL: return defButton == 1 ? IDCANCEL : IDRETRY;
    default: return IDOK;
    }
}

int ScriptedMessageService::show(const QString& text, const QString& caption, uint32_t style,
                                 void*) {
    shown_.push_back({text, caption, style});
    if (answers_.empty())
        return defaultAnswerFor(style);
    const int answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
}

QStringList ScriptedMessageService::texts() const {
    QStringList list;
    for (const Shown& s : shown_)
        list << s.text;
    return list;
}
