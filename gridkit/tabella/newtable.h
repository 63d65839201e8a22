#pragma once
// TNewTable: the dataset of the grid library. A query over one stored
// table that behaves like a table: system fields in front of the user
// fields, a hidden header row, rows deleted by marking, filters and sort
// fields turned into its own SELECT, and a writable plain table on the
// current row for whoever must change stored data.
#include "gridkit/tabella/infostream.h"
#include "gridkit/tabella/versione.h"
#include "tabelle/query.h"

#include <memory>

namespace tabelle {
class TTable;
}

namespace gridkit {

class TNewTable : public tabelle::TQuery {
    Q_OBJECT
public:
    explicit TNewTable(QObject* owner = nullptr, tabelle::TSession* sessione = nullptr);
    ~TNewTable() override;

    // Published.
    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& valore);
    bool ReadOnly = false;
    // The property: true once Riapri opened the table; closing clears it.
    bool Active() const { return attivo_; }
    void SetActive(bool valore);
    bool NotAppend = false;
    QStringList Condizioni;
    // Always empty: the generated SELECT is the query's own text
    // (TQuery::SQL, see TestoQuery).
    const QStringList SQL;

    // Public.
    QStringList CampiOrdine;
    bool Discendente = false;
    QStringList Filtri;
    QStringList CampiUtente;
    QStringList CampiSistema;
    QStringList CampiModificati;
    QString TabelleAggiuntive;
    QString CartellaDatabase;
    bool Istantanea = false;
    QString TabellaIstantanea;
    QString Versione;
    QString Applicazione;
    QString DataCreazione;
    TInfoStream InfoStream;
    // The version record read from the table.
    TVersioneTabella RecordVersione;

    // The generated SELECT, lines joined with CR LF.
    QString TestoQuery() const { return TQuery::SQL.join("\r\n"); }

    void CreaTabella(const QStringList& campi);
    void Riapri();
    void Svuota();
    void PreparaQuery();
    void LeggiStruttura();

    // Adds CAMPO='valore' unless CAMPO has a filter; quotes in the value are doubled.
    void AggiungiFiltro(const QString& campo, const QString& valore);
    int IndiceFiltro(const QString& campo) const;
    void CancellaFiltri() { Filtri.clear(); }
    void AggiungiCampoOrdine(const QString& campo);
    void SvuotaCampiSistema() { CampiSistema.clear(); }
    void SvuotaCampiUtente() { CampiUtente.clear(); }

    // A plain table on the stored table, its range on the current row; the
    // caller owns it. Nothing for a closed table; nothing, after the
    // message, when the table cannot be run again or the plain table opened.
    std::unique_ptr<tabelle::TTable> GetLiveTable();

    // Loading from a form: between the two, Active = true is only
    // remembered; Loaded then runs Riapri.
    void IniziaCaricamento() { caricamento_ = true; }
    void Loaded();

protected:
    void DoBeforeInsert() override;
    void InternalClose() override;

private:
    void CreaIstantanea();
    QString CartellaDeiFile() const;

    QString tableName_;
    QString nomeDato_; // the name as given: new files take this spelling
    bool attivo_ = false;
    bool caricamento_ = false;
    bool attivoInCaricamento_ = false;
};

// Writes the empty table image (one auto-increment key field) at
// `percorso`, over any table of that name.
void CreaTabellaVuota(tabelle::TSession& sessione, const QString& percorso);

} // namespace gridkit
