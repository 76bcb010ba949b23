#include "InterruttoreOnOff.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QRadioButton>

namespace sestina {

void EvidenziaOpzione(QAbstractButton& opzione, bool scelta) {
    // Start from the surroundings' palette so a restyle never inherits the other look.
    QPalette tavolozza = opzione.parentWidget() ? opzione.parentWidget()->palette() : QGuiApplication::palette();
    const QColor sfondo = scelta ? QColor(255, 255, 0) : tavolozza.color(QPalette::Active, QPalette::Button);
    const QColor testo = scelta ? QColor(0, 0, 0) : tavolozza.color(QPalette::Disabled, QPalette::WindowText);
    tavolozza.setColor(QPalette::Window, sfondo);
    tavolozza.setColor(QPalette::Button, sfondo);
    tavolozza.setColor(QPalette::WindowText, testo);
    tavolozza.setColor(QPalette::ButtonText, testo);
    opzione.setAutoFillBackground(true);
    opzione.setBackgroundRole(QPalette::Window);
    opzione.setPalette(tavolozza);
}

InterruttoreOnOff::InterruttoreOnOff(const QString& nome, QWidget* parent)
    : QGroupBox(QStringLiteral("Condizione"), parent) {
    setObjectName(nome);
    auto* disposizione = new QHBoxLayout(this);
    const QString didascalie[2] = {QStringLiteral("ON"), QStringLiteral("OFF")};
    for (int i = 0; i < 2; ++i) {
        // Sibling radio buttons are exclusive by themselves, and arrows and space work as usual.
        m_opzioni[i] = new OpzioneEvidenziata(didascalie[i], this);
        m_opzioni[i]->setObjectName(nome + QLatin1Char('_') + QString::number(i));
        disposizione->addWidget(m_opzioni[i]);
        // clicked, not toggled: arrows and space click too, and loading must not look like a press.
        connect(m_opzioni[i], &QAbstractButton::clicked, this, [this, i] { premi(i); });
    }
    scegli(1);
}

void InterruttoreOnOff::scegli(int indice) {
    m_scelto = indice == 0 ? 0 : 1;
    for (int i = 0; i < 2; ++i) {
        m_opzioni[i]->setChecked(i == m_scelto);
        EvidenziaOpzione(*m_opzioni[i], i == m_scelto);
    }
    if (m_flag)
        *m_flag = acceso() ? Vero : Falso;
}

void InterruttoreOnOff::collegaFlag(Flag& flag) {
    m_flag = &flag;
    scegli(flag != 0 ? 0 : 1);
}

QRadioButton* InterruttoreOnOff::opzione(int indice) const {
    return m_opzioni[indice == 0 ? 0 : 1];
}

void InterruttoreOnOff::premi(int indice) {
    const bool cambiato = indice != m_scelto;
    scegli(indice);
    Q_EMIT premuto(indice, cambiato);
}

} // namespace sestina
