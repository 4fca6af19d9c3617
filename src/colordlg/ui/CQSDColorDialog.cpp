#include "CQSDColorDialog.h"

#include "ColorEditorBlock.h"
#include "ColorSwatch.h"
#include "CommandIds.h"
#include "DialogTexts.h"
#include "MenuTables.h"
#include "QsdMenus.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace cmd::colordlg;
namespace cp = colorpalette;

namespace {
const QString kStyleName = QStringLiteral("QSD_COLOR_SELECT_STYLE");
const QString kTapName = QStringLiteral("QSD_COLOR_SELECT_TAP_ACTION");

bool isSwatchId(int id) {
    return cp::isBasicId(id) || cp::isCustomId(id);
}
} // namespace

CQSDColorDialog::CQSDColorDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("dialog%1").arg(cmd::IDD_QSD_COLOR_SELECT));
    setWindowTitle(res::dialogText(cmd::IDD_QSD_COLOR_SELECT, res::IDC_CAPTION));
    style_ = cp::normalizedStyle(settings_.getInt(kStyleName));
    tapAction_ = cp::normalizedTapAction(settings_.getInt(kTapName));

    styleList_ = new QComboBox(this);
    styleList_->setObjectName(QString::number(IDC_STYLE));
    styleList_->addItem(res::loadString(cp::kStyleBasic, QStringLiteral("Basic Colors")),
                        cp::kStyleBasic);
    styleList_->addItem(res::loadString(cp::kStyleCustom, QStringLiteral("Custom Color")),
                        cp::kStyleCustom);
    // The list offers two styles; while both are shown it names that style
    // without offering it.
    styleList_->setPlaceholderText(
        res::loadString(sid::IDS_COLOR_STYLE_BOTH, QStringLiteral("Basic and Custom Colors")));

    basicPanel_ = new QWidget(this);
    auto* basicGrid = new QGridLayout(basicPanel_);
    basicGrid->setContentsMargins(0, 0, 0, 0);
    basicGrid->setSpacing(2);
    for (int i = 0; i < cp::kBasicCount; ++i) {
        auto* swatch = new ColorSwatch(basicPanel_);
        swatch->setObjectName(QString::number(IDC_BASIC_FIRST + i));
        swatch->setColor(cp::basicColor(i));
        basicGrid->addWidget(swatch, i / cp::kBasicColumns, i % cp::kBasicColumns);
        basics_[size_t(i)] = swatch;
    }
    editor_ = new ColorEditorBlock(this);

    // The soft keys are the two items of the dialog's menu bar.
    okKey_ = new QPushButton(res::softKeyText(cmd::IDR_COLOR_MENUBAR, 0), this);
    okKey_->setObjectName(QString::number(cmd::IDOK));
    menuKey_ = new QPushButton(res::softKeyText(cmd::IDR_COLOR_MENUBAR, 1), this);
    for (QPushButton* key : {okKey_, menuKey_}) {
        key->setFocusPolicy(Qt::NoFocus);
        key->setAutoDefault(false);
    }
    buildMenu();
    auto* softKeys = new QHBoxLayout;
    softKeys->addWidget(okKey_);
    softKeys->addWidget(menuKey_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(styleList_);
    layout->addWidget(basicPanel_, 1);
    layout->addWidget(editor_);
    layout->addStretch(0);
    layout->addLayout(softKeys);

    connect(okKey_, &QPushButton::clicked, this, &CQSDColorDialog::accept);
    connect(styleList_, &QComboBox::activated, this,
            [this](int row) { applyStyle(styleList_->itemData(row).toInt()); });
    for (int id = IDC_BASIC_FIRST; id <= IDC_CUSTOM_LAST; ++id)
        if (auto* swatch = qobject_cast<ColorSwatch*>(control(id)))
            connect(swatch, &ColorSwatch::clicked, this, [this, id] { onSwatchTapped(id); });

    QList<QWidget*> watched = {styleList_};
    for (int id : {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT, IDC_RED_TRACK, IDC_GREEN_TRACK,
                   IDC_BLUE_TRACK})
        watched << control(id);
    for (int id = IDC_BASIC_FIRST; id <= IDC_CUSTOM_LAST; ++id)
        watched << control(id);
    for (QWidget* w : watched)
        w->installEventFilter(this);
}

CQSDColorDialog::~CQSDColorDialog() {
    settings_.writeInt(kStyleName, style_);
    settings_.writeInt(kTapName, tapAction_);
}

void CQSDColorDialog::SetInitialColor(COLORREF color) {
    result_ = color;
    opening_ = color;
}

void CQSDColorDialog::SetCustomColors(int count, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4,
                                      COLORREF c5) {
    customs_.set(count, {c1, c2, c3, c4, c5});
}

QWidget* CQSDColorDialog::control(int id) const {
    if (id == IDC_STYLE)
        return styleList_;
    if (cp::isBasicId(id))
        return basics_[size_t(id - IDC_BASIC_FIRST)];
    if (cp::isCustomId(id))
        return editor_->custom(id - IDC_CUSTOM_FIRST);
    switch (id) {
    case IDC_OPENING_COLOR:
        return editor_->opening();
    case IDC_CUSTOM_GROUP:
        return editor_;
    case IDC_RED_EDIT:
    case IDC_GREEN_EDIT:
    case IDC_BLUE_EDIT:
        return editor_->edit(id - IDC_RED_EDIT);
    case IDC_RED_TRACK:
    case IDC_GREEN_TRACK:
    case IDC_BLUE_TRACK:
        return editor_->track(id - IDC_RED_TRACK);
    default:
        return findChild<QWidget*>(QString::number(id));
    }
}

int CQSDColorDialog::idOf(const QObject* w) const {
    bool ok = false;
    const int id = w ? w->objectName().toInt(&ok) : 0;
    return ok ? id : 0;
}

COLORREF CQSDColorDialog::colorOf(int id) const {
    if (cp::isBasicId(id))
        return cp::basicColor(id - IDC_BASIC_FIRST);
    if (cp::isCustomId(id))
        return customs_.at(id - IDC_CUSTOM_FIRST);
    if (id == IDC_OPENING_COLOR)
        return opening_;
    return cp::kWhite;
}

void CQSDColorDialog::buildMenu() {
    menu_ = new QMenu(this);
    if (const res::Menu* m = res::loadMenu(cmd::IDR_COLOR_MENUBAR))
        if (const res::MenuItem* popup = m->popupAt(1))
            qsdmenu::fill(menu_, popup->items);
    for (int id : {cmd::ID_COLOR_STYLE_BOTH, cmd::ID_COLOR_STYLE_BASIC, cmd::ID_COLOR_STYLE_CUSTOM,
                   cmd::ID_COLOR_TAP_SELECT, cmd::ID_COLOR_TAP_FOCUS, cmd::ID_COLOR_TAP_LOAD})
        if (QAction* a = qsdmenu::find(menu_, id))
            a->setCheckable(true);
    menuKey_->setMenu(menu_);
    connect(menu_, &QMenu::aboutToShow, this, &CQSDColorDialog::updateMenu);
    connect(menu_, &QMenu::triggered, this, [this](QAction* a) { runCommand(qsdmenu::idOf(a)); });
}

void CQSDColorDialog::updateMenu() {
    for (auto [id, on] : {std::pair{cmd::ID_COLOR_STYLE_BOTH, style_ == cp::kStyleBoth},
                          std::pair{cmd::ID_COLOR_STYLE_BASIC, style_ == cp::kStyleBasic},
                          std::pair{cmd::ID_COLOR_STYLE_CUSTOM, style_ == cp::kStyleCustom},
                          std::pair{cmd::ID_COLOR_TAP_SELECT, tapAction_ == cp::kTapSelect},
                          std::pair{cmd::ID_COLOR_TAP_FOCUS, tapAction_ == cp::kTapFocus},
                          std::pair{cmd::ID_COLOR_TAP_LOAD, tapAction_ == cp::kTapLoad}})
        qsdmenu::setChecked(menu_, id, on);
    qsdmenu::setEnabled(menu_, cmd::ID_COLOR_RESET_CUSTOM,
                        isCommandEnabled(cmd::ID_COLOR_RESET_CUSTOM));
}

bool CQSDColorDialog::isCommandEnabled(int id) const {
    if (id == cmd::ID_COLOR_RESET_CUSTOM)
        return style_ != cp::kStyleBasic && editor_->editedColor() != opening_;
    return true;
}

void CQSDColorDialog::runCommand(int id) {
    switch (id) {
    case cmd::ID_COLOR_STYLE_BOTH:
        applyStyle(cp::kStyleBoth);
        break;
    case cmd::ID_COLOR_STYLE_BASIC:
        applyStyle(cp::kStyleBasic);
        break;
    case cmd::ID_COLOR_STYLE_CUSTOM:
        applyStyle(cp::kStyleCustom);
        break;
    case cmd::ID_COLOR_TAP_SELECT:
        tapAction_ = cp::kTapSelect;
        break;
    case cmd::ID_COLOR_TAP_FOCUS:
        tapAction_ = cp::kTapFocus;
        break;
    case cmd::ID_COLOR_TAP_LOAD:
        tapAction_ = cp::kTapLoad;
        break;
    case cmd::ID_COLOR_RESET_CUSTOM:
        if (isCommandEnabled(id))
            editor_->load(opening_);
        break;
    case cmd::IDOK:
        accept();
        break;
    case cmd::IDCANCEL:
        reject();
        break;
    default:
        break;
    }
}

void CQSDColorDialog::showEvent(QShowEvent* e) {
    if (!initialized_) {
        initialized_ = true;
        initialize();
    }
    QDialog::showEvent(e);
}

void CQSDColorDialog::initialize() {
    editor_->setCustomColors(customs_);
    editor_->setOpeningColor(opening_);
    editor_->load(opening_);

    int found = 0;
    for (int id = IDC_BASIC_FIRST; id <= IDC_BASIC_LAST && !found; ++id)
        if (colorOf(id) == opening_)
            found = id;
    for (int i = 0; i < customs_.count() && !found; ++i)
        if (customs_.at(i) == opening_)
            found = IDC_CUSTOM_FIRST + i;
    if (style_ == cp::kStyleCustom && cp::isBasicId(found))
        style_ = cp::kStyleBasic;
    else if (style_ == cp::kStyleBasic && cp::isCustomId(found))
        style_ = cp::kStyleCustom;

    lastBasicId_ = cp::isBasicId(found) ? found : IDC_BASIC_FIRST;
    if (style_ == cp::kStyleCustom && cp::isCustomId(found))
        lastEditorFocus_ = control(found);
    applyStyle(style_);
    if (style_ == cp::kStyleBoth)
        focusControl(found ? found : IDC_BASIC_FIRST);
}

void CQSDColorDialog::applyStyle(int style) {
    style_ = cp::normalizedStyle(style);
    styleList_->setCurrentIndex(styleList_->findData(style_));
    const bool basics = style_ != cp::kStyleCustom;
    const bool editor = style_ != cp::kStyleBasic;
    basicPanel_->setVisible(basics);
    editor_->setVisible(editor);
    if (layout())
        layout()->activate();
    if (style_ == cp::kStyleCustom) {
        QWidget* target = lastEditorFocus_ ? lastEditorFocus_.data() : control(IDC_RED_EDIT);
        focusControl(idOf(target));
    } else if (style_ == cp::kStyleBasic) {
        focusControl(lastBasicId_ ? lastBasicId_ : IDC_BASIC_FIRST);
    }
    if (isVisible())
        resize(width(), sizeHint().height());
}

void CQSDColorDialog::focusControl(int id) {
    QWidget* w = control(id);
    if (!w)
        return;
    grid_.follow(id);
    if (isSwatchId(id))
        setHighlight(id);
    w->setFocus(Qt::OtherFocusReason);
    focusedId_ = id;
}

void CQSDColorDialog::setHighlight(int id) {
    const QString mark = res::loadString(sid::IDS_COLOR_HIGHLIGHT_MARK, QStringLiteral("*"));
    if (auto* old = qobject_cast<ColorSwatch*>(control(highlightedId_)))
        old->setText(QString());
    highlightedId_ = id;
    if (cp::isBasicId(id))
        lastBasicId_ = id;
    if (auto* now = qobject_cast<ColorSwatch*>(control(id)))
        now->setText(mark);
}

void CQSDColorDialog::onFocusIn(QWidget* w) {
    const int id = idOf(w);
    if (!id)
        return;
    grid_.follow(id);
    focusedId_ = id;
    if (isSwatchId(id))
        setHighlight(id);
    if (editor_->isAncestorOf(w))
        lastEditorFocus_ = w;
}

bool CQSDColorDialog::isUsable(int id) const {
    const QWidget* w = control(id);
    return w && w->isVisibleTo(this) && w->isEnabled();
}

void CQSDColorDialog::moveInGrid(ColorFocusGrid::Direction direction) {
    const int from = grid_.currentId();
    int to = grid_.move(direction, [this](int id) { return isUsable(id); });
    if (to == from)
        return;
    // Coming into the basic colours from elsewhere lands on the one last chosen.
    if (cp::isBasicId(to) && !cp::isBasicId(from) && isUsable(lastBasicId_))
        to = lastBasicId_;
    focusControl(to);
}

bool CQSDColorDialog::eventFilter(QObject* watched, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && e->type() == QEvent::FocusIn)
        onFocusIn(w);
    if (w && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return QDialog::eventFilter(watched, e);
        if (onKey(w, key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, e);
}

bool CQSDColorDialog::onKey(QWidget* w, int key) {
    using D = ColorFocusGrid::Direction;
    const int id = idOf(w);
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (w == styleList_ && styleList_->view()->isVisible())
        return false;
    grid_.follow(id);
    if (QWidget* partner = editor_->partnerOf(w)) {
        if (enter) {
            focusControl(idOf(partner));
            return true;
        }
        if (horizontal)
            return false; // the caret moves in a box, the bar moves on a track bar
    }
    if (enter && isSwatchId(id)) {
        static_cast<ColorSwatch*>(w)->click();
        return true;
    }
    if (!vertical && !horizontal)
        return false;
    moveInGrid(key == Qt::Key_Up     ? D::Up
               : key == Qt::Key_Down ? D::Down
               : key == Qt::Key_Left ? D::Left
                                     : D::Right);
    return true;
}

void CQSDColorDialog::onSwatchTapped(int id) {
    switch (tapAction_) {
    case cp::kTapSelect:
        result_ = colorOf(id);
        QDialog::accept();
        return;
    case cp::kTapLoad:
        focusControl(id);
        editor_->load(colorOf(id));
        return;
    default:
        focusControl(id);
        return;
    }
}

void CQSDColorDialog::accept() {
    if (style_ == cp::kStyleBasic) {
        result_ = colorOf(lastBasicId_);
    } else if (style_ == cp::kStyleBoth && cp::isBasicId(focusedId_)) {
        result_ = colorOf(focusedId_);
    } else {
        result_ = editor_->editedColor();
        customs_.putFirst(result_);
    }
    QDialog::accept();
}
