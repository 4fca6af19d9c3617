#include "ColorEditorBlock.h"

#include "ColorSwatch.h"
#include "CommandIds.h"
#include "DialogTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

using namespace cmd::colordlg;

namespace {
QString idName(int id) {
    return QString::number(id);
}

QString text(int controlId) {
    return res::dialogText(cmd::IDD_QSD_COLOR_SELECT, controlId);
}

void fill(QFrame* frame, COLORREF color) {
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    frame->setPalette(pal);
    frame->setAutoFillBackground(true);
}
} // namespace

ColorEditorBlock::ColorEditorBlock(QWidget* parent) : QGroupBox(text(IDC_CUSTOM_GROUP), parent) {
    setObjectName(idName(IDC_CUSTOM_GROUP));
    auto* grid = new QGridLayout(this);

    auto* customLabel = new QLabel(text(IDC_CUSTOM_LABEL), this);
    customLabel->setObjectName(idName(IDC_CUSTOM_LABEL));
    auto* customRow = new QHBoxLayout;
    for (int i = 0; i < colorpalette::kCustomCount; ++i) {
        customs_[size_t(i)] = new ColorSwatch(this);
        customs_[size_t(i)]->setObjectName(idName(IDC_CUSTOM_FIRST + i));
        customRow->addWidget(customs_[size_t(i)]);
    }
    grid->addWidget(customLabel, 0, 0, 1, 2);
    grid->addLayout(customRow, 0, 2, 1, 2);

    const int labels[3] = {IDC_R_LABEL, IDC_G_LABEL, IDC_B_LABEL};
    const int edits[3] = {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT};
    const int tracks[3] = {IDC_RED_TRACK, IDC_GREEN_TRACK, IDC_BLUE_TRACK};
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), this);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(text(labels[i]), this);
        label->setObjectName(idName(labels[i]));
        auto* edit = new QLineEdit(QStringLiteral("255"), this);
        edit->setObjectName(idName(edits[i]));
        edit->setValidator(digits);
        edit->setMaxLength(3);
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        auto* track = new QSlider(Qt::Horizontal, this);
        track->setObjectName(idName(tracks[i]));
        track->setRange(0, 255);
        track->setPageStep(51);
        track->setValue(255);
        track->setFocusPolicy(Qt::StrongFocus);
        edits_[size_t(i)] = edit;
        tracks_[size_t(i)] = track;
        grid->addWidget(label, 1 + i, 0);
        grid->addWidget(edit, 1 + i, 1);
        grid->addWidget(track, 1 + i, 2);
        connect(edit, &QLineEdit::textChanged, this, [this, i] { onEditChanged(i); });
        // Every user action on the bar (drag, keys, clicks) writes the position
        // into the box; setting the bar from the box writes nothing back.
        connect(track, &QSlider::actionTriggered, this, [this, i] {
            edits_[size_t(i)]->setText(QString::number(tracks_[size_t(i)]->sliderPosition()));
        });
    }

    previewFrame_ = new QFrame(this);
    previewFrame_->setObjectName(idName(IDC_PREVIEW_FRAME));
    fill(previewFrame_, colorpalette::kPreviewFrame);
    auto* frameLayout = new QVBoxLayout(previewFrame_);
    frameLayout->setContentsMargins(3, 3, 3, 3);
    preview_ = new QFrame(previewFrame_);
    preview_->setObjectName(idName(IDC_PREVIEW));
    preview_->setMinimumSize(40, 24);
    frameLayout->addWidget(preview_);
    opening_ = new ColorSwatch(this);
    opening_->setObjectName(idName(IDC_OPENING_COLOR));
    opening_->setFocusPolicy(Qt::NoFocus);
    opening_->setToolTip(res::dialogTooltip(cmd::IDD_QSD_COLOR_SELECT, IDC_OPENING_COLOR));
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(opening_);
    previewColumn->addWidget(previewFrame_, 1);
    grid->addLayout(previewColumn, 1, 3, 3, 1);
    grid->setColumnStretch(2, 1);
    repaintPreview();
}

void ColorEditorBlock::load(COLORREF color) {
    const int values[3] = {colorpalette::red(color), colorpalette::green(color),
                           colorpalette::blue(color)};
    for (int i = 0; i < 3; ++i) {
        tracks_[size_t(i)]->setValue(values[i]);
        edits_[size_t(i)]->setText(QString::asprintf("%d", values[i]));
    }
}

COLORREF ColorEditorBlock::editedColor() const {
    return colorpalette::rgb(tracks_[0]->value(), tracks_[1]->value(), tracks_[2]->value());
}

COLORREF ColorEditorBlock::previewColor() const {
    return colorpalette::rgb(colorpalette::componentFromText(edits_[0]->text()),
                             colorpalette::componentFromText(edits_[1]->text()),
                             colorpalette::componentFromText(edits_[2]->text()));
}

void ColorEditorBlock::setOpeningColor(COLORREF color) {
    opening_->setColor(color);
}

void ColorEditorBlock::setCustomColors(const CustomColorList& list) {
    for (int i = 0; i < colorpalette::kCustomCount; ++i) {
        customs_[size_t(i)]->setColor(list.at(i));
        customs_[size_t(i)]->setEnabled(i < list.count());
    }
}

QWidget* ColorEditorBlock::partnerOf(const QWidget* w) const {
    for (int i = 0; i < 3; ++i) {
        if (w == edits_[size_t(i)])
            return tracks_[size_t(i)];
        if (w == tracks_[size_t(i)])
            return edits_[size_t(i)];
    }
    return nullptr;
}

void ColorEditorBlock::onEditChanged(int component) {
    QLineEdit* edit = edits_[size_t(component)];
    bool ok = false;
    const int n = edit->text().toInt(&ok);
    if (ok && n != tracks_[size_t(component)]->value())
        tracks_[size_t(component)]->setValue(n);
    repaintPreview();
    emit edited();
}

void ColorEditorBlock::repaintPreview() {
    fill(preview_, previewColor());
}
