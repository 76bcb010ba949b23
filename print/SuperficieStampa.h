#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace sestina {

enum class Unita { Millimetri, Twip };
enum class QualitaStampa { Media, Bozza };

// The printer operations the slips and the listing need. Positions are in the current unit,
// measured from the top-left corner of the printable area, x to the right and y downwards.
// A failing printer makes any operation throw Errore.
class SuperficieStampa {
public:
    virtual ~SuperficieStampa() = default;

    // Device names of the installed printers, in the platform's order.
    virtual QStringList stampanti() const = 0;
    // Makes the printer with exactly that device name the target; false (and no change) when none has it.
    virtual bool selezionaStampante(const QString& nome) = 0;

    // A4 portrait for the documents to come: a printer keeps its own paper otherwise. A PDF is A4 already.
    virtual void impostaA4Verticale() = 0;
    // Width and height of the printable area, in the current unit.
    virtual QSizeF areaStampabile() const = 0;

    virtual void impostaUnita(Unita unita) = 0;
    virtual void impostaQualita(QualitaStampa qualita) = 0;
    // Solid lines one device unit wide, black, rectangles filled solid.
    virtual void impostaStatoDisegno() = 0;
    virtual void impostaFont(const QString& nome, double punti, bool grassetto) = 0;
    virtual void impostaGrassetto(bool grassetto) = 0;
    virtual void impostaDimensione(double punti) = 0;

    // In the current unit, with the current font.
    virtual double larghezzaTesto(const QString& testo) = 0;
    virtual double altezzaRiga() = 0;

    virtual void spostaA(double x, double y) = 0;
    virtual double x() const = 0;
    virtual double y() const = 0;
    // Top-left corner at the current position. Without line end x advances by the text's width;
    // with it x returns to 0 and y moves down one line height of the current font.
    virtual void stampa(const QString& testo, bool aCapo) = 0;
    // A filled rectangle between two corners.
    virtual void rettangolo(double x1, double y1, double x2, double y2) = 0;
    // At its natural size (the image's own dots per metre), top-left corner at (x, y).
    virtual void immagine(const QImage& figura, double x, double y) = 0;

    virtual void nuovaPagina() = 0;
    // Sends the document; a last page left empty by nuovaPagina is not printed.
    virtual void fineDocumento() = 0;
    // The page of the current document, from 1.
    virtual int pagina() const = 0;
};

} // namespace sestina
