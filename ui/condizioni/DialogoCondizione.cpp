#include "DialogoCondizione.h"

#include "Finestre.h"
#include "Sistema.h"

#include <QGroupBox>

namespace sestina {

ColoriGriglia ColoriCondizione() {
    ColoriGriglia colori;
    colori.sfondoScelto = QColor(255, 0, 0);
    colori.testoScelto = Qt::white;
    colori.sfondoLibero = Qt::white;
    colori.testoLibero = Qt::black;
    colori.grassettoScelto = false;
    return colori;
}

DialogoCondizione::DialogoCondizione(Sistema& sistema, const QString& titolo, QWidget* parent)
    : QDialog(parent), m_sistema(sistema) {
    CentraAllaComparsa(*this);
    setWindowTitle(titolo);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QGroupBox* DialogoCondizione::frameEsterno(const QString& nome, const QString& titolo) {
    if (!m_frame) {
        m_frame = new QGroupBox(titolo, this);
        m_frame->setObjectName(nome);
        m_frame->setEnabled(!sviluppato());
    }
    return m_frame;
}

bool DialogoCondizione::sviluppato() const {
    return m_sistema.sistemaSviluppato != 0;
}

void DialogoCondizione::done(int risultato) {
    if (!puoChiudere())
        return;
    allaChiusura();
    QDialog::done(risultato);
}

} // namespace sestina
