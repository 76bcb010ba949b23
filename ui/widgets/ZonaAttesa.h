#pragma once

#include <QWidget>

class QLabel;
class QStackedLayout;

namespace sestina {

// A view that gives its place to a centred working label ("... in corso / Attendere") while
// its content is being made.
class ZonaAttesa final : public QWidget {
    Q_OBJECT

public:
    ZonaAttesa(QWidget* contenuto, const QString& nomeEtichetta, const QString& testo, QWidget* parent);

    void mostraContenuto(bool visibile);

private:
    QWidget* m_contenuto;
    QLabel* m_attesa;
    QStackedLayout* m_pila;
};

} // namespace sestina
