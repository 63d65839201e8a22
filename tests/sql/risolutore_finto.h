#pragma once
// A Risolutore for the tests: tables known by base name (no folder, no
// ".db", any case), each with its schema and columns; it records every name
// it is asked about, as passed.
#include "tabelle/errore.h"
#include "tabelle/sql/traduttore.h"

#include <QHash>

class RisolutoreFinto : public tabelle::sql::Risolutore {
public:
    void aggiungi(const QString& base, const QString& schema, const QStringList& colonne)
    {
        tabelle_.insert(base.toLower(), {schema, colonne});
    }

    QString schema(const QString& nome, bool crea) override
    {
        richieste.append(nome);
        const QString chiave = base(nome);
        if (!tabelle_.contains(chiave)) {
            if (!crea)
                throw tabelle::EDBEngineError(QStringLiteral("Tabella inesistente: %1").arg(nome));
            tabelle_.insert(chiave, {QStringLiteral("t%1").arg(tabelle_.size() + 1), {}});
        }
        return tabelle_.value(chiave).schema;
    }

    QStringList colonne(const QString& nome) override { return tabelle_.value(base(nome)).colonne; }

    QStringList richieste;

private:
    struct Tabella {
        QString schema;
        QStringList colonne;
    };
    static QString base(const QString& nome)
    {
        QString b = nome.mid(qMax(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\')) + 1).toLower();
        return b.endsWith(QStringLiteral(".db")) ? b.chopped(3) : b;
    }
    QHash<QString, Tabella> tabelle_;
};
