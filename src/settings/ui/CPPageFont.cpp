#include "CPPageFont.h"

#include "CommandIds.h"
#include "FontSelectDialog.h"
#include "Settings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace cmd::page_font;

CPPageFont::CPPageFont(SettingsContext& context)
    : SettingsPage(context, cmd::IDD_PAGE_FONT), activeFont_(std::clamp(context.activeFont, 0, 3)) {
    for (int i = 0; i < 4; ++i)
        fonts_[size_t(i)] = fonts::readFontChoice(context_.settings, i);
}

QString CPPageFont::faceText(const FontChoice& choice) {
    QString text = choice.face;
    if (choice.bold || choice.italic) {
        text += QChar(0x2820);
        if (choice.bold)
            text += u'B';
        if (choice.italic)
            text += u'I';
    }
    return text;
}

void CPPageFont::createControls() {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        auto* group = withId(new QGroupBox(dialogText(IDC_GROUP[i]), this), IDC_GROUP[i]);
        auto* mark = withId(new QLabel(group), IDC_CHANGED[i]);
        mark->setMinimumWidth(mark->fontMetrics().horizontalAdvance(u'*') + 4);
        auto* face = withId(new QLabel(group), IDC_FACE[i]);
        face->setTextFormat(Qt::PlainText);
        face->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        auto* size = withId(new QLabel(group), IDC_SIZE[i]);
        auto* button = withId(new QPushButton(QStringLiteral("..."), group), IDC_BROWSE[i]);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                                24);
        auto* row = new QHBoxLayout(group);
        row->addWidget(mark);
        row->addWidget(face, 1);
        row->addWidget(size);
        row->addWidget(new QLabel(dialogText(IDC_POINTS_UNIT), group));
        row->addWidget(button);
        groups_[size_t(i)] = group;
        marks_[size_t(i)] = mark;
        faces_[size_t(i)] = face;
        sizes_[size_t(i)] = size;
        buttons_[size_t(i)] = button;
        layout->addWidget(group);
        connect(button, &QPushButton::clicked, this, [this, i] { choose(i); });
    }
    layout->addStretch(1);
}

void CPPageFont::OnInitDialog() {
    for (int i = 0; i < 4; ++i)
        showFont(i);
    groups_[size_t(activeFont_)]->setTitle(QStringLiteral("◆ ") +
                                           dialogText(IDC_GROUP[activeFont_]));
    buttons_[size_t(activeFont_)]->setFocus(Qt::OtherFocusReason);
}

void CPPageFont::showFont(int index) {
    const FontChoice& f = fonts_[size_t(index)];
    faces_[size_t(index)]->setText(faceText(f));
    faces_[size_t(index)]->setToolTip(faceText(f));
    sizes_[size_t(index)]->setText(QString::asprintf("%d", f.points));
    marks_[size_t(index)]->setText(changed_[size_t(index)] ? QStringLiteral("*") : QString());
}

void CPPageFont::choose(int index) {
    FontChoice& f = fonts_[size_t(index)];
    FontSelectDialog::Request request;
    request.target = context_.fontTarget;
    request.size = f.points;
    request.face = f.face;
    request.bold = f.bold ? 1 : 0;
    request.italic = f.italic ? 1 : 0;
    FontSelectDialog dialog(request, context_.messages, this);
    const int answer = run_ ? run_(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return;
    const FontSelectDialog::Result& r = dialog.result();
    bool& changed = changed_[size_t(index)];
    if (r.face != f.face) {
        f.face = r.face;
        changed = true;
    }
    if (r.size != f.points) {
        f.points = r.size;
        changed = true;
    }
    if (r.bold != f.bold) {
        f.bold = r.bold;
        changed = true;
    }
    if (r.italic != f.italic) {
        f.italic = r.italic;
        changed = true;
    }
    showFont(index);
}

void CPPageFont::OnApply() {
    Settings& s = context_.settings;
    for (int i = 0; i < 4; ++i) {
        if (!changed_[size_t(i)])
            continue;
        const FontChoice& f = fonts_[size_t(i)];
        const QString n = QString::number(i + 1);
        s.writeString(QStringLiteral("FONT%1_NAME").arg(n), f.face);
        s.writeInt(QStringLiteral("FONT%1_SIZE").arg(n), f.points);
        s.writeInt(QStringLiteral("FONT%1_BOLD").arg(n), f.bold ? 1 : 0);
        s.writeInt(QStringLiteral("FONT%1_ITALIC").arg(n), f.italic ? 1 : 0);
    }
}

void CPPageFont::report(SettingsOutcome& out) const {
    out.fontChanged = changed_;
}
