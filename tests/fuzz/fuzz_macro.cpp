// Fuzzes cell macros with scripted answers. The input is three parts separated
// by NUL bytes: the answers (one byte per question: 0xFF dismisses a menu or
// dialog, any other byte picks an item or moves the chosen parameter), the
// macro text, and the data file the macro loads: a text table, a converter
// dump when it begins with '"', or an instrument file of the demonstration
// description when it begins with 'B'. The macro runs in a small table with
// texts, formulas, bindings and merged cells; then the editor operations,
// the linked cells and the hints work on the same text, and every change is
// undone and redone.
//
// What one input may cost is bounded: every row or column a macro inserts or
// deletes rewrites the references of every macro and formula of the table, so
// the work grows with the square of the macro's length. Macros longer than a
// few statements' worth (192 bytes) and data files larger than 16 KB are
// skipped, and the macro sits in one cell per input. An input edits its macro
// text in one direction and redoes its undone changes when its length is odd.
//
// Each input touches thousands of coverage features (macro interpreter, table
// commands, undo, drawing): libFuzzer's entropic scheduling, which updates a
// frequency per feature per input, took 40 % of the time, so this target runs
// with -entropic=0.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "InstrumentFiles.h"
#include "TeleDescSource.h"
#include "core/base/MappedFile.h"
#include "core/project/FileDataTree.h"
#include "core/project/ReferenceBooks.h"
#include "core/tables/CellHint.h"
#include "core/tables/macros/DataAddress.h"
#include "core/tables/macros/MacroEditor.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/TableCellCommands.h"
#include "core/tables/TableCommands.h"

namespace {

using namespace phonotab;

const TeleDesc& desc() {
    static const TeleDesc d = [] {
        std::string text, error;
        fixtures::TeleDescSource src;
        readFileText(PHONOTAB_DEMO_TDSC, text);
        fixtures::parseTeleDescSource(text, src, error);
        return *parseTeleDesc(fixtures::writeTeleDesc(src), "Русский");
    }();
    return d;
}

class Answers final : public MacroDialogs {
public:
    explicit Answers(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::size_t> chooseVariant(const std::vector<std::string>& v) override { return pick(v.size()); }
    std::optional<std::size_t> chooseOption(const std::string&, const std::vector<std::string>& o) override {
        return pick(o.size());
    }
    std::optional<std::string> chooseDataFile() override {
        const int b = next();
        if (b < 0 || b == 0xFF) return std::nullopt;
        return std::string("data.file");
    }
    std::optional<DataSelection> chooseFileParameter(DataTree& tree, const FileParameterRequest& r) override {
        const int b = next();
        if (b < 0 || b == 0xFF) return std::nullopt;
        DataSelection s = r.preset;
        s.record = b % 4;
        s.band = (b >> 2) % 8;
        s.mode = (b >> 5) % 3;
        (void)ResolveDataPath(tree, s);
        return s;
    }
    void showMessage(const Message& m) override { (void)m.text(); }

private:
    int next() { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_++]) : -1; }
    std::optional<std::size_t> pick(std::size_t count) {
        const int b = next();
        if (b < 0 || b == 0xFF || count == 0) return std::nullopt;
        return static_cast<std::size_t>(b) % count;
    }
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

class Loader final : public DataFileLoader {
public:
    explicit Loader(std::string_view file) : file_(file) {}
    Result<std::unique_ptr<DataTree>> loadDataFile(const std::string&) override {
        if (!file_.empty() && file_[0] == 'B') {
            std::vector<std::uint8_t> bytes(file_.begin() + 1, file_.end());
            Result<std::unique_ptr<RecordFileDataTree>> t = RecordFileDataTree::fromBytes("f.mnt", std::move(bytes), desc());
            if (!t) return t.error();
            return std::unique_ptr<DataTree>(std::move(*t));
        }
        if (!file_.empty() && file_[0] == '"') return std::unique_ptr<DataTree>(LdlDataTree(ParseLdlDump(file_)));
        return std::unique_ptr<DataTree>(TextTableDataTree(file_));
    }

private:
    std::string_view file_;
};

class Books final : public ReferenceBookEntries {
public:
    Books() { books_.referenceBooks["NORM"] = {{40, "день"}, {30, ""}}; }
    std::optional<double> referenceValue(std::string_view b, long long i) const override {
        return books_.referenceValue(b, i);
    }
    std::optional<std::string> referenceText(std::string_view b, long long i) const override {
        if (const ReferenceRecord* r = books_.record(b, i)) return r->description;
        return std::nullopt;
    }

private:
    ReferenceBooks books_;
};

constexpr std::size_t kMaxMacroBytes = 192;
constexpr std::size_t kMaxFileBytes = 16 * 1024;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Puts -entropic=0 first on the command line (see above): libFuzzer takes
    // a flag's last value, so a caller's own -entropic still wins.
    static std::vector<char*> args;
    static char entropic[] = "-entropic=0";
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, entropic);
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\0');
    const std::string_view answers = input.substr(0, first);
    std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const std::size_t second = rest.find('\0');
    const std::string macro(rest.substr(0, second));
    const std::string_view file = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
    if (macro.size() > kMaxMacroBytes || file.size() > kMaxFileBytes) return 0;

    static const Books books;
    ReportTable t(6, 6);
    t.texts[{0, 1}] = "12.5";
    t.texts[{1, 1}] = "строка";
    t.formulas[{2, 1}] = CellFormula{"A2*2+$A$2", 0, FormulaState::Pending};
    t.formulas[{3, 1}] = CellFormula{"#NORM#0", 0, FormulaState::Pending};
    t.bindings[{4, 1}] = CellBinding{"День", 0x01300000, 2, 61.0};
    MergeCellsCommand(t, CellRect{3, 3, 5, 5});
    // The input's length picks the cell: the macro as the macro command stores
    // it (upper-cased), as a table file may hold it, or in a covered cell.
    static const CellKey kCells[] = {{0, 0}, {1, 0}, {4, 4}};
    const CellKey cell = kCells[size % 3];
    if (size % 3 == 0)
        SetMacroCommand(t, cell, macro);
    else
        t.macros[cell] = macro;

    const TableEnvironment env{&books, nullptr};
    {
        Answers a(answers);
        Loader loader(file);
        (void)RunMacro(t, cell, a, &loader, env);
    }
    (void)DrawDisplayTexts(t, env);

    // The editor, the linked cells and the hints on the same text.
    const std::size_t a = answers.empty() ? 0 : static_cast<unsigned char>(answers[0]);
    const std::size_t b = answers.size() < 2 ? macro.size() : static_cast<unsigned char>(answers[1]) * 7;
    static constexpr MacroShift kShifts[] = {MacroShift::Left, MacroShift::Right, MacroShift::Up, MacroShift::Down};
    (void)ShiftSelectedText(macro, a, b, kShifts[(a + size) % 4]);
    (void)ReplicateSelectedText(macro, a, b, CopyFormulaSettings{static_cast<int>(a % 5), -1, static_cast<int>(b % 3)});
    TableSelection sel = TableSelection::fromRect(CellRect{0, 0, 1, 1});
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < t.columnCount(); ++c) {
            (void)SelectLinkedCells(t, {c, r}, sel);
            (void)CellHintText(t, {c, r}, CellHintEnvironment{&books, nullptr});
        }
    (void)ParseDataAddress(macro);

    while (t.Undo()) {
    }
    (void)DrawDisplayTexts(t, env);
    if (size % 2 == 1) {
        while (t.Redo()) {
        }
        (void)DrawDisplayTexts(t, env);
    }
    return 0;
}
