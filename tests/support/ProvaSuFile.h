#pragma once

#include "FakeInterfaccia.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace sestina {

struct Sistema;

// The whole file, or "<none>" when it cannot be read.
QByteArray Contenuto(const QString& percorso);
bool Scrivi(const QString& percorso, const QByteArray& dati);

// Hostile stand-ins for a file: "<zero>" makes percorso a link to /dev/zero (endless, size 0),
// "<fifo>" a FIFO nobody writes to (opening it for reading would wait forever). Returns percorso.
QString FileOstile(const QString& tipo, const QString& percorso);
bool FileOstile(const QString& nome);

// A common error as the storage functions word it.
QString Comune(int numero, const QString& descrizione, const QString& procedura);

// Runs azione with every file write capped at byte bytes, so a save fails in the write itself, for
// root too. False, with azione not run, where no such cap can be set.
bool ConScritturaLimitata(const std::function<void()>& azione, qint64 byte = 300);

// Makes an existing folder refuse every write while it lives, for root too: a read-only bind mount of
// the folder on itself, or without root its permissions. valida() is false where neither works.
class CartellaSolaLettura {
public:
    explicit CartellaSolaLettura(QString cartella);
    ~CartellaSolaLettura();
    CartellaSolaLettura(const CartellaSolaLettura&) = delete;
    CartellaSolaLettura& operator=(const CartellaSolaLettura&) = delete;
    bool valida() const { return m_valida; }

private:
    QString m_cartella;
    bool m_montata = false;
    bool m_valida = false;
};

// A developed System with something in every field a system file holds, SuperStar off and a name of
// its own: unlike anything the suites' files bring.
void Popola(Sistema& s);
// Columns 1..colonne of six distinct numbers that change from column to column; 15 already use all 90.
void Riempi(Sistema& s, int colonne);
bool StesseColonne(const Sistema& a, const Sistema& b);
// Every field that opening or importing a file sets or must leave alone, all the columns included.
void ConfrontaTutto(const Sistema& atteso, const Sistema& s);

// The storage suites' fixture: a scratch folder and a scripted user, fresh for every test function.
class ProvaSuFile : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<FakeInterfaccia> m_ui;
    std::unique_ptr<QTemporaryDir> m_cartella;

    QString Percorso(const QString& nome) const { return m_cartella->filePath(nome); }

    // The messages word for word, an empty text standing for none: common errors carry the
    // application's title and no icon, the column limit its own title, any other the file error's.
    void VerificaMessaggi(QStringList testi);

    // apri, given a Popola'd System, must refuse: told in `messaggio` (nothing for an empty one),
    // the System left exactly as it was.
    void VerificaRifiuto(const std::function<bool(Sistema&)>& apri, const QString& messaggio);

private Q_SLOTS:
    void init();
    void cleanup();
};

} // namespace sestina
