#pragma once

#include "QsdProperties.h"
#include "QsdServices.h"

#include <QDialog>
#include <map>

class QCheckBox;
class QLabel;

// Shows one file or folder with its size and time and edits its attributes.
class CQSDFilePropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    CQSDFilePropertiesDialog(QsdServices& services, const QsdProperties& properties,
                             QWidget* parent = nullptr);

    // The values after OK (attributes updated when the change succeeded).
    const QsdProperties& properties() const { return props_; }
    QCheckBox* attributeBox(uint32_t bit) const;
    QLabel* label(int controlId) const;

    // Opens the dialog for a folder of the tree; message 30022 when it vanished.
    static void openForFolder(QsdServices& services, const QString& folder, QWidget* parent);

    void accept() override;

  private:
    QsdServices& services_;
    QsdProperties props_;
    std::map<uint32_t, QCheckBox*> boxes_;
    std::map<int, QLabel*> labels_;
};
