#pragma once
// The rows of the task list. A row shows its source, duration, size, output
// name and progress, keeps its output choice as text in hidden sub-items
// (what the catalogue writes and the profile lists are restored from), and
// owns its task's input and output records, which follow it through every
// edit of the list.

#include "engine/options/FFConverter_Options.h"
#include "profiles/RowChoice.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace app {

constexpr int RowSubItemCount = 24;

// The sub-items the workflow writes besides the catalogue's (profiles::TRowSubItem).
enum TRowColumn {
    siDuration = 0,
    siSourceSize = 1,
    siProgress = 3,
    siFPS = 4,
    siConvertedTime = 5,
    siConvertedSize = 6,
};

// One column of the list: header and width; hidden columns are 0 wide.
struct TColumnSpec {
    const char* Header;
    int Width;
};
// The caption column first, then one per sub-item.
extern const std::array<TColumnSpec, RowSubItemCount + 1> TaskColumns;

struct TTaskRow {
    std::string Caption; // full path of the source
    std::array<std::string, RowSubItemCount> SubItems;
    engine::TInputOptions Input;
    engine::TOutputOptions Output;

    std::string& Sub(int AIndex) { return SubItems[size_t(AIndex)]; }
    const std::string& Sub(int AIndex) const { return SubItems[size_t(AIndex)]; }
};

// Hours, minutes and seconds of a second count as "%.2d:%.2d:%.2d"; the
// hours wrap at 24.
std::string SecToDate(int32_t ASec);
// Bytes in MiB rounded to two decimals (halves to even), shortest form, "MB".
std::string MegabytesText(int64_t ABytes);
// Whole percentage of a task's progress, or "N/A" without a total.
std::string ProgressText(int64_t ACurrent, int64_t ATotal);
// The progress text of a row whose conversion failed or could not start.
inline constexpr const char* FailedProgressText = "失败";

// The rebuild at Start: the row's texts over its own output record (the
// fields a row does not carry keep the record's values).
void ApplyRowToRecord(const TTaskRow& ARow, engine::TOutputOptions& AOptions);

// The output file name a row asks for: folder + "/" + sub-item 2.
std::string RowOutputPath(const std::string& AFolder, const TTaskRow& ARow);

// The rows, their selection and the task numbers they carry.
class TTaskList {
public:
    int Count() const { return int(FRows.size()); }
    bool Empty() const { return FRows.empty(); }
    TTaskRow& Row(int AIndex) { return FRows.at(size_t(AIndex)); }
    const TTaskRow& Row(int AIndex) const { return FRows.at(size_t(AIndex)); }

    int ItemIndex() const { return FItemIndex; }
    // -1 or an index outside the list selects nothing.
    void SetItemIndex(int AIndex);
    TTaskRow* Selected() { return FItemIndex >= 0 ? &FRows[size_t(FItemIndex)] : nullptr; }

    TTaskRow& Append(TTaskRow ARow);
    // Deletes a row; the rows after it move up and the selection is cleared.
    void Delete(int AIndex);
    // Exchanges two rows with everything they own.
    void Exchange(int AIndex1, int AIndex2);
    void Clear();

    // The engine's task ANumber - 1 is gone: the rows' task numbers above
    // it move down one, so each row's number stays its task index + 1.
    void TaskRemoved(int ANumber);

    // The files the list already claims, as profiles::OutputPathKey gives
    // them: every row's output in AFolder but row AExcept's, and every
    // row's source (a conversion never writes over another one's input).
    std::set<std::string> TakenPaths(const std::string& AFolder, int AExcept = -1) const;

private:
    std::vector<TTaskRow> FRows;
    int FItemIndex = -1;
};

} // namespace app
