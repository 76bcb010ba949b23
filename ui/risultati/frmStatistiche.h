#pragma once

#include "Statistiche.h"

#include <QWidget>

class QChart;
class QChartView;
class QRadioButton;
class QScrollArea;

namespace sestina {

struct Corpo;
class Interfaccia;
class ZonaAttesa;

// The archive statistics ("Statistiche Archivio Estrazioni"): six tables over every draw, one
// shown as a bar chart at a time, and the per-draw values written to a CSV file in the temporary
// folder. Loaded hidden at start-up; closing only hides it until the program ends.
class frmStatistiche final : public QWidget {
    Q_OBJECT
public:
    frmStatistiche(Corpo& corpo, Interfaccia& ui, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmStatistiche)
    ~frmStatistiche() override;

    // Recomputes the tables in one pass, writes a new statistics file and shows Consecutivi.
    void refreshStat();
    void mostraStatistica(TipoStatistica tipo);

    const QString& fileStatistiche() const { return m_fileStatistiche; }
    const TabelleStatistiche& tabelle() const { return m_tabelle; }
    QChart* grafico() const;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    Corpo& m_corpo;
    Interfaccia& m_ui;
    TabelleStatistiche m_tabelle;
    QString m_fileStatistiche;

    ZonaAttesa* m_zona;
    QChartView* m_vista;
    QScrollArea* m_scorrimento;
    QList<QRadioButton*> m_opzioni;
};

} // namespace sestina
