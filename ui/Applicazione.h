#pragma once

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include <functional>

namespace sestina {

class Interfaccia;

// Qt's own texts (standard buttons, file, print and preview dialogs) in the user's language when Qt
// has it, otherwise in Italian like the rest of the program. The translator is installed, owned by
// app; null when not even the Italian one is there.
QTranslator* CaricaTraduzioniQt(QCoreApplication& app, const QLocale& lingua);

// Delivers one event; memory that runs out in its handler is told with the common error box
// (error 7, the receiver's name as the procedure, its window's as the Form) and the event counts as
// handled, so the program goes on. True when the handler took the event.
bool ConsegnaProtetta(const std::function<bool()>& consegna, const QObject* destinatario, Interfaccia& ui);

// The program's QApplication: every event goes through ConsegnaProtetta.
class Applicazione final : public QApplication {
    Q_OBJECT

public:
    Applicazione(int& argc, char** argv);
    // Where the box goes; until it is set, running out of memory ends the program as before.
    void impostaInterfaccia(Interfaccia* ui) { m_ui = ui; }
    bool notify(QObject* destinatario, QEvent* evento) override;

private:
    Interfaccia* m_ui = nullptr;
};

} // namespace sestina
