#pragma once

#include "Sistema.h"

#include <QGroupBox>
#include <QRadioButton>

class QAbstractButton;

namespace sestina {

// The chosen/not-chosen look of an option button: yellow with black text when
// chosen, the palette's button face with grey text otherwise. Mode choices
// outside the condition editors use it too, so every choice reads the same.
void EvidenziaOpzione(QAbstractButton& opzione, bool scelta);

// An option button that answers over the whole coloured rectangle EvidenziaOpzione paints, not only
// over its round button and its caption.
class OpzioneEvidenziata final : public QRadioButton {
    Q_OBJECT

public:
    explicit OpzioneEvidenziata(const QString& testo, QWidget* parent = nullptr) : QRadioButton(testo, parent) {}

protected:
    bool hitButton(const QPoint& punto) const override { return rect().contains(punto); }
};

// The ON/OFF pair of every condition editor: option 0 "ON", option 1 "OFF",
// in a frame captioned "Condizione", named <nome>_0 and <nome>_1.
class InterruttoreOnOff final : public QGroupBox {
    Q_OBJECT

public:
    explicit InterruttoreOnOff(const QString& nome, QWidget* parent = nullptr);

    // Checks and restyles the pair and writes the linked flag; no premuto signal.
    void scegli(int indice);
    int scelto() const { return m_scelto; }
    bool acceso() const { return m_scelto == 0; }

    // From now on every choice writes flag at once (Vero for ON, Falso for OFF);
    // the pair shows the flag's current state straight away.
    void collegaFlag(Flag& flag);

    QRadioButton* opzione(int indice) const;

Q_SIGNALS:
    // The user chose indice; cambiato is false when it was already chosen.
    void premuto(int indice, bool cambiato);

private:
    void premi(int indice);

    QRadioButton* m_opzioni[2]{};
    Flag* m_flag = nullptr;
    int m_scelto = 1;
};

} // namespace sestina
