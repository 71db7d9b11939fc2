// Markup handed to the document as text lands where its marker stands, even
// when the writer cuts a marker in two.
#include "report_fixture.h"

#include "report/word_document.h"

#include <gtest/gtest.h>

namespace tarvel::testing {
namespace {

TEST(WordMarkup, EveryPieceLandsInItsPlaceInTheWrittenFile) {
    ScratchDir scratch;
    scrivet::WordDocument document = scrivet::WordDocument::blank();
    pugi::xml_node last = document.endOfDocument();
    // Enough pieces of uneven length that the writer's buffer boundaries
    // fall inside markers.
    constexpr int kPieces = 700;
    for (int i = 0; i < kPieces; ++i) {
        pugi::xml_node paragraph = last.parent().insert_child_before("w:p", last);
        scrivet::appendRun(paragraph, "before " + std::to_string(i) + " ", {});
        document.appendMarkup(paragraph, "<w:r><w:t>piece " + std::to_string(i) +
                                             std::string(static_cast<std::size_t>(i % 37), '.') +
                                             "</w:t></w:r>");
    }
    const std::string path = scratch.file("markup.docx");
    document.save(path);

    const auto paragraphs = OfficeFacts("docx", path).rows({"paragraph"});
    ASSERT_EQ(paragraphs.size(), static_cast<std::size_t>(kPieces + 1));
    for (int i = 0; i < kPieces; ++i)
        ASSERT_EQ(paragraphs[static_cast<std::size_t>(i)].at(1),
                  "before " + std::to_string(i) + " piece " + std::to_string(i) +
                      std::string(static_cast<std::size_t>(i % 37), '.'))
            << i;
    // The package written in one piece says the same.
    for (const auto& [name, content] : document.toPackage()) {
        if (name == "word/document.xml") {
            EXPECT_NE(content.find("piece 699"), std::string::npos);
            EXPECT_EQ(content.find("scrivet-markup"), std::string::npos);
        }
    }
}

} // namespace
} // namespace tarvel::testing
