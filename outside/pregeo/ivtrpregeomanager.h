#pragma once
// The survey-book manager component VTRPregeoManager: its interface, class
// id and the two records it hands over, as the program includes them (it
// links nothing of the library). The records are made by the component and
// appended to lists the program owns: the program frees them with the list.
#include "componenti/componenti.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pregeo {

// The records keep the byte layout the program reads them by: no padding
// between fields.
#pragma pack(push, 1)

// A fiducial point of the book.
struct TRecordPunto {
    char Riservato[554];
    // The comune code (4 characters) followed by the section letter when
    // there is one; zero-terminated.
    char Comune[7];
    // The sheet, decimal digits without leading zeros; zero-terminated.
    char Foglio[4];
    // The attachment letter, '0' when there is none.
    char Allegato;
    // The point number, decimal digits without leading zeros; zero-terminated.
    char Numero[10];
};

// A distance measured in the book between two of its fiducial points.
struct TRecordDistanza {
    std::int32_t Riservato;
    // "PFnn/ffff/cccc PFnn/ffff/cccc": the labels of the two points; zero-terminated.
    char CoppiaPF[257];
    char Riempimento[7];
    // Metres.
    double Distanza;
    double ScartoQMedio;
};

#pragma pack(pop)

static_assert(offsetof(TRecordPunto, Comune) == 554);
static_assert(offsetof(TRecordPunto, Foglio) == 561);
static_assert(offsetof(TRecordPunto, Allegato) == 565);
static_assert(offsetof(TRecordPunto, Numero) == 566);
static_assert(offsetof(TRecordDistanza, CoppiaPF) == 4);
static_assert(offsetof(TRecordDistanza, Distanza) == 268);
static_assert(offsetof(TRecordDistanza, ScartoQMedio) == 276);

using ListaPunti = std::vector<std::unique_ptr<TRecordPunto>>;
using ListaDistanze = std::vector<std::unique_ptr<TRecordDistanza>>;

// Bytes of the name buffer, the terminating zero included.
inline constexpr std::size_t DimensioneBufferNome = 4096;

class IVTRPregeoManager : public componenti::IUnknown {
public:
    // The buffer the program writes a book's path into (UTF-8,
    // zero-terminated), with or without its ".out", before each of the
    // calls below.
    virtual char* BufferNomeLibretto() = 0;
    // 1 when the book named in the buffer is a book processed correctly, else 0.
    virtual int LibrettoValido() = 0;
    // Appends one record per fiducial point of the book; false when the
    // book cannot be read, is not processed correctly or is malformed
    // (UltimoErrore then says why).
    virtual bool LeggiPuntiFiduciali(ListaPunti& lista) = 0;
    // Appends one record per distance between fiducial points; the number
    // appended, -1 when the book cannot be read. `primo` and `opzioni` are
    // the values the program passes (0 and 1).
    virtual int LeggiDistanze(int primo, ListaDistanze& lista, int opzioni) = 0;
    // Why the last read failed, naming the book and the line; empty after
    // a read that succeeded.
    virtual QString UltimoErrore() = 0;
};

// The class, whose interface is asked for with the same id.
inline const QUuid CLSID_VTRPregeoManager{"{16BEFDE0-4E9B-11D4-898F-444553540000}"};
inline const QUuid IID_IVTRPregeoManager = CLSID_VTRPregeoManager;
inline constexpr char ProgIdVTRPregeoManager[] = "VTRPregeo.PregeoManager";
inline constexpr char DescrizioneVTRPregeoManager[] = "VTRPregeoManager: lettura dei libretti Pregeo elaborati";

} // namespace pregeo
