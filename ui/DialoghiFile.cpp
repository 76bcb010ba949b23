#include "DialoghiFile.h"

#include <QFileDialog>

namespace sestina {

QString DialoghiFileQt::apri(QWidget* genitore, const QString& cartella, const QString& filtro) {
    return QFileDialog::getOpenFileName(genitore, QString(), cartella, filtro);
}

QString DialoghiFileQt::salva(QWidget* genitore, const QString& cartella, const QString& proposta,
                              const QString& filtro, const QString& estensione) {
    QFileDialog dialogo(genitore, QString(), cartella, filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(estensione);
    dialogo.selectFile(proposta);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

} // namespace sestina
