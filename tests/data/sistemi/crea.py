#!/usr/bin/env python3
"""Writes valido.sec and, under rotti/, one broken system file per way of breaking.

Each broken file is valido.sec with a single defect, so a refusal can only come
from that defect. Run from anywhere; the files are checked in, so this only needs
running again when a case is added.
"""
import pathlib
import struct

QUI = pathlib.Path(__file__).resolve().parent

PRONOSTICO = [4, 9, 17, 33, 50, 71, 90]
COLONNE = [(4, 9, 17, 33, 50, 71), (4, 9, 17, 33, 50, 90), (9, 17, 33, 50, 71, 90)]
VERO = 0xFFFF


def intestazione(in_gioco=len(PRONOSTICO), colonne=len(COLONNE), tipo=b"Condizionato",
                 lunghezza=None, pronostico=PRONOSTICO):
    if lunghezza is None:
        lunghezza = len(tipo)
    voci = bytes(pronostico) + bytes(90 - len(pronostico))
    return struct.pack("<BiH", in_gioco, colonne, lunghezza) + tipo + voci


def condizioni():
    pari = [0, 0, VERO, VERO, VERO, 0, 0]
    fissi = bytearray(90)
    fissi[17 - 1] = 1
    return (struct.pack("<3H", 0, VERO, VERO) + struct.pack("<7H", *pari) + struct.pack("<hh", 120, 260)
            + bytes(fissi) + struct.pack("<BHB", 1, 0, 0))


def colonne(elenco=COLONNE):
    return b"".join(bytes(c) for c in elenco)


def filtro():
    numeri = bytearray(90)
    for n in (4, 9, 33):
        numeri[n - 1] = 1
    return bytes(numeri) + struct.pack("<iH", 0b0000110, VERO)


def consecutivi():
    return struct.pack("<iH", 0b0001110, VERO)


def sezione(filtro_=None, consecutivi_=None, fine=True):
    filtro_ = filtro() if filtro_ is None else filtro_
    consecutivi_ = consecutivi() if consecutivi_ is None else consecutivi_
    dati = struct.pack("<i", 12345) + struct.pack("<i", 1) + filtro_ + struct.pack("<i", 2) + consecutivi_
    return dati + (struct.pack("<ii", 100, 200) if fine else b"")


def file(magic=b"sestplan001", intestazione_=None, condizioni_=None, colonne_=None, sezione_=None):
    return (magic + (intestazione() if intestazione_ is None else intestazione_)
            + (condizioni() if condizioni_ is None else condizioni_)
            + (colonne() if colonne_ is None else colonne_) + (sezione() if sezione_ is None else sezione_))


VALIDO = file()
FINE_COLONNE = len(file(sezione_=b""))

ROTTI = {
    "vuoto": b"",
    "magia-corta": b"sestp",
    "magia-senza-tag": file(magic=b"sestpian001"),
    "versione-002": file(magic=b"sestplan002"),
    "intestazione-troncata": VALIDO[:11 + 50],
    "testo-oltre-fine": b"sestplan001" + intestazione(colonne=0, lunghezza=500)[:7 + 20],
    "colonne-negative": file(intestazione_=intestazione(colonne=-1)),
    "colonne-oltre-limite": file(intestazione_=intestazione(colonne=1_850_001)),
    "in-gioco-91": file(intestazione_=intestazione(in_gioco=91, pronostico=list(range(1, 91)))),
    "pronostico-zero": file(intestazione_=intestazione(pronostico=[4, 9, 0, 33, 50, 71, 90])),
    "pronostico-91": file(intestazione_=intestazione(pronostico=[4, 9, 17, 33, 50, 71, 91])),
    "pronostico-ripetuto": file(intestazione_=intestazione(pronostico=[4, 9, 17, 33, 50, 9, 90])),
    "condizioni-troncate": VALIDO[:11 + 97 + 12 + 100],
    "colonne-troncate": VALIDO[:FINE_COLONNE - 3],
    "numero-91-in-colonna": file(colonne_=colonne([COLONNE[0], (4, 9, 17, 33, 50, 91), COLONNE[2]])),
    "filtro-troncato": VALIDO[:FINE_COLONNE + 8 + 50],
    "consecutivi-troncati": file(sezione_=struct.pack("<ii", 12345, 2) + consecutivi()[:3]),
    "tag-troncato": file(sezione_=struct.pack("<i", 12345) + b"\x02\x00"),
    "colonna-ripetuta": file(colonne_=colonne([COLONNE[0], (4, 9, 17, 33, 9, 50), COLONNE[2]])),
}


def main():
    (QUI / "valido.sec").write_bytes(VALIDO)
    rotti = QUI / "rotti"
    rotti.mkdir(exist_ok=True)
    for nome, dati in ROTTI.items():
        (rotti / f"{nome}.sec").write_bytes(dati)


if __name__ == "__main__":
    main()
