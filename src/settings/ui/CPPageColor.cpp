#include "CPPageColor.h"

#include "CQSDColorDialog.h"
#include "ColorSwatch.h"
#include "CommandIds.h"
#include "Settings.h"
#include "StringTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace cmd::page_color;

CPPageColor::CPPageColor(SettingsContext& context) : SettingsPage(context, cmd::IDD_PAGE_COLOR) {
    readColors();
}

void CPPageColor::readColors() {
    text_ = COLORREF(context_.settings.getInt(QStringLiteral("COLOR_TEXT")));
    background_ = COLORREF(context_.settings.getInt(QStringLiteral("COLOR_BACKGROUND")));
}

void CPPageColor::createControls() {
    textSwatch_ = withId(new ColorSwatch(this), IDC_TEXT_SWATCH);
    backgroundSwatch_ = withId(new ColorSwatch(this), IDC_BACKGROUND_SWATCH);
    auto* textButton = withId(new QPushButton(QStringLiteral("..."), this), IDC_TEXT_BUTTON);
    auto* backgroundButton =
        withId(new QPushButton(QStringLiteral("..."), this), IDC_BACKGROUND_BUTTON);
    for (ColorSwatch* swatch : {textSwatch_, backgroundSwatch_})
        swatch->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* button : {textButton, backgroundButton})
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                                24);

    auto* colors = new QGridLayout;
    colors->addWidget(withId(new QLabel(dialogText(IDC_TEXT_LABEL), this), IDC_TEXT_LABEL), 0, 0);
    colors->addWidget(textSwatch_, 0, 1);
    colors->addWidget(textButton, 0, 2);
    colors->addWidget(
        withId(new QLabel(dialogText(IDC_BACKGROUND_LABEL), this), IDC_BACKGROUND_LABEL), 1, 0);
    colors->addWidget(backgroundSwatch_, 1, 1);
    colors->addWidget(backgroundButton, 1, 2);
    colors->setColumnStretch(1, 1);

    auto* previewGroup =
        withId(new QGroupBox(dialogText(IDC_PREVIEW_GROUP), this), IDC_PREVIEW_GROUP);
    preview_ = withId(new QLineEdit(previewGroup), IDC_PREVIEW);
    preview_->setText(res::loadString(35048, QStringLiteral("Text Color Preview!")));
    new QVBoxLayout(previewGroup);
    previewGroup->layout()->addWidget(preview_);

    // Reset gives the colours back their defaults, black text on white.
    auto* reset = withId(new QPushButton(dialogText(IDC_RESET), this), IDC_RESET);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(colors);
    layout->addWidget(previewGroup);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addStretch(1);

    connect(textButton, &QPushButton::clicked, this, [this] { chooseColor(text_); });
    connect(backgroundButton, &QPushButton::clicked, this, [this] { chooseColor(background_); });
    connect(reset, &QPushButton::clicked, this, [this] {
        text_ = COLORREF(context_.settings.defaultInt(QStringLiteral("COLOR_TEXT")));
        background_ = COLORREF(context_.settings.defaultInt(QStringLiteral("COLOR_BACKGROUND")));
        repaint();
    });
}

void CPPageColor::OnInitDialog() {
    repaint();
}

void CPPageColor::repaint() {
    if (!textSwatch_)
        return;
    textSwatch_->setColor(text_);
    backgroundSwatch_->setColor(background_);
    QPalette pal = preview_->palette();
    pal.setColor(QPalette::Text, toQColor(text_));
    pal.setColor(QPalette::Base, toQColor(background_));
    preview_->setPalette(pal);
}

void CPPageColor::chooseColor(COLORREF& color) {
    Settings& s = context_.settings;
    CQSDColorDialog dialog(s, this);
    dialog.SetInitialColor(color);
    COLORREF saved[5];
    for (int i = 0; i < 5; ++i)
        saved[i] = COLORREF(s.getInt(QStringLiteral("CUSTOM_COLOR%1").arg(i + 1)));
    dialog.SetCustomColors(s.getInt(QStringLiteral("CUSTOM_COLOR_COUNT")), saved[0], saved[1],
                           saved[2], saved[3], saved[4]);
    const int answer = run_ ? run_(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return;
    color = dialog.GetColor();
    repaint();
    // The custom colours are kept at once, even when the sheet is cancelled.
    s.writeInt(QStringLiteral("CUSTOM_COLOR_COUNT"), dialog.GetCustomCount());
    for (int i = 0; i < 5; ++i)
        s.writeInt(QStringLiteral("CUSTOM_COLOR%1").arg(i + 1), int(dialog.GetCustomColor(i)));
}

void CPPageColor::OnApply() {
    context_.settings.writeInt(QStringLiteral("COLOR_TEXT"), int(text_));
    context_.settings.writeInt(QStringLiteral("COLOR_BACKGROUND"), int(background_));
}

void CPPageColor::OnReset() {
    readColors();
    repaint();
}
