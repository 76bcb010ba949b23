#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QToolButton;

namespace sestina {

// The six paging commands, in the order their buttons appear.
enum class ComandoPannello { Primo, Indietro2, Indietro1, Avanti1, Avanti2, Ultimo };

// Where a command leads from `corrente`, never leaving primo..ultimo.
int PannelloDopo(ComandoPannello comando, int corrente, int primo, int ultimo, int passoGrande);

// Panels needed to show `elementi` items `perPannello` at a time; at least one, so an empty
// list still has a panel to stand on.
int NumeroPannelli(int elementi, int perPannello);

// A row of pictorial buttons that pages through panels primo..ultimo in steps of 1 and
// `passoGrande`. A key held on a step button repeats its step.
class NavigatorePannelli final : public QWidget {
    Q_OBJECT

public:
    explicit NavigatorePannelli(int passoGrande = 10, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(NavigatorePannelli)

    // Sets the range and goes back to primo.
    void impostaLimiti(int primo, int ultimo);
    // Goes to pannello, clamped into the range.
    void vaiA(int pannello);
    void esegui(ComandoPannello comando);
    void impostaSuggerimento(ComandoPannello comando, const QString& testo);

    int primo() const { return m_primo; }
    int ultimo() const { return m_ultimo; }
    int corrente() const { return m_corrente; }
    int passoGrande() const { return m_passoGrande; }

Q_SIGNALS:
    void pannelloCambiato(int pannello);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    std::array<QToolButton*, 6> m_pulsanti{};
    int m_passoGrande;
    int m_primo = 1;
    int m_ultimo = 1;
    int m_corrente = 1;
};

} // namespace sestina
