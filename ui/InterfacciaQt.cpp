#include "InterfacciaQt.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace sestina {

namespace {

QMessageBox::Icon iconaQt(Icona icona) {
    switch (icona) {
    case Icona::Critica:
        return QMessageBox::Critical;
    case Icona::Domanda:
        return QMessageBox::Question;
    case Icona::Esclamazione:
        return QMessageBox::Warning;
    case Icona::Informazione:
        return QMessageBox::Information;
    case Icona::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons pulsantiQt(Pulsanti pulsanti) {
    switch (pulsanti) {
    case Pulsanti::OkAnnulla:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Pulsanti::SiNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Pulsanti::SiNoAnnulla:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Pulsanti::Ok:
        break;
    }
    return QMessageBox::Ok;
}

Risposta risposta(int pulsante) {
    switch (pulsante) {
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    case QMessageBox::Cancel:
        return Risposta::Annulla;
    default:
        return Risposta::Ok;
    }
}

} // namespace

QWidget* InterfacciaQt::genitore() {
    if (QWidget* modale = QApplication::activeModalWidget())
        return modale;
    return QApplication::activeWindow();
}

Risposta InterfacciaQt::messaggio(const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti) {
    // The texts break lines with CR or CR LF; Qt's labels only break on LF.
    QString mostrato = testo;
    mostrato.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(iconaQt(icona), titolo, mostrato, pulsantiQt(pulsanti), genitore());
    box.setTextFormat(Qt::PlainText); // a System's name is never markup
    // The first button is the default, as users of the old boxes expect.
    if (pulsanti == Pulsanti::SiNo || pulsanti == Pulsanti::SiNoAnnulla)
        box.setDefaultButton(QMessageBox::Yes);
    // An override cursor would show the hourglass over the box itself.
    const bool cursore = QApplication::overrideCursor() != nullptr;
    if (cursore)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int scelto = box.exec();
    if (cursore)
        QApplication::restoreOverrideCursor();
    // Closing a Yes/No box any other way means No.
    if (pulsanti == Pulsanti::SiNo && scelto != QMessageBox::Yes)
        return Risposta::No;
    return risposta(scelto);
}

std::optional<QString> InterfacciaQt::chiedi(const QString& titolo, const QString& prompt, const QString& proposta) {
    bool ok = false;
    const QString testo = QInputDialog::getText(genitore(), titolo, prompt, QLineEdit::Normal, proposta, &ok);
    if (!ok)
        return std::nullopt;
    return testo;
}

void InterfacciaQt::beep() {
    QApplication::beep();
}

void InterfacciaQt::occupato(bool acceso) {
    if (acceso)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void InterfacciaQt::elaboraEventi() {
    QCoreApplication::processEvents();
}

} // namespace sestina
