#pragma once

#include <QStringList>

#include <memory>

namespace sestina {

struct Corpo;
class DialoghiFile;
class Interfaccia;
class IstanzaUnica;
class frmMAIN;

// The program's start-up, in its order, and the windows it leaves open.
class Avvio final {
public:
    struct Opzioni {
        QString cartellaDati; // empty: the platform's data folder
        int attesaSplashMs = 1000;
        QString matriciDistribuite;    // empty: the shipped set beside the program
        QString estrazioniDistribuite; // empty: the shipped draws beside the program
    };

    Avvio(Corpo& corpo, Interfaccia& ui, DialoghiFile& dialoghi);
    ~Avvio();
    Avvio(const Avvio&) = delete;
    Avvio& operator=(const Avvio&) = delete;

    // Runs the start-up. False when this instance must end: another one is running and has been
    // brought to the front, or the server announced a newer version.
    bool esegui(const QStringList& argomenti, const Opzioni& opzioni);

    frmMAIN* principale() const { return m_principale.get(); }

private:
    bool ControllaVersione();
    void serviRichieste();

    Corpo& m_corpo;
    Interfaccia& m_ui;
    DialoghiFile& m_dialoghi;
    std::unique_ptr<IstanzaUnica> m_istanza;
    std::unique_ptr<frmMAIN> m_principale;
    QStringList m_richieste; // files asked by later starts, empty for "come forward"
    bool m_riprovaInCorso = false;
};

// The command-line text: the arguments after the program's name, joined by blanks.
QString TestoRigaDiComando(const QStringList& argomenti);

} // namespace sestina
