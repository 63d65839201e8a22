#pragma once
// The columns of a data grid (TColumn, TDBGridColumns): which field each
// column shows, its title, width, visibility and alignment. A value not set
// on a column comes from its field (DisplayLabel, DisplayWidth, the kind of
// the field). The collection is either built by the grid from the dataset's
// visible fields (csDefault) or set explicitly (csCustomized).
#include "gridkit/griglia/layoutgriglia.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace tabelle {
class TField;
}

namespace gridkit {

class TDBGridColumns;

// What a column needs from its grid: its field, and the width of a field's
// text in the grid's font.
class FonteColonne {
public:
    virtual ~FonteColonne() = default;
    virtual tabelle::TField* CampoColonna(const QString& nome) const = 0;
    // Pixels for `caratteri` average characters of the grid's font, and for a text.
    virtual int LarghezzaCaratteri(int caratteri) const = 0;
    virtual int LarghezzaTesto(const QString& testo) const = 0;
};

class TColumn {
public:
    explicit TColumn(TDBGridColumns& collezione) : collezione_(&collezione) {}

    const QString& FieldName() const { return campo_; }
    void SetFieldName(const QString& nome);
    tabelle::TField* Field() const;

    // The title: the one set, else the field's DisplayLabel, else its name.
    QString TitleCaption() const;
    void SetTitleCaption(const QString& titolo);
    bool TitoloImpostato() const { return titoloImpostato_; }

    // Pixels: the width set, else DefaultWidth.
    int Width() const;
    void SetWidth(int larghezza);
    // The field's DisplayWidth characters (or the default of its kind) in
    // the grid's font, at least as wide as the title; 64 without a field.
    int DefaultWidth() const;

    bool Visible() const { return visibile_; }
    void SetVisible(bool visibile);

    // Qt::Alignment of the cells; 0 means the field's own (numbers right).
    int Alignment() const { return allineamento_; }
    void SetAlignment(int allineamento);
    int AllineamentoEffettivo() const;

    // Characters a field of this kind shows by default.
    static int CaratteriPredefiniti(const tabelle::TField& campo);

private:
    friend class TDBGridColumns;
    TDBGridColumns* collezione_;
    QString campo_;
    QString titolo_;
    bool titoloImpostato_ = false;
    int larghezza_ = -1;
    bool visibile_ = true;
    int allineamento_ = 0;
};

enum class TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns : public QObject {
    Q_OBJECT
public:
    explicit TDBGridColumns(const FonteColonne& fonte, QObject* genitore = nullptr);
    ~TDBGridColumns() override;

    int Count() const { return int(colonne_.size()); }
    TColumn& Items(int indice) const { return *colonne_.at(size_t(indice)); }
    TColumn& operator[](int indice) const { return Items(indice); }
    // The first column showing that field (names compared without regard
    // to case), -1 when none.
    int IndiceDi(const QString& campo) const;

    // Adding, removing or moving columns makes the collection explicit.
    TColumn& Add();
    void Delete(int indice);
    void Move(int da, int a);
    void Clear();

    TDBGridColumnsState State() const { return stato_; }
    // csDefault drops the columns: the grid builds them again from the fields.
    void SetState(TDBGridColumnsState stato);
    // Builds the default columns, one per field name given (used by the grid).
    void Predefinite(const QStringList& campi);
    // Removes columns without making the collection explicit (the grid
    // hiding columns it never shows).
    void RimuoviCampi(const QStringList& campi);

    // The layout as stored, and back (the columns become explicit).
    QList<DescrizioneColonna> Descrizioni() const;
    void DaDescrizioni(const QList<DescrizioneColonna>& descrizioni);

    const FonteColonne& Fonte() const { return fonte_; }

signals:
    // Columns added, removed, moved or rebuilt.
    void Ristrutturate();
    // One column's title, width, visibility or alignment changed.
    void Cambiata(int indice);

private:
    friend class TColumn;
    void Modificata(const TColumn& colonna);
    void Ristruttura();

    const FonteColonne& fonte_;
    std::vector<std::unique_ptr<TColumn>> colonne_;
    TDBGridColumnsState stato_ = TDBGridColumnsState::csDefault;
};

} // namespace gridkit
