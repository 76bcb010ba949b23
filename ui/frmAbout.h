#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QLabel;

namespace sestina {

class Interfaccia;

inline const QString IndirizzoEditore = QStringLiteral("https://www.sestinaplan.it");

// What the about box asks of the desktop; tests put their own in its place.
struct ServiziInformazioni {
    std::function<QString()> cercaInfoSistema;          // the tool's path, empty when there is none
    std::function<bool(const QString&)> avviaProgramma; // starts it without waiting
    std::function<bool(const QUrl&)> apriIndirizzo;     // the desktop's default handler

    static ServiziInformazioni predefiniti();
};

// The system-information tool of this platform. Elsewhere than on Windows: the first of the
// known graphical tools found in `cartelle`, or in PATH when `cartelle` is empty.
QString CercaInfoSistema(const QStringList& cartelle = {});

// The information box.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    frmAbout(Interfaccia& ui, const QString& edizione, QWidget* parent = nullptr,
             ServiziInformazioni servizi = ServiziInformazioni::predefiniti());
    Q_DISABLE_COPY_MOVE(frmAbout)

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void infoSistema();

    Interfaccia& m_ui;
    ServiziInformazioni m_servizi;
    QLabel* m_indirizzo = nullptr;
};

} // namespace sestina
