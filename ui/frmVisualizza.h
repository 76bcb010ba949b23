#pragma once

#include <QDialog>
#include <QFont>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>

class QFrame;
class QLabel;

namespace sestina {

struct Sistema;
class NavigatorePannelli;

inline constexpr int ColonnePerPannello = 10;

// A column as the viewer shows it: two blanks, then its non-zero numbers as two digits
// joined by hyphens ("  03-11-25-47-60-88").
QString RigaVisualizza(const std::uint8_t* colonna);

// The ten lines of panel `pannello`; lines past the last column are empty.
std::array<QString, ColonnePerPannello> RighePannello(const Sistema& sistema, int pannello);

// The developed columns ten at a time.
class frmVisualizza final : public QDialog {
    Q_OBJECT

public:
    explicit frmVisualizza(const Sistema& sistema, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmVisualizza)

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void mostraPannello(int pannello);
    void adattaCarattere();

    const Sistema& m_sistema;
    std::array<QLabel*, ColonnePerPannello> m_righe{};
    QFrame* m_riquadro = nullptr;
    QLabel* m_numeroPannello = nullptr;
    NavigatorePannelli* m_navigatore = nullptr;
    QFont m_carattereRighe;
    QSize m_dimensioneIniziale;
};

} // namespace sestina
