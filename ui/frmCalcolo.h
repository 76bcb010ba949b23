#pragma once

#include "Sviluppo.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace sestina {

struct Sistema;
class Interfaccia;

// The development progress window. Shown without blocking when the engine
// starts; its cancel button asks and then sets sviluppoAnnullato, which the
// engine polls between candidates.
class frmCalcolo final : public QWidget, public OsservatoreSviluppo {
    Q_OBJECT
    Q_PROPERTY(double colonneIntegrale READ colonneIntegrale WRITE setColonneIntegrale)
    Q_PROPERTY(double colonneElaborate READ colonneElaborate WRITE setColonneElaborate)
    Q_PROPERTY(int colonneSistema READ colonneSistema WRITE setColonneSistema)

public:
    frmCalcolo(Sistema& sistema, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmCalcolo)

    double colonneIntegrale() const { return m_colonneIntegrale; }
    double colonneElaborate() const { return m_colonneElaborate; }
    int colonneSistema() const { return m_colonneSistema; }
    void setColonneIntegrale(double valore) { m_colonneIntegrale = valore; }
    void setColonneElaborate(double valore) { m_colonneElaborate = valore; }
    void setColonneSistema(int valore) { m_colonneSistema = valore; }

    void avvio(double integrale) override;
    void contatori(double elaborate, std::int32_t accettate) override;
    void passo(std::int32_t passo, double integrale, double elaborate, std::int32_t accettate) override;
    void allarme(const QString& testo) override;
    void fine(double integrale, double elaborate, std::int32_t accettate) override;

protected:
    // The close box is a cancel request while a development runs.
    void closeEvent(QCloseEvent* evento) override;

private:
    void cmdAnnulla_Click();
    // Beeps and asks; true when the user chose to stop.
    bool chiediAnnullamento();
    bool sviluppoInCorso() const;
    void scriviContatori(double integrale, double elaborate, std::int32_t accettate);

    Sistema& m_sistema;
    Interfaccia& m_ui;

    double m_colonneIntegrale = 0;
    double m_colonneElaborate = 0;
    int m_colonneSistema = 0;
    bool m_inCorso = false;

    QLabel* m_labDaElaborare;
    QLabel* m_labElaborate;
    QLabel* m_labSistema;
    QProgressBar* m_barra;
    QLabel* m_lblAllarme;
    QPushButton* m_cmdAnnulla;
};

} // namespace sestina
