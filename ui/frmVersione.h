#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;

namespace sestina {

// "Nuova Versione Disponibile!!": shown when the server announces a newer version, after which
// the program ends.
class frmVersione final : public QDialog {
    Q_OBJECT
public:
    explicit frmVersione(std::function<void(const QString&)> apriIndirizzo, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmVersione)

    QString localVersion;
    QString remoteVersion;

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void mostraVersioni();

    std::function<void(const QString&)> m_apriIndirizzo;
    QLabel* m_locale = nullptr;
    QLabel* m_server = nullptr;
    QLabel* m_collegamento = nullptr;
};

} // namespace sestina
