#include "FontSelectDialog.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "FontSet.h"
#include "MessageService.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {
constexpr int kMinSize = 1;
constexpr int kMaxSize = 144;

QString objectNameFor(int id) {
    return QString::number(id);
}

QString text(int controlId) {
    return res::dialogText(cmd::IDD_FONT_SELECT, controlId);
}
} // namespace

const QList<int>& FontSelectDialog::standardSizes() {
    static const QList<int> sizes = {7,  8,  9,  10, 11, 12, 14, 16, 18,
                                     20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

FontSelectDialog::FontSelectDialog(const Request& request, MessageService& messages,
                                   QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("dialog%1").arg(cmd::IDD_FONT_SELECT));
    setWindowTitle(text(res::IDC_CAPTION));

    faceList_ = new QListWidget(this);
    faceList_->setObjectName(objectNameFor(cmd::fontdlg::IDC_FACE_LIST));
    sizeEdit_ = new QLineEdit(this);
    sizeEdit_->setObjectName(objectNameFor(cmd::fontdlg::IDC_SIZE_EDIT));
    sizeList_ = new QListWidget(this);
    sizeList_->setObjectName(objectNameFor(cmd::fontdlg::IDC_SIZE_LIST));
    bold_ = new QCheckBox(text(cmd::fontdlg::IDC_BOLD), this);
    bold_->setObjectName(objectNameFor(cmd::fontdlg::IDC_BOLD));
    italic_ = new QCheckBox(text(cmd::fontdlg::IDC_ITALIC), this);
    italic_->setObjectName(objectNameFor(cmd::fontdlg::IDC_ITALIC));
    preview_ = new QLabel(this);
    preview_->setObjectName(objectNameFor(cmd::fontdlg::IDC_PREVIEW));
    preview_->setFrameShape(QFrame::StyledPanel);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setMinimumHeight(48);

    auto* faceLabel = new QLabel(text(cmd::fontdlg::IDC_FACE_LABEL), this);
    faceLabel->setBuddy(faceList_);
    auto* sizeLabel = new QLabel(text(cmd::fontdlg::IDC_SIZE_LABEL), this);
    sizeLabel->setBuddy(sizeEdit_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 0),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 1),
                       QDialogButtonBox::RejectRole);

    auto* grid = new QGridLayout(this);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(faceList_, 1, 0, 2, 1);
    grid->addWidget(sizeEdit_, 1, 1);
    grid->addWidget(sizeList_, 2, 1);
    grid->addWidget(bold_, 3, 0);
    grid->addWidget(italic_, 3, 1);
    grid->addWidget(preview_, 4, 0, 1, 2);
    grid->addWidget(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);

    connect(buttons, &QDialogButtonBox::accepted, this, &FontSelectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontSelectDialog::reject);
    connect(faceList_, &QListWidget::currentRowChanged, this, [this] { updatePreview(); });
    connect(sizeList_, &QListWidget::itemClicked, this, [this] { onSizeListSelected(); });
    connect(sizeList_, &QListWidget::currentRowChanged, this, [this] {
        if (!starting_)
            onSizeListSelected();
    });
    connect(sizeEdit_, &QLineEdit::textChanged, this, [this] { onSizeEdited(); });
    connect(bold_, &QCheckBox::clicked, this, [this] { updatePreview(); });
    connect(italic_, &QCheckBox::clicked, this, [this] { updatePreview(); });

    start(request);
}

int FontSelectDialog::dpiY() const {
    const int dpi = logicalDpiY();
    return dpi > 0 ? dpi : 96;
}

void FontSelectDialog::start(const Request& request) {
    starting_ = true;
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    faceList_->addItems(families);

    QString face;
    int size = 11;
    bool bold = false;
    bool italic = false;
    if (request.target) {
        const QFont f = request.target->font();
        face = f.family();
        const int pixels = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
        size = fonts::pointsFromPixels(pixels, dpiY());
        bold = f.weight() >= QFont::Bold;
        italic = f.italic();
    } else {
        face = res::loadString(30044, QStringLiteral("MS Gothic"));
    }
    if (request.size != -1)
        size = request.size;
    if (!request.face.isEmpty() && families.contains(request.face))
        face = request.face;
    if (request.bold == 0 || request.bold == 1)
        bold = request.bold == 1;
    if (request.italic == 0 || request.italic == 1)
        italic = request.italic == 1;

    const qsizetype row = families.indexOf(face);
    faceList_->setCurrentRow(row >= 0 ? int(row) : 0);
    for (int s : standardSizes())
        sizeList_->addItem(QString::number(s));
    sizeEdit_->setText(QString::number(size));
    const qsizetype sizeRow = standardSizes().indexOf(size);
    if (sizeRow >= 0)
        sizeList_->setCurrentRow(int(sizeRow));
    bold_->setChecked(bold);
    italic_->setChecked(italic);
    preview_->setText(request.previewText.isEmpty()
                          ? res::loadString(30045, QStringLiteral("abc XYZ 012"))
                          : request.previewText);
    starting_ = false;
    updatePreview();
}

std::optional<int> FontSelectDialog::sizeInEdit() const {
    bool ok = false;
    const int v = sizeEdit_->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

void FontSelectDialog::updatePreview() {
    if (starting_)
        return;
    const QListWidgetItem* faceItem = faceList_->currentItem();
    const int size = sizeInEdit().value_or(0);
    if (size <= 0 || !faceItem)
        return;
    FontChoice choice;
    choice.face = faceItem->text();
    choice.points = size;
    choice.bold = bold_->isChecked();
    choice.italic = italic_->isChecked();
    previewFont_ = FontSet::makeFont(choice, font(), dpiY());
    preview_->setFont(*previewFont_);
}

void FontSelectDialog::onSizeListSelected() {
    if (const QListWidgetItem* item = sizeList_->currentItem())
        sizeEdit_->setText(item->text());
    updatePreview();
}

void FontSelectDialog::showSizeError() {
    messages_.show(res::loadString(40024, QStringLiteral("Invalid Font Size.")),
                   res::loadString(35081, QStringLiteral("Tavlo")), mb::MB_OK | mb::MB_ICONERROR,
                   this);
}

void FontSelectDialog::onSizeEdited() {
    if (starting_)
        return;
    const QString text = sizeEdit_->text().trimmed();
    if (text.isEmpty())
        return;
    const std::optional<int> size = sizeInEdit();
    if (!size || *size < kMinSize || *size > kMaxSize) {
        showSizeError();
        return;
    }
    updatePreview();
}

void FontSelectDialog::accept() {
    const std::optional<int> size = sizeInEdit();
    if (!size || *size < kMinSize || *size > kMaxSize) {
        showSizeError();
        return;
    }
    updatePreview();
    result_.size = *size;
    if (previewFont_) {
        result_.face = previewFont_->family();
        result_.bold = previewFont_->weight() >= QFont::Bold;
        result_.italic = previewFont_->italic();
    } else {
        const QListWidgetItem* item = faceList_->currentItem();
        result_.face = item ? item->text() : QString();
        result_.bold = bold_->isChecked();
        result_.italic = italic_->isChecked();
    }
    QDialog::accept();
}
