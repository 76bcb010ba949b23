#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace sestina {

struct Corpo;
class GrigliaSpoglio;
class Interfaccia;
class ModelloSpoglio;
class ZonaAttesa;

// The archive scrutiny ("Spoglio Estrazioni"): the System against a range of archived draws, one
// grid row per draw under the header and totals rows, and a summary of the best scores.
class frmSpoglioEstrazioni final : public QWidget {
    Q_OBJECT
public:
    frmSpoglioEstrazioni(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmSpoglioEstrazioni)
    ~frmSpoglioEstrazioni() override;

    // Fills the two range lists with the archive's dates; false when the archive is too large.
    bool populateCmbEstrazioni();
    // After the archive changed: the lists refilled, the chosen dates kept where they still exist.
    void aggiornaDate();
    void cmdSpoglioEstrazioni_Click();
    void SpoglioArchivioEstrazioni();
    // The grid's selection as text: rows of TAB-separated cells, each ending in CR LF.
    void CopyMSHFlexGridToClipBoard();

    const ModelloSpoglio& modello() const { return *m_modello; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void mostraGriglia(bool visibile);
    void scriviRiepilogo();
    void dimensionaColonne();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    ModelloSpoglio* m_modello;
    GrigliaSpoglio* m_flexGrid;
    ZonaAttesa* m_zonaGriglia;
    QComboBox* m_cmbDal;
    QComboBox* m_cmbAl;
    QPushButton* m_cmdSpoglio;
    QList<QLabel*> m_riepilogo;
};

} // namespace sestina
