#include "NomiGrezzi.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sestina::cli {
namespace {

bool Utf8Valido(const QByteArray& byte) {
    QStringDecoder decodifica(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString testo = decodifica(byte);
    return !decodifica.hasError();
}

// The extension, when it is plain ASCII: the commands tell formats apart by it.
QByteArray Estensione(const QByteArray& nome) {
    const qsizetype punto = nome.lastIndexOf('.');
    if (punto <= 0)
        return {};
    QByteArray estensione = nome.mid(punto);
    for (char c : estensione)
        if (static_cast<unsigned char>(c) >= 0x80)
            return {};
    return estensione;
}

} // namespace

NomiGrezzi::NomiGrezzi(int argc, char* argv[]) {
    for (int i = 0; i < argc; ++i) {
        const QByteArray argomento(argv[i]);
        m_argomenti.append(i > 0 && !Utf8Valido(argomento) ? sostituisci(argomento) : QString::fromUtf8(argomento));
    }
}

NomiGrezzi::~NomiGrezzi() {
    concludi();
}

QString NomiGrezzi::sostituisci(const QByteArray& argomento) {
    const qsizetype barra = argomento.lastIndexOf('/');
    const QByteArray cartella = barra < 0 ? QByteArray(".") : barra == 0 ? QByteArray("/") : argomento.left(barra);
    const QByteArray nome = argomento.mid(barra + 1);
    Sostituto s;
    s.nome = nome;
    struct stat stato {};
    s.cartella = nome.isEmpty() ? -1 : ::open(cartella.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (s.cartella >= 0)
        s.esisteva = ::fstatat(s.cartella, nome.constData(), &stato, 0) == 0;
    // A text that merely is not UTF-8 (a heading, say) is no file name: no folder, or neither an
    // existing file nor a name with an extension.
    if (s.cartella < 0 || (!s.esisteva && Estensione(nome).isEmpty())) {
        if (s.cartella >= 0)
            ::close(s.cartella);
        return QString::fromUtf8(argomento);
    }
    s.inode = stato.st_ino;
    s.sostituto = QByteArray(".sestinaplan-") + QByteArray::number(QCoreApplication::applicationPid()) + '-' +
                  QByteArray::number(m_sostituti.size()) + Estensione(nome);
    ::unlinkat(s.cartella, s.sostituto.constData(), 0);
    const QString percorsoCartella = QStringLiteral("/proc/self/fd/%1/").arg(s.cartella);
    if (s.esisteva && ::linkat(s.cartella, nome.constData(), s.cartella, s.sostituto.constData(), 0) != 0) {
        // No link (a folder the user cannot write, say): the file can still be read where it is.
        ::close(s.cartella);
        const int file = ::open(argomento.constData(), O_RDONLY | O_CLOEXEC);
        return file < 0 ? QString::fromUtf8(argomento) : QStringLiteral("/proc/self/fd/%1").arg(file);
    }
    m_sostituti.append(s);
    return percorsoCartella + QString::fromLatin1(s.sostituto);
}

void NomiGrezzi::concludi() {
    for (const Sostituto& s : std::as_const(m_sostituti)) {
        struct stat stato {};
        if (::fstatat(s.cartella, s.sostituto.constData(), &stato, 0) == 0) {
            if (s.esisteva && stato.st_ino == s.inode)
                ::unlinkat(s.cartella, s.sostituto.constData(), 0);
            else
                ::renameat(s.cartella, s.sostituto.constData(), s.cartella, s.nome.constData());
        }
        ::close(s.cartella);
    }
    m_sostituti.clear();
}

} // namespace sestina::cli
