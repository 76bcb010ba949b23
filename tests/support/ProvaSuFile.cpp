#include "ProvaSuFile.h"

#include "Errore.h"
#include "Sistema.h"
#include "Sviluppo.h"

#include <QFile>
#include <QTest>

#include <cstring>
#include <tuple>
#include <utility>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sestina {

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

QString FileOstile(const QString& tipo, const QString& percorso) {
    QFile::remove(percorso);
    if (tipo == QStringLiteral("<zero>"))
        QFile::link(QStringLiteral("/dev/zero"), percorso);
    else if (tipo == QStringLiteral("<fifo>"))
        ::mkfifo(QFile::encodeName(percorso).constData(), 0600);
    return percorso;
}

bool FileOstile(const QString& nome) {
    return nome == QStringLiteral("<zero>") || nome == QStringLiteral("<fifo>");
}

bool Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

QString Comune(int numero, const QString& descrizione, const QString& procedura) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of Modulo corpo").arg(numero).arg(descrizione, procedura);
}

bool ConScritturaLimitata(const std::function<void()>& azione, qint64 byte) {
#ifdef Q_OS_LINUX
    rlimit limite{};
    const auto tetto = static_cast<rlim_t>(byte);
    if (getrlimit(RLIMIT_FSIZE, &limite) != 0 || (limite.rlim_max != RLIM_INFINITY && limite.rlim_max < tetto))
        return false;
    const rlimit prima = limite;
    limite.rlim_cur = tetto;
    const auto gestore = std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed test
    if (setrlimit(RLIMIT_FSIZE, &limite) != 0)
        return false;
    azione();
    setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, gestore);
    return true;
#else
    Q_UNUSED(azione);
    Q_UNUSED(byte);
    return false;
#endif
}

CartellaSolaLettura::CartellaSolaLettura(QString cartella) : m_cartella(std::move(cartella)) {
#ifdef Q_OS_LINUX
    const QByteArray c = QFile::encodeName(m_cartella);
    if (geteuid() == 0) {
        m_montata = mount(c.constData(), c.constData(), nullptr, MS_BIND, nullptr) == 0;
        if (m_montata && mount(nullptr, c.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return;
        m_valida = m_montata;
        return;
    }
#endif
    m_valida = QFile::setPermissions(m_cartella, QFile::ReadOwner | QFile::ExeOwner);
}

CartellaSolaLettura::~CartellaSolaLettura() {
#ifdef Q_OS_LINUX
    if (m_montata) {
        umount2(QFile::encodeName(m_cartella).constData(), MNT_DETACH);
        return;
    }
#endif
    QFile::setPermissions(m_cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void Popola(Sistema& s) {
    for (const int n : {12, 90, 5})
        s.GrigliaNumeriClick(n - 1);
    AggiornaPronostico(s);
    s.tipoSistema = QStringLiteral("Perché €");
    s.colonne.scrivi(1, {1, 5, 12, 44, 67, 90});
    s.colonne.scrivi(2, {5, 12, 13, 14, 15, 90});
    s.numeroColonne = 2;
    s.condSomma = s.condFisse = s.condRidotto = s.condConsecutivi = Vero;
    s.pariAmmessi[0] = s.pariAmmessi[6] = Vero;
    s.sommaDa = 21;
    s.sommaA = 300;
    s.numeriFissi[1] = s.numeriFissi[90] = 1;
    s.quantiFissi = 2;
    s.livelloRiduzione = 3;
    s.colonneFiltro[1] = {{}, 0x41, Vero};
    s.colonneFiltro[1].numeri[2] = s.colonneFiltro[1].numeri[89] = 1;
    s.colonneFiltro[2] = {{}, 0x7F, Falso}; // inactive: saving skips it and goes on
    s.colonneFiltro[3] = {{}, -1, Vero};
    s.colonneFiltro[3].numeri[90] = 1;
    s.numeroFiltri = 3;
    s.consecutiviAmmessi = 0x0C;
    s.sistemaSviluppato = -1;
    s.fileSistema = QStringLiteral("/altrove/Prima.sec");
    s.nomeSistema = QStringLiteral("prima.sec");
}

void Riempi(Sistema& s, int colonne) {
    for (int i = 1; i <= colonne; ++i)
        for (int p = 0; p < 6; ++p)
            s.colonne.colonna(i)[p] = static_cast<std::uint8_t>(1 + (i * 7 + p * 13) % 90);
    s.numeroColonne = colonne;
}

bool StesseColonne(const Sistema& a, const Sistema& b) {
    return std::memcmp(a.colonne.dati(), b.colonne.dati(), 6 * std::size_t{LimiteColonne}) == 0;
}

void ConfrontaTutto(const Sistema& atteso, const Sistema& s) {
    const auto campi = [](const Sistema& x) {
        return std::tie(x.numeriInGioco, x.numeroColonne, x.tipoSistema, x.pronostico, x.condPariDispari, x.condSomma,
                        x.condFisse, x.pariAmmessi, x.sommaDa, x.sommaA, x.numeriFissi, x.quantiFissi, x.condRidotto,
                        x.livelloRiduzione, x.consecutiviAmmessi, x.condConsecutivi, x.selezionati, x.numeroFiltri,
                        x.fileSistema, x.nomeSistema, x.sistemaSviluppato, x.sviluppoAnnullato, x.superStar,
                        x.costoColonna);
    };
    QVERIFY2(campi(s) == campi(atteso), qPrintable(s.tipoSistema));
    const auto filtro = [](const FilterColumn& f) { return std::tie(f.numeri, f.presenze, f.attiva); };
    for (std::size_t k = 0; k < s.colonneFiltro.size(); ++k)
        QVERIFY2(filtro(s.colonneFiltro[k]) == filtro(atteso.colonneFiltro[k]), qPrintable(QString::number(k)));
    QVERIFY2(StesseColonne(s, atteso), "columns");
}

void ProvaSuFile::init() {
    m_ui = std::make_unique<FakeInterfaccia>();
    m_cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(m_cartella->isValid());
}

void ProvaSuFile::cleanup() {
    QCOMPARE(m_ui->livelloOccupato, 0);
}

void ProvaSuFile::VerificaMessaggi(QStringList testi) {
    testi.removeAll(QString());
    QCOMPARE(m_ui->messaggi.size(), testi.size());
    for (qsizetype i = 0; i < testi.size(); ++i) {
        const auto& m = m_ui->messaggi[i];
        QCOMPARE(m.testo, testi[i]);
        const bool comune = m.testo.startsWith(QLatin1String("Error "));
        const QString titolo = comune                         ? TitoloApplicazione
                               : m.testo == MessaggioLimite() ? QStringLiteral("ATTENZIONE")
                                                              : QStringLiteral("E R R O R E");
        QCOMPARE(m.titolo, titolo);
        QVERIFY(m.icona == (comune ? Icona::Nessuna : Icona::Critica) && m.pulsanti == Pulsanti::Ok);
    }
}

void ProvaSuFile::VerificaRifiuto(const std::function<bool(Sistema&)>& apri, const QString& messaggio) {
    auto s = std::make_unique<Sistema>(), intatto = std::make_unique<Sistema>();
    Popola(*s);
    Popola(*intatto);
    QVERIFY(!apri(*s));
    VerificaMessaggi({messaggio});
    ConfrontaTutto(*intatto, *s);
}

} // namespace sestina
