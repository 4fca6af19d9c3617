#include "SettingsPage.h"

#include "DialogTexts.h"
#include "MessageService.h"
#include "StringTable.h"

#include <QLineEdit>

SettingsPage::SettingsPage(SettingsContext& context, int dialogId)
    : context_(context), dialogId_(dialogId),
      tabText_(res::dialogText(dialogId, res::IDC_CAPTION)) {
    setObjectName(QStringLiteral("page%1").arg(dialogId));
}

void SettingsPage::ensureCreated() {
    if (created_)
        return;
    created_ = true;
    createControls();
    OnInitDialog();
}

std::optional<int> SettingsPage::integerIn(const QLineEdit* edit) {
    bool ok = false;
    const int n = edit->text().trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

bool SettingsPage::OnKillActive() {
    if (!created_)
        return true;
    for (QLineEdit* edit : integerEdits_) {
        if (edit->isEnabled() && !integerIn(edit)) {
            message(QStringLiteral("Please enter an integer."), mb::MB_OK | mb::MB_ICONEXCLAMATION);
            focusField(edit);
            return false;
        }
    }
    readControls();
    return true;
}

int SettingsPage::message(const QString& text, uint32_t style) {
    if (context_.heldMessages) {
        context_.heldMessages->emplace_back(text, style);
        return mb::IDOK;
    }
    return context_.messages.show(text, res::loadString(35081, QStringLiteral("Tavlo")), style,
                                  window());
}

int SettingsPage::message(uint32_t stringId, const QString& fallback, uint32_t style) {
    return message(res::loadString(stringId, fallback), style);
}

void SettingsPage::focusField(QWidget* field) {
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

QString SettingsPage::dialogText(int controlId) const {
    return res::dialogText(dialogId_, controlId);
}
