#pragma once

#include <QStringList>

namespace sestina::cli {

// schedine FILE.sec --tipo 2|5 [--da N] [--a M] [--superstar] (--pdf OUT.pdf | --stampante NOME): the slip job.
int EseguiSchedine(const QStringList& argomenti);
// taratura --tipo 2|5 (--pdf OUT.pdf | --stampante NOME): the test slip with the saved calibration.
int EseguiTaratura(const QStringList& argomenti);
// tabulato FILE.sec [--copie N] [--senza-pronostico] [--senza-colonne] [--bianco-nero] [--superstar]
// (--pdf | --stampante):
// the listing; into one PDF the copies follow each other, each from "Pag. 1".
int EseguiTabulato(const QStringList& argomenti);
// impostazioni [--costo-se EURO] [--costo-ss EURO] [--intestazione TESTO] [--stampante-tabulato NOME]:
// prints the print settings; with options, saves them as the settings dialog does, then prints them.
int EseguiImpostazioni(const QStringList& argomenti);
// The print commands draw text, so they need the GUI application object (offscreen is enough).
bool ComandoDiStampa(int argc, char* argv[]);

} // namespace sestina::cli
