// Byte-exact records of the measurement-area file (.pip).
//
// The instrument writes these blocks whole, little-endian, without padding,
// so several 4-byte fields sit at odd offsets. Every byte that is not named is
// reserved: it is read, kept and written back unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel {

#pragma pack(push, 1)

// One mark of the pile-test era (a position and two short codes).
struct DefectMark {
    float position; // metres; an entry is empty when position <= 1e-6
    char codeA[5];
    char codeB[5];
};

// The 88-byte block of processing parameters inside every point header.
struct ProcessingParams {
    int32_t autoMark;  // 1: marks found automatically
    int32_t integrate; // 1 checked, 2 not; stored only
    int32_t polarity;  // 1: keep the sign; anything else inverts
    int32_t shapeCode;
    int32_t shapeParam;
    float shapeScale;
    int32_t rateParam;
    float factorParam;
    int32_t filterType; // 1 none, 2 low-pass, 3 high-pass, >= 4 band-pass
    int32_t filterF1;   // Hz
    int32_t filterF2;   // Hz
    int32_t offsetParam;
    int32_t ampZoom; // the views divide by 100 + ampZoom
    uint8_t reserved0[8];
    int32_t dcRemoval; // 1 checked, 2 not; stored only
    uint8_t reserved1[24];
};

// The 736-byte header in front of every point's samples.
struct PointHeader {
    int32_t pointNo;     // grid row; -1 for a merged wave
    int32_t pointColumn; // grid column
    int32_t deleted;     // non-zero: dropped at the next load
    int32_t printMark;   // 2: marked for bitmap output
    float startMark;     // ms from the first sample
    float endMark;       // ms from the first sample
    DefectMark defects[10];
    ProcessingParams params;
    uint8_t reserved[484];
};

// The 901-byte header block at the start of a .pip file.
struct PipHeader {
    uint8_t reserved0[25];
    char projectName[100];
    char areaName[20];
    char buildDate[15]; // "yyyyMMdd"
    char testDate[15];  // "yyyyMMdd"
    int32_t pileWidth;
    int32_t pileBreadth;
    char pileType[20];
    float pileLength;
    float waveSpeed;
    float sampleInterval; // microseconds
    uint8_t reserved1[50];
    char pileClass[24];
    char strengthGrade[10];
    char sectionShape[20];
    int32_t channel;
    int32_t sampleCount;
    int32_t pointTotal; // grid rows of the distribution map
    char acquireMode[10];
    int32_t triggerLevel; // converter counts
    int32_t gridColumns;
    char sensorType[10];
    float gain; // m/s2 = accel / gain
    char receiveMode[10];
    float longitude;
    float latitude;
    float elevation;
    uint8_t reserved2[4];
    DefectMark defectLegend[10];
    uint8_t reserved3[10];
    int32_t legendBuilt;
    int32_t legendPoint[10];
    uint8_t reserved4[226];
    int8_t gridRows;
    int8_t gridCols;
    float pointSpacing;  // m
    float columnSpacing; // m
    float naturalDensity;
    float slopeCoef; // a0 of the modulus correction
    float constTerm; // b0 of the modulus correction, MPa
    float deflectionCorr;
    uint8_t fitMode;
    float maxDryDensity; // g/cm3
    float minDryDensity; // g/cm3
    float densityA;
    float densityB;
    uint8_t reserved5[4];
    float sensitivity;
    float fullScale;
    float accelCorrection; // baseline of the automatic marking
    uint8_t areaType;      // 0..5
    float dropHeight;      // m
    float ballRadius;      // m
    float ballMass;        // kg
    float ballModulus;     // Pa
    float ballPoisson;
    float materialPoisson;
    float materialCorr;
    int32_t pointCount;
};

#pragma pack(pop)

static_assert(sizeof(float) == 4, "floats must be IEEE single precision");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are read and written in place");

static_assert(sizeof(DefectMark) == 14);
static_assert(offsetof(DefectMark, codeA) == 4);
static_assert(offsetof(DefectMark, codeB) == 9);

static_assert(sizeof(ProcessingParams) == 88);
static_assert(offsetof(ProcessingParams, polarity) == 8);
static_assert(offsetof(ProcessingParams, shapeScale) == 20);
static_assert(offsetof(ProcessingParams, filterType) == 32);
static_assert(offsetof(ProcessingParams, filterF2) == 40);
static_assert(offsetof(ProcessingParams, ampZoom) == 48);
static_assert(offsetof(ProcessingParams, dcRemoval) == 60);

static_assert(sizeof(PointHeader) == 736);
static_assert(offsetof(PointHeader, deleted) == 8);
static_assert(offsetof(PointHeader, printMark) == 12);
static_assert(offsetof(PointHeader, startMark) == 16);
static_assert(offsetof(PointHeader, endMark) == 20);
static_assert(offsetof(PointHeader, defects) == 24);
static_assert(offsetof(PointHeader, params) == 164);
static_assert(offsetof(PointHeader, reserved) == 252);

static_assert(sizeof(PipHeader) == 901);
static_assert(offsetof(PipHeader, projectName) == 25);
static_assert(offsetof(PipHeader, areaName) == 125);
static_assert(offsetof(PipHeader, buildDate) == 145);
static_assert(offsetof(PipHeader, testDate) == 160);
static_assert(offsetof(PipHeader, pileWidth) == 175);
static_assert(offsetof(PipHeader, pileType) == 183);
static_assert(offsetof(PipHeader, pileLength) == 203);
static_assert(offsetof(PipHeader, waveSpeed) == 207);
static_assert(offsetof(PipHeader, sampleInterval) == 211);
static_assert(offsetof(PipHeader, pileClass) == 265);
static_assert(offsetof(PipHeader, strengthGrade) == 289);
static_assert(offsetof(PipHeader, sectionShape) == 299);
static_assert(offsetof(PipHeader, channel) == 319);
static_assert(offsetof(PipHeader, sampleCount) == 323);
static_assert(offsetof(PipHeader, pointTotal) == 327);
static_assert(offsetof(PipHeader, acquireMode) == 331);
static_assert(offsetof(PipHeader, triggerLevel) == 341);
static_assert(offsetof(PipHeader, gridColumns) == 345);
static_assert(offsetof(PipHeader, sensorType) == 349);
static_assert(offsetof(PipHeader, gain) == 359);
static_assert(offsetof(PipHeader, receiveMode) == 363);
static_assert(offsetof(PipHeader, longitude) == 373);
static_assert(offsetof(PipHeader, elevation) == 381);
static_assert(offsetof(PipHeader, defectLegend) == 389);
static_assert(offsetof(PipHeader, legendBuilt) == 539);
static_assert(offsetof(PipHeader, legendPoint) == 543);
static_assert(offsetof(PipHeader, gridRows) == 809);
static_assert(offsetof(PipHeader, gridCols) == 810);
static_assert(offsetof(PipHeader, pointSpacing) == 811);
static_assert(offsetof(PipHeader, columnSpacing) == 815);
static_assert(offsetof(PipHeader, naturalDensity) == 819);
static_assert(offsetof(PipHeader, slopeCoef) == 823);
static_assert(offsetof(PipHeader, constTerm) == 827);
static_assert(offsetof(PipHeader, deflectionCorr) == 831);
static_assert(offsetof(PipHeader, fitMode) == 835);
static_assert(offsetof(PipHeader, maxDryDensity) == 836);
static_assert(offsetof(PipHeader, minDryDensity) == 840);
static_assert(offsetof(PipHeader, densityA) == 844);
static_assert(offsetof(PipHeader, densityB) == 848);
static_assert(offsetof(PipHeader, sensitivity) == 856);
static_assert(offsetof(PipHeader, fullScale) == 860);
static_assert(offsetof(PipHeader, accelCorrection) == 864);
static_assert(offsetof(PipHeader, areaType) == 868);
static_assert(offsetof(PipHeader, dropHeight) == 869);
static_assert(offsetof(PipHeader, ballRadius) == 873);
static_assert(offsetof(PipHeader, ballMass) == 877);
static_assert(offsetof(PipHeader, ballModulus) == 881);
static_assert(offsetof(PipHeader, ballPoisson) == 885);
static_assert(offsetof(PipHeader, materialPoisson) == 889);
static_assert(offsetof(PipHeader, materialCorr) == 893);
static_assert(offsetof(PipHeader, pointCount) == 897);

} // namespace tarvel
