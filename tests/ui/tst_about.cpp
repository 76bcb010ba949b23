#include "Errore.h"
#include "FakeInterfaccia.h"
#include "Modali.h"
#include "frmAbout.h"
#include "frmSplash.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace sestina;

namespace {

// A desktop that records what it is asked to do.
struct DesktopFinto {
    QString strumento;
    bool avvioRiesce = true;
    QStringList avviati;
    QList<QUrl> aperti;

    ServiziInformazioni servizi() {
        return {
            [this] { return strumento; },
            [this](const QString& p) {
                avviati << p;
                return avvioRiesce;
            },
            [this](const QUrl& u) {
                aperti << u;
                return true;
            },
        };
    }
};

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void infoSistema_data() {
        QTest::addColumn<QString>("strumento");
        QTest::addColumn<bool>("avvioRiesce");
        QTest::addColumn<bool>("avviso");
        QTest::newRow("nessuno strumento") << QString() << true << true;
        QTest::newRow("strumento avviato") << QStringLiteral("/usr/bin/hardinfo") << true << false;
        QTest::newRow("strumento che non parte") << QStringLiteral("/usr/bin/hardinfo") << false << true;
    }
    void infoSistema() {
        QFETCH(QString, strumento);
        QFETCH(bool, avvioRiesce);
        QFETCH(bool, avviso);
        FakeInterfaccia ui;
        DesktopFinto desktop{strumento, avvioRiesce, {}, {}};
        frmAbout about(ui, QStringLiteral("Freeware"), nullptr, desktop.servizi());

        QTest::mouseClick(figlio<QPushButton>(&about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(desktop.avviati, strumento.isEmpty() ? QStringList() : QStringList{strumento});
        QCOMPARE(ui.messaggi.size(), avviso ? 1 : 0);
        if (avviso) {
            const auto& m = ui.messaggi.front();
            QCOMPARE(m.testo, QStringLiteral("Le informazioni sul sistema non sono disponibili in questa fase"));
            QVERIFY(m.titolo == TitoloApplicazione && m.icona == Icona::Informazione && m.pulsanti == Pulsanti::Ok);
        }
    }

    void cercaInfoSistema() {
#ifdef Q_OS_WIN
        QSKIP("the registry decides on Windows");
#else
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        QFile strumento(cartella.filePath(QStringLiteral("kinfocenter")));
        QVERIFY(strumento.open(QIODevice::WriteOnly));
        strumento.close();
        // A file that cannot be run is no tool.
        QCOMPARE(CercaInfoSistema({cartella.path()}), QString());
        QVERIFY(strumento.setPermissions(strumento.permissions() | QFile::ExeOwner));
        QCOMPARE(CercaInfoSistema({cartella.path()}), strumento.fileName());
#endif
    }

    void modaleEIndirizzo() {
        FakeInterfaccia ui;
        DesktopFinto desktop;
        frmAbout about(ui, QStringLiteral("Freeware"), nullptr, desktop.servizi());
        Modali modali;
        QPoint scarto;
        modali.quandoAppare([&](QWidget* finestra) {
            scarto = finestra->frameGeometry().center() - finestra->screen()->availableGeometry().center();
            QTest::mouseClick(figlio<QLabel>(finestra, "lbURL"), Qt::LeftButton);
            QVERIFY(Fotografa(finestra, QStringLiteral("about.png")));
            QTest::mouseClick(figlio<QPushButton>(finestra, "cmdOK"), Qt::LeftButton);
        });
        QCOMPARE(about.exec(), int(QDialog::Accepted));
        QVERIFY(modali.tuttiGestiti());
        QVERIFY2(scarto.manhattanLength() <= 2, "the about box is not centred");
        QCOMPARE(desktop.aperti, QList<QUrl>{QUrl(figlio<QLabel>(&about, "lbURL")->text())});
    }

    void chiusuraSplash_data() {
        QTest::addColumn<QString>("come");
        QTest::newRow("tasto") << "tasto";
        QTest::newRow("click sulla cornice") << "cornice";
        QTest::newRow("click su una scritta") << "scritta";
    }
    void chiusuraSplash() {
        QFETCH(QString, come);
        frmSplash splash(QStringLiteral("Freeware"));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        if (come == QLatin1String("tasto")) {
            QVERIFY(Fotografa(&splash, QStringLiteral("splash.png")));
            QTest::keyClick(&splash, Qt::Key_Z);
        } else if (come == QLatin1String("cornice")) {
            QTest::mouseClick(figlio<QFrame>(&splash, "Frame1"), Qt::LeftButton, {}, QPoint(3, 3));
        } else {
            QTest::mouseClick(figlio<QLabel>(&splash, "lblProductName"), Qt::LeftButton);
        }
        QVERIFY(!splash.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
