#pragma once

#include "DialoghiFile.h"

#include <QStringList>

#include <deque>

namespace sestina {

// File dialogs answered from a script; every request is recorded.
class DialoghiFinti final : public DialoghiFile {
public:
    struct Richiesta {
        QString cartella;
        QString filtro;
        QString proposta;
        QString estensione;
    };

    QString apri(QWidget*, const QString& cartella, const QString& filtro) override;
    QString salva(QWidget*, const QString& cartella, const QString& proposta, const QString& filtro,
                  const QString& estensione) override;

    std::deque<QString> risposte; // an empty text is a cancelled dialog
    QList<Richiesta> richieste;

private:
    QString prossima();
};

} // namespace sestina
