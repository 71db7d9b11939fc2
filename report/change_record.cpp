#include "change_record.h"

#include "analysis/results.h"
#include "data/clean_text.h"
#include "data/original_copy.h"
#include "edit/area_changes.h"

namespace tarvel::scrivet {
namespace {

const FontFormat kTitleFont{"宋体", true, 15};
const FontFormat kAreaFont{"宋体", true, 10.5};
const FontFormat kLineFont{"宋体", false, 10.5};

// The texts of one language.
struct Wording {
    const char* title;
    const char* areaPrefix;
    const char* never;      // no original kept
    const char* unchanged;  // %s: the original's place
    const char* changed;    // %s: the original's place
    const char* unreadable; // %s: why
    const char* deleted;
    const char* restored;
    const char* marks; // point, start, end
    const char* byHand;
    const char* automatic;
    const char* printSet;
    const char* printCleared;
    const char* separator;
    const char* note;
};

const Wording kChinese{
    "数据修改记录",
    "测区 ",
    "原始记录未作修改。",
    "与原始记录（%s）相同，未作修改。",
    "相对原始记录（%s）的修改：",
    "原始记录无法读取：%s",
    "删除的测点：",
    "恢复（叠加）的波形：",
    "测点 %d 标记：起始 %s → %s ms，结束 %s → %s ms（%s）",
    "人工标记",
    "自动标记",
    "测点 %d 设为打印波形",
    "测点 %d 取消打印波形",
    "、",
    "仪器记录的原始文件在第一次修改前复制到工程文件夹的“原始数据”子文件夹中，此后不再改写。",
};

const Wording kEnglish{
    "Changes to the recorded data",
    "Area ",
    "The recorded data was not changed.",
    "Same as the instrument's original of %s: not changed.",
    "Changed since the instrument's original of %s:",
    "The original record cannot be read: %s",
    "Deleted points: ",
    "Restored (merged) waves: ",
    "Point %d marks: start %s -> %s ms, end %s -> %s ms (%s)",
    "set by hand",
    "automatic",
    "Point %d marked for printing",
    "Point %d no longer marked for printing",
    ", ",
    "Before its first change, the instrument's file is copied once into the project's folder "
    "of originals and never rewritten.",
};

std::string format(const char* pattern, const std::string& a) {
    std::string text = pattern;
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, a);
}

std::string numbers(const std::vector<int>& list, const char* separator) {
    std::string text;
    for (int number : list)
        text += (text.empty() ? "" : separator) + std::to_string(number);
    return text;
}

std::string markLine(const Wording& w, const MarkChange& mark) {
    std::string text = w.marks;
    const std::string values[] = {
        std::to_string(mark.point),      formatFixed(mark.startBefore, 3),
        formatFixed(mark.startAfter, 3), formatFixed(mark.endBefore, 3),
        formatFixed(mark.endAfter, 3),   mark.manualAfter ? w.byHand : w.automatic};
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = text.find('%', from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

std::string pointLine(const char* pattern, int point) {
    std::string text = pattern;
    const std::size_t at = text.find("%d");
    return text.replace(at, 2, std::to_string(point));
}

} // namespace

std::vector<std::string> changeRecordLines(const NamePipeFile& area, RecordLanguage language) {
    const Wording& w = language == RecordLanguage::Chinese ? kChinese : kEnglish;
    std::vector<std::string> lines{w.areaPrefix + cleanText(area.fileName)};
    AreaChanges changes;
    const std::string error = changesSinceOriginal(area.path(), area, changes);
    if (!error.empty()) {
        lines.push_back(format(w.unreadable, cleanText(error)));
        return lines;
    }
    // The English documents name the file alone: the folder's name is
    // Chinese.
    const bool inFolder = changes.originalFound && language == RecordLanguage::Chinese;
    const std::string original =
        cleanText(inFolder ? std::string(kOriginalsFolder) + "/" + area.fileName : area.fileName);
    if (!changes.originalFound && changes.empty()) {
        lines.push_back(w.never);
        return lines;
    }
    if (changes.empty()) {
        lines.push_back(format(w.unchanged, original));
        return lines;
    }
    lines.push_back(format(w.changed, original));
    for (const HeaderChange& change : changes.header) {
        const std::string name = language == RecordLanguage::Chinese ? change.label : change.key;
        lines.push_back(name + (language == RecordLanguage::Chinese ? "：" : ": ") +
                        cleanText(change.before) + " → " + cleanText(change.after));
    }
    if (!changes.deletedPoints.empty())
        lines.push_back(w.deleted + numbers(changes.deletedPoints, w.separator));
    if (!changes.restoredWaves.empty())
        lines.push_back(w.restored + numbers(changes.restoredWaves, w.separator));
    for (const MarkChange& mark : changes.marks)
        lines.push_back(markLine(w, mark));
    for (const PrintFlagChange& flag : changes.printFlags)
        lines.push_back(pointLine(flag.markedAfter ? w.printSet : w.printCleared, flag.point));
    return lines;
}

void appendChangeRecord(WordDocument& document, const AreaFileList& areas,
                        RecordLanguage language) {
    const Wording& w = language == RecordLanguage::Chinese ? kChinese : kEnglish;
    Selection selection(document.insertNextPageBreak(document.endOfDocument()));
    selection.setAlignment(Alignment::Centre);
    selection.font = kTitleFont;
    selection.typeText(w.title);
    for (const auto& area : areas) {
        const std::vector<std::string> lines = changeRecordLines(*area, language);
        selection.typeParagraph();
        selection.setAlignment(Alignment::Left);
        selection.font = kAreaFont;
        setSpaceBefore(selection.paragraph(), 9);
        selection.typeText(lines.front());
        keepWithNext(selection.paragraph());
        selection.font = kLineFont;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            selection.typeParagraph();
            setSpaceBefore(selection.paragraph(), 0);
            selection.typeText(lines[i]);
        }
    }
    selection.typeParagraph();
    setSpaceBefore(selection.paragraph(), 12);
    selection.typeText(w.note);
}

} // namespace tarvel::scrivet
