#include "CQSDFilePropertiesDialog.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "QsdTypes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace cmd::fileprops;

namespace {

QString text(int controlId) {
    return res::dialogText(cmd::IDD_QSD_FILE_PROPERTIES, controlId);
}

} // namespace

CQSDFilePropertiesDialog::CQSDFilePropertiesDialog(QsdServices& services,
                                                   const QsdProperties& properties, QWidget* parent)
    : QDialog(parent), services_(services), props_(properties) {
    setWindowTitle(text(res::IDC_CAPTION));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const auto addRow = [&](int labelId, int valueId, const QString& value) {
        const int row = grid->rowCount();
        auto* l = new QLabel(text(labelId), this);
        auto* v = new QLabel(value, this);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        grid->addWidget(l, row, 0, Qt::AlignTop);
        grid->addWidget(v, row, 1);
        labels_[labelId] = l;
        labels_[valueId] = v;
    };
    addRow(IDC_NAME_LABEL, IDC_NAME, props_.name);
    addRow(IDC_FOLDER_LABEL, IDC_FOLDER, props_.folder);
    addRow(IDC_SIZE_LABEL, IDC_SIZE, QsdProperties::sizeText(props_.size));
    addRow(IDC_TIME_LABEL, IDC_TIME, QsdProperties::timeText(props_.lastWriteTime));
    grid->setColumnStretch(1, 1);
    if (props_.isFolder()) {
        labels_[IDC_NAME_LABEL]->hide();
        labels_[IDC_NAME]->hide();
    }
    layout->addLayout(grid);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFixedHeight(1);
    layout->addWidget(line);

    auto* checks = new QGridLayout;
    const std::pair<uint32_t, int> boxes[] = {{fa::FILE_ATTRIBUTE_READONLY, IDC_READ_ONLY},
                                              {fa::FILE_ATTRIBUTE_HIDDEN, IDC_HIDDEN},
                                              {fa::FILE_ATTRIBUTE_ARCHIVE, IDC_ARCHIVE},
                                              {fa::FILE_ATTRIBUTE_SYSTEM, IDC_SYSTEM},
                                              {fa::FILE_ATTRIBUTE_INROM, IDC_IN_ROM},
                                              {fa::FILE_ATTRIBUTE_TEMPORARY, IDC_TEMPORARY}};
    int i = 0;
    const bool inRom = props_.attributes & fa::FILE_ATTRIBUTE_INROM;
    for (const auto& [bit, controlId] : boxes) {
        auto* box = new QCheckBox(text(controlId), this);
        box->setChecked(props_.attributes & bit);
        box->setEnabled(bit != fa::FILE_ATTRIBUTE_INROM && !inRom);
        checks->addWidget(box, i / 2, i % 2);
        boxes_[bit] = box;
        ++i;
    }
    layout->addLayout(checks);
    auto* line2 = new QFrame(this);
    line2->setFrameShape(QFrame::HLine);
    line2->setFixedHeight(1);
    layout->addWidget(line2);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(text(cmd::IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(cmd::IDCANCEL), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QCheckBox* CQSDFilePropertiesDialog::attributeBox(uint32_t bit) const {
    const auto it = boxes_.find(bit);
    return it == boxes_.end() ? nullptr : it->second;
}

QLabel* CQSDFilePropertiesDialog::label(int controlId) const {
    const auto it = labels_.find(controlId);
    return it == labels_.end() ? nullptr : it->second;
}

void CQSDFilePropertiesDialog::accept() {
    uint32_t checked = 0;
    for (const auto& [bit, box] : boxes_)
        if (box->isChecked())
            checked |= bit;
    QsdMessenger messenger(services_.messages, this);
    props_.apply(services_.fs, messenger, checked);
    QDialog::accept();
}

void CQSDFilePropertiesDialog::openForFolder(QsdServices& services, const QString& folder,
                                             QWidget* parent) {
    const auto props = QsdProperties::fromPath(services.fs, folder);
    if (!props) {
        QsdMessenger messenger(services.messages, parent);
        messenger.show(QsdMessenger::text(
                           30022, u"下記フォルダは既に存在しません。処理を中止します。\n\n%s"_qs),
                       folder, mb::MB_OK | mb::MB_ICONERROR);
        return;
    }
    CQSDFilePropertiesDialog dialog(services, *props, parent);
    dialog.exec();
}
