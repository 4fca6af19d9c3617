#include "CAboutDlg.h"

#include "AppIcon.h"
#include "CommandIds.h"
#include "DialogTexts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(res::dialogText(cmd::IDD_ABOUTBOX, res::IDC_CAPTION));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(tavloAppIcon().pixmap(48, 48));
    auto* text = new QLabel(res::dialogText(cmd::IDD_ABOUTBOX, cmd::about::IDC_VERSION_TEXT), this);
    text->setObjectName(QStringLiteral("aboutText"));

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 1, Qt::AlignVCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(res::dialogText(cmd::IDD_ABOUTBOX, cmd::IDOK));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
