#include "QsdSoftKeys.h"

#include "CommandIds.h"
#include "MenuTables.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

// A key shows its menu item's text without the access key mark.
QString keyText(const res::MenuItem& item) {
    QString text = res::withoutKeyName(item.text);
    return text.remove(u'&');
}

} // namespace

QsdSoftKeys::QsdSoftKeys(QWidget* parent)
    : QFrame(parent), ok_(new QToolButton(this)), menu_(new QToolButton(this)) {
    setFrameShape(QFrame::StyledPanel);
    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(2, 2, 2, 2);
    if (const res::Menu* menu = res::loadMenu(cmd::IDR_QSD_MENUBAR)) {
        for (const res::MenuItem& item : menu->items)
            (item.kind == res::MenuItem::Kind::Popup ? menu_ : ok_)->setText(keyText(item));
    }
    menu_->setPopupMode(QToolButton::InstantPopup);
    for (QToolButton* key : {ok_, menu_}) {
        key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        bar->addWidget(key);
    }
}
