#!/usr/bin/env python3
"""Writes valido.txt, valido.ext and, under rotti/, one broken file per way of breaking.

Each broken file is its valid sibling with a single defect, so a refusal can only come
from that defect. Run from anywhere; the files are checked in, so this only needs
running again when a case is added.
"""
import pathlib

QUI = pathlib.Path(__file__).resolve().parent

COLONNE = [(4, 9, 17, 33, 50, 71), (4, 9, 17, 33, 50, 90), (1, 9, 17, 33, 50, 71)]


def riga_txt(colonna):
    return " " + "".join("%02d " % n for n in colonna)


def txt(righe):
    return "".join(r + "\r\n" for r in righe).encode("cp1252")


def righe_valide():
    return [riga_txt(c) for c in COLONNE]


def ext(generale=None, descrizione=None, voci=None):
    """An Extrema file; a value of None in a dict leaves that key out."""
    g = {"release": "3.0", "gioco": "SuperEnalotto", "colonne": str(len(COLONNE)), "superstar": "1",
         "pannelli": str(len(COLONNE)), "max_marche_per_pannello": "6"}
    g.update(generale or {})
    d = {"nome": "Sistema Prova.SEC", "1": "Condizionato", "2": "seconda riga", "3": "", "4": "", "5": "ultima \u20ac"}
    d.update(descrizione or {})
    v = {"%06d" % i: "-".join("%02d" % n for n in c) + "*" for i, c in enumerate(COLONNE, 1)}
    v.update(voci or {})
    testo = ""
    for nome, sezione in (("Generale", g), ("Descrizione", d), ("Combinazioni", v)):
        testo += "[%s]\r\n" % nome
        testo += "".join("%s=%s\r\n" % (k, x) for k, x in sezione.items() if x is not None)
    return testo.encode("cp1252")


def main():
    rotti = QUI / "rotti"
    rotti.mkdir(exist_ok=True)
    for vecchio in rotti.iterdir():
        vecchio.unlink()
    (QUI / "valido.txt").write_bytes(txt(righe_valide()))
    (QUI / "valido.ext").write_bytes(ext())

    def rotto_txt(nome, sostituta, indice=1):
        righe = righe_valide()
        righe[indice] = sostituta
        (rotti / (nome + ".txt")).write_bytes(txt(righe))

    rotto_txt("campo-non-numerico", " 04 09 1x 33 50 90 ")
    rotto_txt("numero-91", " 04 09 17 33 50 91 ")
    rotto_txt("numero-zero", " 00 09 17 33 50 90 ")
    rotto_txt("numero-negativo", " 04 -9 17 33 50 90 ")
    rotto_txt("cinque-campi", " 04 09 17 33 50 ")
    rotto_txt("numero-ripetuto", " 05 05 05 05 05 05 ")

    def rotto_ext(nome, **parti):
        (rotti / (nome + ".ext")).write_bytes(ext(**parti))

    rotto_ext("release-2.0", generale={"release": "2.0"})
    rotto_ext("gioco-errato", generale={"gioco": "Lotto"})
    rotto_ext("marche-5", generale={"max_marche_per_pannello": "5"})
    rotto_ext("marche-300", generale={"max_marche_per_pannello": "300"})
    rotto_ext("colonne-mancanti", generale={"colonne": None})
    rotto_ext("colonne-non-numeriche", generale={"colonne": "tre"})
    rotto_ext("colonne-negative", generale={"colonne": "-3"})
    rotto_ext("pannelli-non-numerici", generale={"pannelli": "3.5"})
    rotto_ext("superstar-mancante", generale={"superstar": None})
    rotto_ext("superstar-non-numerico", generale={"superstar": "si"})
    rotto_ext("voce-mancante", voci={"000002": None})
    rotto_ext("voce-cinque-numeri", voci={"000002": "04-09-17-33-50-"})
    rotto_ext("voce-non-numerica", voci={"000002": "04-09-17-3x-50-90*"})
    rotto_ext("voce-numero-91", voci={"000002": "04-09-17-33-50-91*"})
    rotto_ext("voce-numero-ripetuto", voci={"000002": "04-09-17-33-17-90*"})


if __name__ == "__main__":
    main()
