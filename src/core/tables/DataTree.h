// A data file loaded for a report table ("Данные из файла", cell macros), seen
// as a tree: a list of records; in a record, channels with numbers; in a
// channel, types with numbers; in a type, modes with numbers and names; in a
// mode, a list of bands, each a name and a value text.
//
// The table library knows only this shape. Who builds it from which kind of
// file lives with the measurement side (project/FileDataTree.h).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace phonotab {

struct DataBand {
    std::string name;
    std::string value;            // as a cell shows it; "?" when the band has no value
    std::optional<double> number; // the value as a number, when it is one
};

struct DataMode {
    int number = 0;
    std::string name;
    std::vector<DataBand> bands;
};

struct DataType {
    int number = 0;
    std::string name;
    std::vector<DataMode> modes;
};

struct DataChannel {
    int number = 0;
    std::string name;
    std::vector<DataType> types;
};

struct DataRecord {
    std::array<std::string, 2> names;  // its caption and a second name (time, record name ...)
    std::vector<DataChannel> channels;
};

// What is chosen in a loaded file. All numbers are 0-based; a data
// address writes them from 1. record and band are positions in their
// lists; channel, type and mode are the numbers of those items. A mode name,
// when set, picks the mode by name instead of by number.
struct DataSelection {
    int output = 0;  // what a data address reads: 0 value, 1 band name, 2 mode, 3 type, 4 channel, 5/6 record names
    int record = 0;
    int channel = 0;
    int type = 0;
    int mode = 0;
    int band = 0;
    std::string modeName;

    friend bool operator==(const DataSelection&, const DataSelection&) = default;
};

class DataTree {
public:
    virtual ~DataTree() = default;
    virtual std::size_t recordCount() const = 0;
    // Record i (0-based); null outside the file. The pointer stays valid until
    // the next call (records of large files are decoded one at a time).
    virtual const DataRecord* record(std::size_t index) = 0;
};

// A tree held in memory as a whole (text files, converter dumps, tests).
class MemoryDataTree final : public DataTree {
public:
    std::vector<DataRecord> records;

    std::size_t recordCount() const override { return records.size(); }
    const DataRecord* record(std::size_t index) override {
        return index < records.size() ? &records[index] : nullptr;
    }
};

// The items a selection names in a record, down to the band; a level that is
// not there is null, and so is every level below it.
struct DataPath {
    const DataRecord* record = nullptr;
    const DataChannel* channel = nullptr;
    const DataType* type = nullptr;
    const DataMode* mode = nullptr;
    const DataBand* band = nullptr;
};
DataPath ResolveDataPath(DataTree& tree, const DataSelection& selection);

// The text the selection reads by its output selector: the band's value (0),
// the band's name (1), the mode's name (2), the type's name (3), the channel's
// name (4), the record's first or second name (5, 6). "0" when a level it needs
// is not in the file, or the selector is none of these.
std::string SelectedDataText(DataTree& tree, const DataSelection& selection);

// The selection a freshly loaded file starts from: its first record and, in it,
// the first channel, the first type of that channel, the first mode of that
// type and the first band.
DataSelection InitialDataSelection(DataTree& tree);

// The value text of a number as bands carry it ("%.6lf"), "?" for none.
std::string dataValueText(std::optional<double> number);

}  // namespace phonotab
