// The legend's sentence for the reports: nearest mark first, only real
// positions, and never more GBK than its 255-byte field holds.
#include "analysis/integrity_text.h"
#include "data/gbk_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace tarvel::test {
namespace {

void setMark(PipHeader& header, int entry, float position, const char* a, const char* b) {
    DefectMark& mark = header.defectLegend[entry];
    mark.position = position;
    encodeGbk(a, mark.codeA);
    encodeGbk(b, mark.codeB);
}

TEST(IntegrityText, NamesTheNearestMarkFirstAndLeavesOutWhatIsNoPosition) {
    PipHeader header{};
    EXPECT_EQ(integrityText(header), "桩身完整");

    setMark(header, 0, 4.2f, "离析", "轻");
    setMark(header, 3, 1.5f, "缩颈", "重");
    setMark(header, 5, std::numeric_limits<float>::quiet_NaN(), "断", "");
    setMark(header, 6, 1e-7f, "扩径", "");
    EXPECT_EQ(integrityText(header), "距桩顶1.50m左右有缩颈重；4.20m左右有离析轻。");
}

TEST(IntegrityText, ALongTextIsCutOnACharacterBoundaryToFitItsField) {
    PipHeader header{};
    for (int entry = 0; entry < 10; ++entry)
        setMark(header, entry, 12345678.0f + entry, "缩颈", "严重");
    const std::string text = integrityText(header);
    const std::string gbk = utf8ToGbk(text);
    EXPECT_LE(gbk.size(), kIntegrityTextBytes - 1);
    EXPECT_GT(gbk.size(), kIntegrityTextBytes - 3); // cut, not emptied
    EXPECT_EQ(gbkToUtf8(gbk), text);                // no half character
    EXPECT_EQ(text.rfind("距桩顶12345678.00m左右有缩颈严重；", 0), 0u);
}

} // namespace
} // namespace tarvel::test
