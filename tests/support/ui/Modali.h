#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

class QLabel;
class QListWidget;
class QWidget;

namespace sestina {

// Watches for modal windows while a window test runs. Each modal window that
// appears goes to the next scripted handler, which must close it; a modal
// window nobody expected aborts the test at once instead of hanging it.
class Modali final : public QObject {
public:
    Modali();
    ~Modali() override;

    // The next modal window is given to gestore (typically: inspect, then close).
    void quandoAppare(std::function<void(QWidget*)> gestore);
    bool tuttiGestiti() const { return m_gestori.empty(); }

private:
    void controlla();

    QTimer m_timer;
    std::deque<std::function<void(QWidget*)>> m_gestori;
    QWidget* m_ultimo = nullptr;
};

// Saves a picture of w in finestre/ beside the test program, for a reviewer's eye.
bool Fotografa(QWidget* w, const QString& nome);

// True when the window stands at the centre of the screen it is on, to a pixel or two.
bool Centrata(const QWidget* finestra);

// Whether every '|' of a header label is drawn over the '|' of a list's row, to a pixel: where each
// stands is found as the columns of pixels that change when it becomes a blank. Empty when they line
// up, else where they stand.
QString SbarreNonAllineate(QLabel* intestazione, QListWidget* lista, int riga);

// Finds a child by object name or aborts the test with a readable message.
template <typename T> T* figlio(QObject* radice, const char* nome) {
    T* trovato = radice->findChild<T*>(QString::fromLatin1(nome));
    if (!trovato)
        qFatal("No %s named %s", T::staticMetaObject.className(), nome);
    return trovato;
}

} // namespace sestina
