#pragma once

#include <QComboBox>

namespace sestina {

class Interfaccia;

// The installed printers to choose from, named cmbStampante in every print window. The saved
// printer comes chosen; when it is gone the first one is, and the user is told to choose.
class SceltaStampante final : public QComboBox {
    Q_OBJECT

public:
    explicit SceltaStampante(QWidget* parent = nullptr);

    // Fills the list from the print system; an empty list is told too.
    void carica(const QString& salvata, Interfaccia& ui);
};

} // namespace sestina
