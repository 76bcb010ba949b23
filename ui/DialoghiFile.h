#pragma once

#include <QString>

class QWidget;

namespace sestina {

// The open and save dialogs of the File menu. Tests answer them from a script.
class DialoghiFile {
public:
    virtual ~DialoghiFile() = default;
    // The chosen path, or empty when the user cancels.
    virtual QString apri(QWidget* genitore, const QString& cartella, const QString& filtro) = 0;
    virtual QString salva(QWidget* genitore, const QString& cartella, const QString& proposta, const QString& filtro,
                          const QString& estensione) = 0;
};

class DialoghiFileQt final : public DialoghiFile {
public:
    QString apri(QWidget* genitore, const QString& cartella, const QString& filtro) override;
    QString salva(QWidget* genitore, const QString& cartella, const QString& proposta, const QString& filtro,
                  const QString& estensione) override;
};

} // namespace sestina
