#include "CQSDFilePropertiesDialog.h"

#include "QsdTypes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CQSDFilePropertiesDialog::CQSDFilePropertiesDialog(QsdServices& services,
                                                   const QsdProperties& properties, QWidget* parent)
    : QDialog(parent), services_(services), props_(properties) {
    setWindowTitle(u"ファイルプロパティ"_qs);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const auto addRow = [&](int labelId, const QString& caption, int valueId,
                            const QString& value) {
        const int row = grid->rowCount();
        auto* l = new QLabel(caption, this);
        auto* v = new QLabel(value, this);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        grid->addWidget(l, row, 0, Qt::AlignTop);
        grid->addWidget(v, row, 1);
        labels_[labelId] = l;
        labels_[valueId] = v;
    };
    addRow(9900, u"ファイル名："_qs, 9912, props_.name);
    addRow(9915, u"フォルダ："_qs, 9913, props_.folder);
    addRow(9916, u"サイズ："_qs, 9922, QsdProperties::sizeText(props_.size));
    addRow(9917, u"更新時刻："_qs, 9919, QsdProperties::timeText(props_.lastWriteTime));
    grid->setColumnStretch(1, 1);
    if (props_.isFolder()) {
        labels_[9900]->hide();
        labels_[9912]->hide();
    }
    layout->addLayout(grid);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFixedHeight(1);
    layout->addWidget(line);

    auto* checks = new QGridLayout;
    const std::pair<uint32_t, QString> boxes[] = {
        {fa::FILE_ATTRIBUTE_READONLY, u"読み取り専用"_qs},
        {fa::FILE_ATTRIBUTE_HIDDEN, u"隠しファイル"_qs},
        {fa::FILE_ATTRIBUTE_ARCHIVE, u"アーカイブ"_qs},
        {fa::FILE_ATTRIBUTE_SYSTEM, u"システム"_qs},
        {fa::FILE_ATTRIBUTE_INROM, u"ROMファイル"_qs},
        {fa::FILE_ATTRIBUTE_TEMPORARY, u"一時ファイル"_qs}};
    int i = 0;
    const bool inRom = props_.attributes & fa::FILE_ATTRIBUTE_INROM;
    for (const auto& [bit, text] : boxes) {
        auto* box = new QCheckBox(text, this);
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
    buttons->addButton(u"OK"_qs, QDialogButtonBox::AcceptRole);
    buttons->addButton(u"キャンセル"_qs, QDialogButtonBox::RejectRole);
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
