// Data files loaded into report tables ("Данные из файла", cell macros) as the
// tree of records, channels, types, modes and bands that tables read.
//
// How each kind of file becomes that tree:
//
// - Instrument record files (plain and versioned *.bin, "mnt" files read as
//   records, CBF files): the tree mirrors the record dump. Records are the
//   file's records in order, each named "Запись N" and by its date and time
//   "dd/mm/yyyy hh:mm:ss". Channels are the layout's channels, numbered from 0
//   and named "канал N". Types 0, 1 and 2 are the value families 1 to 3 that
//   the file type has bands in, named by the family captions; type 3 is the
//   channel's percentile statistics ("процентили") when the record carries
//   any. The modes of a family are the detectors the file type stores values
//   for (numbered by detector index, named by detector name); its bands are
//   the family's bands, named by their captions (the record's own frequency
//   where it sends one), with the value as "%.6lf" or "?" for no value. The
//   modes of the percentile type are the statistics entries (named after the
//   parameter of the type's second code list) and their bands the percentile
//   points ("L10" ...).
// - Monitoring streams are refused (414): their entries are no records.
// - *.ldl files, read through the converter: each dumped record is a record
//   named "Запись N" and by its dumped name, with one channel (the dumped
//   channel number less one, named "канал N"), one type 0 named after the
//   filter, one mode 0 named after the detector, and the dumped band labels
//   and values as bands.
// - *.txt text tables (fields separated by ";", blocks separated by lines that
//   begin with "_____"): each block is a record named "Запись N" and by the
//   first field of its first line; it has one channel 0 and one type 0; every
//   non-blank line of the block is a mode numbered from 0 and named by its
//   first field, whose further fields are its bands, named by the field in the
//   same column of the block's first line, with the field's text as value.
//
// Record files are not read whole: a record is decoded when it is asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/MappedFile.h"
#include "core/base/Result.h"
#include "core/measurement/LdlDump.h"
#include "core/measurement/MeasurementFile.h"
#include "core/tables/DataFileAccess.h"
#include "core/tables/DataTree.h"

namespace phonotab {

// The records of an instrument record file, decoded one at a time.
class RecordFileDataTree final : public DataTree {
public:
    // Maps and recognises the file: 312 when it cannot be opened, 414 for a
    // monitoring stream, the loader's message for any other refusal.
    static Result<std::unique_ptr<RecordFileDataTree>> open(const std::string& path, const TeleDesc& desc);
    // The same over bytes the tree keeps.
    static Result<std::unique_ptr<RecordFileDataTree>> fromBytes(const std::string& path,
                                                                std::vector<std::uint8_t> bytes,
                                                                const TeleDesc& desc);

    std::size_t recordCount() const override { return static_cast<std::size_t>(file_.count); }
    const DataRecord* record(std::size_t index) override;
    const MeasurementFile& file() const { return file_; }

private:
    explicit RecordFileDataTree(const TeleDesc& desc) : desc_(desc) {}
    Status load(const std::string& path);

    const TeleDesc& desc_;
    MappedFile mapped_;
    std::vector<std::uint8_t> owned_;
    ByteSpan bytes_;
    MeasurementFile file_;
    DataRecord node_;
    std::size_t cached_ = static_cast<std::size_t>(-1);
};

// The tree node of one decoded record (number counts from 1).
DataRecord RecordDataNode(const MeasurementRecord& record, const RecordLayout& layout, const TeleDesc& desc,
                          std::int64_t number);

// The records of a converter dump of an *.ldl file.
std::unique_ptr<MemoryDataTree> LdlDataTree(const std::vector<LdlRecord>& records);

// The blocks of a text table (UTF-8, or CP1251 when it is not valid UTF-8).
std::unique_ptr<MemoryDataTree> TextTableDataTree(std::string_view text);

// Loads any data file a table may read, by its extension: "ldl" through the
// converter, "txt" as a text table, anything else as an instrument file.
class FileDataLoader final : public DataFileLoader {
public:
    // converterCommand and converterTextPath as ConvertLdlFile takes them.
    FileDataLoader(const TeleDesc& desc, std::string converterCommand, std::string converterTextPath)
        : desc_(desc), converterCommand_(std::move(converterCommand)), converterTextPath_(std::move(converterTextPath)) {}
    Result<std::unique_ptr<DataTree>> loadDataFile(const std::string& path) override;

private:
    const TeleDesc& desc_;
    std::string converterCommand_;
    std::string converterTextPath_;
};

}  // namespace phonotab
