#pragma once

#include <QString>
#include <QWidget>

class QFrame;

namespace sestina {

// The start-up picture. Closing only hides it: whoever showed it still owns it and may close
// it again once start-up is done.
class frmSplash final : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(const QString& edizione, QWidget* parent = nullptr);
    Q_DISABLE_COPY_MOVE(frmSplash)

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    QFrame* m_cornice = nullptr;
};

} // namespace sestina
