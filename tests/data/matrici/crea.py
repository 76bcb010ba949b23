#!/usr/bin/env python3
"""Writes valida.mspl and, under rotte/, one broken matrix file per way of breaking.

Each broken file is the valid one with a single defect (its CRC trailer recomputed unless the
defect is the trailer), so a refusal can only come from that defect. The files are checked in;
run again only when a case is added.
"""
import pathlib
import struct
import zlib

QUI = pathlib.Path(__file__).resolve().parent

# Four columns over positions 1..10, written by hand.
COLONNE = [(1, 2, 3, 4, 5, 6), (1, 2, 3, 7, 8, 9), (4, 5, 6, 7, 8, 10), (1, 2, 9, 10, 5, 6)]


def intestazione(v=10, k=6, t=5, m=6, f=0, c=None, tag=b"matricesplv0001"):
    c = len(COLONNE) if c is None else c
    testo = lambda s, n: s.encode("cp1252")[:n].ljust(n, b" ")
    return (struct.pack("<5Bi", v, k, t, m, f, c) + testo("75%", 10) + testo("Autore Prova", 30) +
            testo("Matrice di prova", 60) + struct.pack("<dd", 45000.0, 47000.0) + b"\0\0" + tag[:15].ljust(15, b" "))


def colonne(righe=COLONNE, k=6):
    return bytes(righe[j][p] for p in range(k) for j in range(len(righe)))


def con_crc(corpo):
    return corpo + struct.pack("<I", zlib.crc32(corpo) & 0xFFFFFFFF)


def scrivi(nome, byte):
    (QUI / nome).parent.mkdir(parents=True, exist_ok=True)
    (QUI / nome).write_bytes(byte)


VALIDA = con_crc(intestazione() + colonne())

scrivi("valida.mspl", VALIDA)
rotte = {
    "intestazione-corta.mspl": con_crc(intestazione()[:100]),
    "colonne-negative.mspl": con_crc(intestazione(c=-1) + colonne()),
    "colonne-oltre-la-fine.mspl": con_crc(intestazione(c=5000) + colonne()),
    "k-sette.mspl": con_crc(intestazione(k=7) + colonne()),
    "posizione-zero.mspl": con_crc(intestazione() + bytes([0]) + colonne()[1:]),
    "posizione-oltre-v.mspl": con_crc(intestazione() + colonne()[:-1] + bytes([11])),
    "v-oltre-90.mspl": con_crc(intestazione(v=91) + colonne()),
    "fisse-sei.mspl": con_crc(intestazione(f=6) + colonne()),
    "garanzia-sette.mspl": con_crc(intestazione(t=7) + colonne()),
    "quattro-byte.mspl": VALIDA[:4],
    "posizione-ripetuta.mspl": con_crc(intestazione() + colonne(COLONNE[:3] + [(1, 2, 9, 10, 5, 2)])),
}
for nome, byte in rotte.items():
    scrivi("rotte/" + nome, byte)
# Readable but refused by their flags: the tag and the trailer.
scrivi("rotte/etichetta-errata.mspl", con_crc(intestazione(tag=b"matricesplv0002") + colonne()))
scrivi("rotte/crc-errato.mspl", VALIDA[:-1] + bytes([VALIDA[-1] ^ 1]))
