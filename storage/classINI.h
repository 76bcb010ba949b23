#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace sestina {

// An INI file read and written the way the Windows profile functions do it: sections and keys
// match case-insensitively (first section and first key of a name win), names and values are
// trimmed, a value in matching quotes loses them, values read are cut to 254 characters, a key
// without "=" or a missing file reads as the default. A write edits only the line it concerns
// and keeps every other line byte for byte. Text is windows-1252 on disk, lines end in CRLF.
//
// The file is parsed once and kept until this object writes it or is pointed elsewhere, so a
// reader of hundreds of thousands of keys does not read the file again per key.
class classINI final {
public:
    // The text a sequence of setProperty calls would leave in a file that did not exist,
    // built in memory in one pass. Each key is given once per section.
    class Testo final {
    public:
        // Makes sezione the current section, appending it when it is new.
        void sezione(const QString& nome);
        void setProperty(const QString& sezione, const QString& chiave, const QString& valore);
        // A key of the current section as windows-1252 bytes, which the caller guarantees
        // need no trimming and hold no line break: the bulk path.
        void aggiungi(QByteArrayView chiave, QByteArrayView valore);
        void riserva(qsizetype byte);

        QByteArray testo() const;
        // The pieces that joined make testo(), to be written without copying them together.
        QList<QByteArrayView> pezzi() const;

    private:
        struct Sezione {
            QByteArray nome;
            QByteArray testo; // the header line and the key lines
        };
        QList<Sezione> m_sezioni;
        qsizetype m_corrente = -1;
    };

    classINI();
    ~classINI();
    classINI(const classINI&) = delete;
    classINI& operator=(const classINI&) = delete;

    void FileINI(const QString& percorso);
    const QString& file() const { return m_percorso; }

    // The value, at most 254 characters; the default (without trailing blanks) when the key, the
    // section or the file is missing or cannot be read.
    QString getProperty(const QString& sezione, const QString& chiave, const QString& predefinito) const;
    // Writes chiave=valore, creating the file, the section or the key as needed. The file is
    // replaced through QSaveFile: a failure throws Errore and leaves the old file whole.
    void setProperty(const QString& sezione, const QString& chiave, const QString& valore);

    // Reads the file now, telling a missing, unreadable or oversized file with an Errore
    // instead of reading it as empty: for importers, which must not take a bad file for defaults.
    void carica() const;
    // getProperty's value as the file's bytes, without conversion; nullopt instead of a default.
    // The view lives until the next write or FileINI.
    std::optional<QByteArrayView> valore(QByteArrayView sezione, QByteArrayView chiave) const;
    // Every key of the first section of that name, in file order and twice if written twice, each
    // with the value valore() would give (nullopt for a line without "="): for readers of a whole
    // section, which so never wait for a table of its keys to be built.
    void
    perOgniVoce(QByteArrayView sezione,
                const std::function<void(QByteArrayView chiave, std::optional<QByteArrayView> valore)>& visita) const;

    // How many lines with a key the first section of that name holds (0 without it): a bound on the
    // distinct keys it can give, known without walking them.
    qint64 quanteVoci(QByteArrayView sezione) const;

    // Replaces the whole file with testo through QSaveFile; throws Errore on failure.
    void scriviTutto(const Testo& testo);

private:
    struct Indice;
    Indice* indice() const;

    QString m_percorso;
    mutable std::unique_ptr<Indice> m_indice;
};

} // namespace sestina
