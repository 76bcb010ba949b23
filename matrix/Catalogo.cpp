#include "Catalogo.h"

#include "CartellaIntera.h"
#include "Corpo.h"
#include "Cp1252.h"
#include "Download.h"
#include "Errore.h"
#include "FileIntero.h"
#include "FileMatrice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace sestina {
namespace {

constexpr int LunghezzaMassimaNome = 64;
constexpr qint64 DimensioneMassimaLista = 1024 * 1024;

QString Due(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool CopiaIntera(const QString& da, const QString& a) {
    try {
        return ScriviFileIntero(a, LeggiFileLimitato(da, DimensioneMassimaMatrice));
    } catch (const Errore&) {
        return false;
    }
}

VoceCatalogo Voce(const QString& nome, const QByteArray& file) {
    VoceCatalogo voce;
    voce.nomeFile = nome;
    voce.intestazione = IntestazioneDaByte(file.first(std::min<qsizetype>(file.size(), DimensioneIntestazioneMatrice)));
    voce.versioneValida = voce.intestazione.VERSION_TAG == EtichettaVersioneMatrice ? Vero : Falso;
    voce.crcValido = CrcMatriceValido(file) ? Vero : Falso;
    voce.difetto = DifettoMatrice(file);
    return voce;
}

// What cannot be read (a link to a device, a FIFO, a file gone) reads as empty, and so is left out.
VoceCatalogo VoceDelFile(const QString& nome, const QString& percorso) {
    try {
        VoceCatalogo voce = VoceFileMatrice(percorso);
        voce.nomeFile = nome;
        return voce;
    } catch (const Errore&) {
        return Voce(nome, {});
    }
}

// The names of the published list, upper case, blank lines left out.
QStringList NomiDellaLista(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList nomi;
    for (const QByteArray& riga : file.read(std::min(DimensioneMassimaLista, file.size())).split('\n')) {
        const QString nome = QString::fromLatin1(riga).trimmed().toUpper();
        if (!nome.isEmpty())
            nomi << nome;
    }
    return nomi;
}

// A downloaded file that is a usable matrix written over the local one of its name; the same
// name in another case is the same matrix, which gives way to the new one.
bool Conserva(const QString& scaricato, const QDir& matrici, const QString& locale) {
    QFile file(scaricato);
    if (!file.open(QIODevice::ReadOnly) || file.size() > DimensioneMassimaMatrice)
        return false;
    const QByteArray byte = file.readAll();
    if (!MatriceScaricabile(byte) || !ScriviFileIntero(matrici.filePath(locale), byte))
        return false;
    for (const QString& esistente : matrici.entryList(QDir::Files | QDir::Hidden))
        if (esistente.compare(locale, Qt::CaseInsensitive) == 0 && esistente != locale)
            QFile::remove(matrici.filePath(esistente));
    return true;
}

} // namespace

VoceCatalogo VoceFileMatrice(const QString& percorso) {
    const QString nome = QFileInfo(percorso).fileName();
    try {
        return Voce(nome, LeggiFileLimitato(percorso, DimensioneMassimaMatrice));
    } catch (const FileTroppoGrande& e) {
        // Judged by its header alone; its CRC is not read.
        VoceCatalogo voce = Voce(nome, LeggiInizioFile(percorso, DimensioneIntestazioneMatrice));
        voce.crcValido = Falso;
        voce.difetto = e.descrizione();
        return voce;
    }
}

QList<std::pair<QString, QString>> CampiIntestazione(const MATRIX_HEADER& h) {
    const auto testo = [](const QByteArray& byte) { return DaCp1252(byte).trimmed(); };
    const auto data = [](double giorni) { return DaDataOle(giorni).toString(QStringLiteral("yyyy-MM-dd")); };
    return {{QStringLiteral("NUMBERS_OF_MATRIX_V"), QString::number(h.NUMBERS_OF_MATRIX_V)},
            {QStringLiteral("LENGTH_OF_COLUMN_K"), QString::number(h.LENGTH_OF_COLUMN_K)},
            {QStringLiteral("GARANTY_T"), QString::number(h.GARANTY_T)},
            {QStringLiteral("PICK_UP_NUMBERS_M"), QString::number(h.PICK_UP_NUMBERS_M)},
            {QStringLiteral("FIXED_NUMBERS_OF_MATRIX_F"), QString::number(h.FIXED_NUMBERS_OF_MATRIX_F)},
            {QStringLiteral("COLUMNS_OF_MATRIX_C"), QString::number(h.COLUMNS_OF_MATRIX_C)},
            {QStringLiteral("PERCENTAGE_COVER"), testo(h.PERCENTAGE_COVER)},
            {QStringLiteral("AUTHOR"), testo(h.AUTHOR)},
            {QStringLiteral("DESCRIPTION"), testo(h.DESCRIPTION)},
            {QStringLiteral("VALID_FROM"), data(h.VALID_FROM)},
            {QStringLiteral("VALID_TO"), data(h.VALID_TO)},
            {QStringLiteral("RESERVED"), QStringLiteral("%1 %2").arg(h.RESERVED[0]).arg(h.RESERVED[1])},
            {QStringLiteral("VERSION_TAG"), testo(h.VERSION_TAG)}};
}

QStringList ElencaFile(const QString& cartella, const QString& filtro) {
    QStringList nomi = QDir(cartella).entryList({filtro}, QDir::Files | QDir::Hidden, QDir::Unsorted);
    if (nomi.isEmpty())
        nomi << QString();
    return nomi;
}

QString CartellaMatrici(const QString& cartellaDati) {
    return cartellaDati + QStringLiteral("/matrici");
}

std::vector<VoceCatalogo> CatalogoDellaCartella(const QString& cartellaMatrici, int numeri) {
    const QStringList nomi = ElencaFile(cartellaMatrici, QStringLiteral("*.mspl"));
    std::vector<VoceCatalogo> catalogo;
    for (const QString& nome : nomi) {
        if (nome.isEmpty())
            continue;
        VoceCatalogo voce = VoceDelFile(nome, QDir(cartellaMatrici).filePath(nome));
        const MATRIX_HEADER& h = voce.intestazione;
        if ((numeri != 0 && h.NUMBERS_OF_MATRIX_V != numeri) || h.LENGTH_OF_COLUMN_K != 6 || h.PICK_UP_NUMBERS_M != 6)
            continue;
        catalogo.push_back(std::move(voce));
    }
    if (catalogo.empty())
        catalogo.resize(static_cast<std::size_t>(nomi.size()));
    for (std::size_t i = 0; i < catalogo.size(); ++i)
        for (std::size_t j = i + 1; j < catalogo.size(); ++j)
            if (catalogo[i].intestazione.NUMBERS_OF_MATRIX_V > catalogo[j].intestazione.NUMBERS_OF_MATRIX_V)
                std::swap(catalogo[i], catalogo[j]);
    return catalogo;
}

void CaricaCatalogoMatrici(Corpo& corpo, int numeri) {
    corpo.catalogoMatrici = CatalogoDellaCartella(CartellaMatrici(corpo.cartellaDati), numeri);
}

QString RigaCatalogo(const VoceCatalogo& voce) {
    const MATRIX_HEADER& h = voce.intestazione;
    return QStringLiteral(" %1 | %2 | %3 | %4 | %5 | %6 | %7")
        .arg(Due(h.NUMBERS_OF_MATRIX_V), Due(h.LENGTH_OF_COLUMN_K), Due(h.GARANTY_T), Due(h.PICK_UP_NUMBERS_M),
             Due(h.FIXED_NUMBERS_OF_MATRIX_F), QStringLiteral("%1").arg(h.COLUMNS_OF_MATRIX_C, 6),
             DaCp1252(h.PERCENTAGE_COVER));
}

bool NomePubblicatoValido(const QString& nome) {
    if (nome.isEmpty() || nome.size() > LunghezzaMassimaNome || nome.contains(QLatin1String("..")) ||
        nome == QLatin1String("."))
        return false;
    for (const QChar c : nome)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/') || c == QLatin1Char('\\') ||
            c == QLatin1Char(':'))
            return false;
    return true;
}

QString NomeLocaleMatrice(const QString& nomePubblicato) {
    QString nome = nomePubblicato;
    return nome.replace(QStringLiteral(".DAT"), QStringLiteral(".mspl"), Qt::CaseSensitive);
}

ScaricaPagina PagineDalServer(const QString& indirizzoServer, Interfaccia& ui) {
    return [indirizzoServer, &ui](const QString& pagina, const QString& percorso, ContoDownload& conto) {
        return DownloadFile(indirizzoServer + pagina, percorso, true, ui, {}, &conto);
    };
}

QString TestoEsitoMatrici(const EsitoMatrici& esito) {
    return QStringLiteral("Matrici scaricate: %1, scartate: %2").arg(esito.scaricate).arg(esito.scartate);
}

bool MatriceScaricabile(const QByteArray& file) {
    if (!DifettoMatrice(file).isEmpty() || !CrcMatriceValido(file))
        return false;
    const MATRIX_HEADER h = IntestazioneDaByte(file);
    const qint64 colonne = h.COLUMNS_OF_MATRIX_C;
    // DifettoMatrice has already refused a position twice in a column.
    return h.VERSION_TAG == EtichettaVersioneMatrice && file.size() == DimensioneIntestazioneMatrice + 6 * colonne + 4;
}

EsitoMatrici AggiornaMatrici(const ScaricaPagina& scarica, const QString& cartellaMatrici,
                             OsservatoreMatrici* osservatore) {
    EsitoMatrici esito;
    const CartellaPrivata scratch;
    if (!scratch.valida())
        return esito;
    ContoDownload conto;
    conto.disponibili = MassimoBytePerAggiornamento;
    const auto interrotto = [osservatore] { return osservatore && osservatore->interrotto(); };
    conto.interrotto = interrotto;
    const QString lista = scratch.percorso() + QStringLiteral("sestinaplanmatrici.txt");
    if (!scarica(PaginaListaMatrici, lista, conto)) {
        esito.interrotto = interrotto();
        return esito;
    }
    esito.listaScaricata = true;
    const QStringList nomi = NomiDellaLista(lista);
    if (!QDir().mkpath(cartellaMatrici))
        return esito;
    const QDir matrici(cartellaMatrici);
    const QString scaricato = scratch.percorso() + QStringLiteral("matrice.dat");
    int richieste = 0;
    for (qsizetype i = 0; i < nomi.size(); ++i) {
        if (osservatore)
            osservatore->avanzamento(static_cast<int>(i), static_cast<int>(nomi.size()));
        if (interrotto()) {
            esito.interrotto = true;
            break;
        }
        const QString& nome = nomi[i];
        if (!NomePubblicatoValido(nome) || richieste >= MassimoMatriciPerAggiornamento || conto.disponibili <= 0) {
            ++esito.scartate;
            continue;
        }
        ++richieste;
        const bool arrivato =
            scarica(PaginaDownloadMatrice + QString::fromLatin1(QUrl::toPercentEncoding(nome)), scaricato, conto);
        if (interrotto()) {
            esito.interrotto = true;
            break;
        }
        if (arrivato && Conserva(scaricato, matrici, NomeLocaleMatrice(nome)))
            ++esito.scaricate;
        else
            ++esito.scartate;
        QFile::remove(scaricato);
    }
    if (osservatore && !esito.interrotto)
        osservatore->avanzamento(static_cast<int>(nomi.size()), static_cast<int>(nomi.size()));
    return esito;
}

int CopiaMatriciMancanti(const QString& origine, const QString& cartellaMatrici) {
    const QDir sorgente(origine);
    const QStringList distribuite = sorgente.entryList({QStringLiteral("*.mspl")}, QDir::Files, QDir::Name);
    if (distribuite.isEmpty() || !QDir().mkpath(cartellaMatrici))
        return 0;
    const QDir matrici(cartellaMatrici);
    QStringList presenti;
    for (const QString& nome : matrici.entryList(QDir::Files | QDir::Hidden))
        presenti << nome.toLower();
    int copiate = 0;
    for (const QString& nome : distribuite)
        if (!presenti.contains(nome.toLower()) && CopiaIntera(sorgente.filePath(nome), matrici.filePath(nome)))
            ++copiate;
    return copiate;
}

bool PubblicaMatrici(const QString& cartellaMatrici, const QString& cartellaPubblicazione) {
    // What the publisher's server agrees to hand out.
    static const QRegularExpression servibile(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9_-]*$"));
    return ScriviCartellaIntera(cartellaPubblicazione + QStringLiteral("/matrici"), [&](const QString& nuova) {
        const QDir uscita(nuova);
        QByteArray lista;
        const QDir sorgente(cartellaMatrici);
        for (const QString& nome : sorgente.entryList({QStringLiteral("*.mspl")}, QDir::Files, QDir::Name)) {
            const QString base = QFileInfo(nome).completeBaseName();
            if (!servibile.match(base).hasMatch())
                continue;
            const QString pubblicato = base.toUpper() + QStringLiteral(".DAT");
            if (!CopiaIntera(sorgente.filePath(nome), uscita.filePath(pubblicato)))
                return false;
            lista += pubblicato.toLatin1() + "\r\n";
        }
        return ScriviFileIntero(uscita.filePath(QStringLiteral("lista.txt")), lista);
    });
}

} // namespace sestina
