// Files are hostile until checked: every damaged file gives a clear error or a
// sound partial load, never a crash or a read past the bytes present.
#include "analysis/area_loader.h"
#include "analysis/conditioning.h"
#include "analysis/display_scale.h"
#include "analysis/results.h"
#include "data/gbk_text.h"
#include "fixtures.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace tarvel::test {
namespace {

std::vector<unsigned char> goodFile(int points = 3) {
    NamePipeFile area = makeArea(points);
    return serializeAreaFile(area);
}

LoadResult parse(const std::vector<unsigned char>& bytes, NamePipeFile& record) {
    LoadResult result = parseAreaFile(bytes.data(), bytes.size(), record);
    conditionFile(record);
    return result;
}

template <typename T> void poke(std::vector<unsigned char>& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

TEST(HostileFiles, TruncatedAtEveryStructureBoundary) {
    const std::vector<unsigned char> whole = goodFile(3);
    const std::size_t block = 736 + 2 * 1024;
    const std::size_t cuts[] = {0,
                                1,
                                900,
                                901,
                                901 + 735,
                                901 + 736,
                                901 + block - 1,
                                901 + block,
                                901 + 2 * block + 5,
                                whole.size() - 1};
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        std::vector<unsigned char> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
        NamePipeFile record;
        LoadResult result = parse(bytes, record);
        if (cut < 901) {
            EXPECT_EQ(result.status, LoadStatus::Failed);
            EXPECT_EQ(record.pointCount(), 0);
        } else {
            EXPECT_EQ(result.status, LoadStatus::Truncated);
            EXPECT_EQ(record.pointCount(), static_cast<int>((cut - 901) / block));
            EXPECT_NE(result.message.find("ends inside point block"), std::string::npos);
        }
    }
}

TEST(HostileFiles, HugeCountsReadOnlyWhatIsPresent) {
    std::vector<unsigned char> bytes = goodFile(2);
    poke<int32_t>(bytes, offsetof(PipHeader, pointCount), std::numeric_limits<int32_t>::max());
    NamePipeFile record;
    EXPECT_EQ(parse(bytes, record).status, LoadStatus::Truncated);
    EXPECT_EQ(record.pointCount(), 2);

    poke<int32_t>(bytes, offsetof(PipHeader, pointCount), -5);
    EXPECT_EQ(parse(bytes, record).status, LoadStatus::Failed);
    EXPECT_EQ(record.pointCount(), 0);
}

TEST(HostileFiles, UnsupportedSampleCountsAreRejected) {
    for (int32_t count : {0, -1, 1000, 8192, std::numeric_limits<int32_t>::max()}) {
        SCOPED_TRACE(count);
        std::vector<unsigned char> bytes = goodFile(1);
        poke<int32_t>(bytes, offsetof(PipHeader, sampleCount), count);
        NamePipeFile record;
        LoadResult result = parse(bytes, record);
        EXPECT_EQ(result.status, LoadStatus::Failed);
        EXPECT_NE(result.message.find("sample count"), std::string::npos);
        EXPECT_EQ(record.pointCount(), 0);
    }
}

TEST(HostileFiles, BadSampleIntervalsAreRejected) {
    for (float dt : {0.0f, -10.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()}) {
        std::vector<unsigned char> bytes = goodFile(1);
        poke<float>(bytes, offsetof(PipHeader, sampleInterval), dt);
        NamePipeFile record;
        EXPECT_EQ(parse(bytes, record).status, LoadStatus::Failed);
    }
    // A tiny but positive interval is legal and must not overflow the rate.
    std::vector<unsigned char> bytes = goodFile(1);
    poke<float>(bytes, offsetof(PipHeader, sampleInterval), 1e-30f);
    const std::size_t params = 901 + offsetof(PointHeader, params);
    poke<int32_t>(bytes, params + offsetof(ProcessingParams, filterType), 2);
    poke<int32_t>(bytes, params + offsetof(ProcessingParams, filterF2), 1000);
    NamePipeFile record;
    EXPECT_TRUE(parse(bytes, record).ok());
}

TEST(HostileFiles, NonFiniteParametersGiveNonFiniteResultsNotCrashes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::size_t fields[] = {
        offsetof(PipHeader, gain),        offsetof(PipHeader, fullScale),
        offsetof(PipHeader, sensitivity), offsetof(PipHeader, accelCorrection),
        offsetof(PipHeader, dropHeight),  offsetof(PipHeader, ballRadius),
        offsetof(PipHeader, ballMass),    offsetof(PipHeader, maxDryDensity)};
    for (std::size_t field : fields)
        for (float value : {nan, inf, -inf, 0.0f}) {
            std::vector<unsigned char> bytes = goodFile(2);
            poke<float>(bytes, field, value);
            poke<float>(bytes, 901 + offsetof(PointHeader, startMark), nan);
            poke<float>(bytes, 901 + offsetof(PointHeader, endMark), inf);
            NamePipeFile record;
            ASSERT_TRUE(parse(bytes, record).ok());
            computeAreaMeans(record);
            for (const MeasurePoint& point : record.points)
                for (const std::string& line : resultLines(point.results))
                    EXPECT_FALSE(line.empty());
        }
}

TEST(HostileFiles, UnterminatedTextsAndOddFilterValues) {
    std::vector<unsigned char> bytes = goodFile(2);
    std::memset(bytes.data(), 0xB2, 901 - 4); // every text field full of lead bytes, no NUL
    poke<int32_t>(bytes, offsetof(PipHeader, sampleCount), 1024);
    poke<float>(bytes, offsetof(PipHeader, sampleInterval), 10.0f);
    poke<int32_t>(bytes, offsetof(PipHeader, legendBuilt), 0);
    const std::size_t params = 901 + offsetof(PointHeader, params);
    poke<int32_t>(bytes, params + offsetof(ProcessingParams, filterType), 99);
    poke<int32_t>(bytes, params + offsetof(ProcessingParams, filterF1), -2000000000);
    poke<int32_t>(bytes, params + offsetof(ProcessingParams, filterF2), 2000000000);
    NamePipeFile record;
    ASSERT_TRUE(parse(bytes, record).ok());
    EXPECT_LE(decodeGbk(record.header.areaName).size(), 3 * 20u);
    EXPECT_EQ(record.pointCount(), 2);
}

TEST(HostileFiles, MissingFileKeepsTheNameWithNoPoints) {
    NamePipeFile record;
    record.fileName = "gone.pip";
    LoadResult result = loadAreaFile("/nonexistent/gone.pip", record);
    EXPECT_EQ(result.status, LoadStatus::Failed);
    EXPECT_EQ(record.fileName, "gone.pip");
    EXPECT_TRUE(record.points.empty());
    EXPECT_FALSE(record.loadError.empty());
}

TEST(HostileFiles, AmpZoomFromAFileNeverOverflowsTheDisplayScale) {
    EXPECT_DOUBLE_EQ(ampZoomScale(0), 1.0);
    EXPECT_DOUBLE_EQ(ampZoomScale(200), 100.0 / 300);
    EXPECT_DOUBLE_EQ(ampZoomScale(-50), 2.0);
    // 100 + ampZoom would overflow int32 or reach zero or below.
    const int32_t hostile[] = {std::numeric_limits<int32_t>::max(),
                               std::numeric_limits<int32_t>::min(), -100, -1000};
    for (int32_t zoom : hostile) {
        SCOPED_TRACE(zoom);
        const double scale = ampZoomScale(zoom);
        EXPECT_TRUE(std::isfinite(scale));
        EXPECT_GT(scale, 0.0);
        EXPECT_LE(scale, 100.0);
    }
}

} // namespace
} // namespace tarvel::test
