#pragma once
// ModelloElencoPF: the rows of the point list as a Qt table model: the
// comune's name (asked of a lookup, remembered by code and section), then
// Comune, Sezione, Foglio, Allegato and PF. It follows the dataset of its
// data source.
#include "tabelle/sorgente.h"

#include <QAbstractTableModel>
#include <QHash>
#include <functional>
#include <memory>

namespace tratte {

class ModelloElencoPF : public QAbstractTableModel {
    Q_OBJECT
public:
    // The name of a comune from its code and section.
    using NomeDelComune = std::function<QString(const QString& comune, const QString& sezione)>;

    ModelloElencoPF(NomeDelComune nome, QObject* genitore = nullptr);
    ~ModelloElencoPF() override;

    void SetDataSource(tabelle::TDataSource* sorgente);
    tabelle::TDataSource* DataSource() const;

    static const QStringList Campi;

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo = Qt::DisplayRole) const override;

    // The name shown for a row (0-based).
    QString NomeComuneRiga(int riga) const;
    void Ricarica();

signals:
    // The dataset moved to another row (0-based).
    void RigaCorrente(int riga);

private:
    class Link;
    QVariant Valore(int riga, const QString& campo) const;
    NomeDelComune nome_;
    mutable QHash<QString, QString> nomi_;
    std::unique_ptr<Link> link_;
    int righe_ = 0;
};

} // namespace tratte
