#include "core/project/FileDataTree.h"

#include <algorithm>
#include <limits>
#include <set>
#include <tuple>

#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"
#include "core/base/TextIds.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/RecordDecoder.h"
#include "core/tables/formula/CellNumberFormat.h"

namespace phonotab {

namespace {
constexpr int kPercentileType = 3;
constexpr std::size_t kMaxTextLine = 4096;

std::optional<double> valueOf(double v) {
    if (v == kNoValue) return std::nullopt;
    return v;
}

DataBand band(std::string name, std::optional<double> number) {
    return DataBand{std::move(name), dataValueText(number), number};
}

std::string recordTimeText(const MeasurementRecord& rec) {
    const CalendarTime t = rec.dateTime();
    return cformat("%02d/%02d/%d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
}

std::string lowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

// Fields of a text line separated by ";", each trimmed.
std::vector<std::string> fieldsOf(std::string_view line) {
    std::vector<std::string> out;
    auto trim = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        return std::string(s);
    };
    std::size_t pos = 0;
    while (true) {
        const std::size_t next = line.find(';', pos);
        out.push_back(trim(line.substr(pos, next == std::string_view::npos ? line.npos : next - pos)));
        if (next == std::string_view::npos) break;
        pos = next + 1;
    }
    // A line that ends with ";" (as exports write them) has no empty last field.
    if (out.size() > 1 && out.back().empty()) out.pop_back();
    return out;
}

DataRecord textBlock(const std::vector<std::vector<std::string>>& lines, int number) {
    DataRecord r;
    r.names = {Message(text::RecordCaption, number).text(), lines.front().front()};
    DataChannel ch{0, channelCaption(0, true), {}};
    DataType type{0, std::string(), {}};
    const std::vector<std::string>& head = lines.front();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        DataMode m{static_cast<int>(i), lines[i].front(), {}};
        for (std::size_t f = 1; f < lines[i].size(); ++f) {
            const std::string& text = lines[i][f];
            m.bands.push_back(DataBand{f < head.size() ? head[f] : std::string(), text, ParseCellNumber(text)});
        }
        type.modes.push_back(std::move(m));
    }
    ch.types.push_back(std::move(type));
    r.channels.push_back(std::move(ch));
    return r;
}

}  // namespace

DataRecord RecordDataNode(const MeasurementRecord& rec, const RecordLayout& layout, const TeleDesc& desc,
                          std::int64_t number) {
    DataRecord r;
    r.names = {Message(text::RecordCaption, number).text(), recordTimeText(rec)};
    // The detectors the file type stores values for, per channel and family.
    std::set<std::tuple<unsigned, unsigned, unsigned>> stored;
    for (FieldCode c : layout.codes)
        if (field::isMeasuredValue(c))
            stored.emplace(field::channel(c), field::family(c), field::detector(c, layout.longIndex));

    const int channels = std::clamp(layout.channelCount, 0, kMaxChannels);
    for (int c = 0; c < channels; ++c) {
        const ChannelBlock& block = rec.channels[static_cast<std::size_t>(c)];
        DataChannel ch{c, channelCaption(c, true), {}};
        for (int f = 1; f <= kFamilies; ++f) {
            if (layout.bandCount[static_cast<std::size_t>(f - 1)] <= 0) continue;
            const FamilyTable& table = block.families[static_cast<std::size_t>(f - 1)];
            DataType type{f - 1, familyCaption(layout, f), {}};
            for (int d = 0; d < table.detectors; ++d) {
                if (!stored.count({static_cast<unsigned>(c), static_cast<unsigned>(f), static_cast<unsigned>(d)}))
                    continue;
                DataMode mode{d, detectorName(layout, d), {}};
                for (int b = 0; b < table.bands; ++b)
                    mode.bands.push_back(
                        band(bandCaption(desc, layout, &rec, f, b, BandForm::Text), valueOf(table.value(d, b))));
                type.modes.push_back(std::move(mode));
            }
            if (!type.modes.empty()) ch.types.push_back(std::move(type));
        }
        const bool anyPoints = std::any_of(block.statistics.begin(), block.statistics.end(),
                                           [](const StatisticsEntry& e) { return !e.points.empty(); });
        if (anyPoints) {
            DataType type{kPercentileType, tr(text::PercentilesCaption), {}};
            for (std::size_t k = 0; k < block.statistics.size(); ++k) {
                const std::string name =
                    k < layout.statisticsCodes.size() ? parameterCaption(layout.statisticsCodes[k], desc, layout, &rec)
                                                      : std::string();
                DataMode mode{static_cast<int>(k), name, {}};
                for (const PercentPoint& p : block.statistics[k].points) mode.bands.push_back(band(p.label, valueOf(p.level)));
                type.modes.push_back(std::move(mode));
            }
            ch.types.push_back(std::move(type));
        }
        r.channels.push_back(std::move(ch));
    }
    return r;
}

Status RecordFileDataTree::load(const std::string& path) {
    Result<MeasurementFile> f = LoadMeasurementFromBytes(path, bytes_, FileWorkMode::Records, desc_);
    if (!f) return f.error();
    if (f->isMonitoring()) return Message(msg::MonitoringFileInTable);
    file_ = std::move(*f);
    return {};
}

Result<std::unique_ptr<RecordFileDataTree>> RecordFileDataTree::open(const std::string& path, const TeleDesc& desc) {
    std::unique_ptr<RecordFileDataTree> tree(new RecordFileDataTree(desc));
    if (!tree->mapped_.open(path)) return Message(msg::OpenError);
    tree->bytes_ = tree->mapped_.bytes();
    if (Status s = tree->load(path); !s) return s.error();
    return tree;
}

Result<std::unique_ptr<RecordFileDataTree>> RecordFileDataTree::fromBytes(const std::string& path,
                                                                         std::vector<std::uint8_t> bytes,
                                                                         const TeleDesc& desc) {
    std::unique_ptr<RecordFileDataTree> tree(new RecordFileDataTree(desc));
    tree->owned_ = std::move(bytes);
    tree->bytes_ = ByteSpan(tree->owned_.data(), tree->owned_.size());
    if (Status s = tree->load(path); !s) return s.error();
    return tree;
}

const DataRecord* RecordFileDataTree::record(std::size_t index) {
    if (index >= recordCount()) return nullptr;
    if (index == cached_) return &node_;
    const std::int64_t offset = file_.recordOffset(static_cast<std::int64_t>(index));
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= bytes_.size()) return nullptr;
    MeasurementRecord rec;
    file_.layout.sizeRecord(rec);
    rec.typeCode = file_.typeCode;
    rec.instrumentCode = file_.instrumentCode;
    rec.vin = file_.vin;
    const std::size_t size = std::min<std::size_t>(file_.recordSize, bytes_.size() - static_cast<std::size_t>(offset));
    DecodeRecord(file_.layout, bytes_.subspan(static_cast<std::size_t>(offset), size), false, rec);
    node_ = RecordDataNode(rec, file_.layout, desc_, static_cast<std::int64_t>(index) + 1);
    cached_ = index;
    return &node_;
}

std::unique_ptr<MemoryDataTree> LdlDataTree(const std::vector<LdlRecord>& records) {
    auto tree = std::make_unique<MemoryDataTree>();
    for (const LdlRecord& l : records) {
        DataRecord r;
        r.names = {l.caption, l.name};
        const int number = l.channel == std::numeric_limits<int>::min() ? l.channel : l.channel - 1;
        DataChannel ch{number, Message(207, l.channel).text(), {}};
        DataType type{0, l.filter, {}};
        DataMode mode{0, l.detector, {}};
        for (const auto& [label, value] : l.series) mode.bands.push_back(band(label, value));
        type.modes.push_back(std::move(mode));
        ch.types.push_back(std::move(type));
        r.channels.push_back(std::move(ch));
        tree->records.push_back(std::move(r));
    }
    return tree;
}

std::unique_ptr<MemoryDataTree> TextTableDataTree(std::string_view raw) {
    const std::string text = decodeLocal8Bit(raw);
    auto tree = std::make_unique<MemoryDataTree>();
    std::vector<std::vector<std::string>> block;
    auto endBlock = [&] {
        if (!block.empty()) tree->records.push_back(textBlock(block, static_cast<int>(tree->records.size()) + 1));
        block.clear();
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        // Lines are read in pieces of at most 4096 bytes.
        end = std::min(end, pos + kMaxTextLine);
        std::string_view line(text.data() + pos, end - pos);
        pos = end < text.size() && text[end] == '\n' ? end + 1 : end;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.substr(0, 5) == "_____") {
            endBlock();
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        block.push_back(fieldsOf(line));
    }
    endBlock();
    return tree;
}

Result<std::unique_ptr<DataTree>> FileDataLoader::loadDataFile(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == "ldl") {
        Result<std::vector<LdlRecord>> records = ConvertLdlFile(path, converterCommand_, converterTextPath_);
        if (!records) return records.error();
        return std::unique_ptr<DataTree>(LdlDataTree(*records));
    }
    if (ext == "txt") {
        std::string text;
        if (!readFileText(path, text)) return Message(msg::OpenError);
        return std::unique_ptr<DataTree>(TextTableDataTree(text));
    }
    Result<std::unique_ptr<RecordFileDataTree>> tree = RecordFileDataTree::open(path, desc_);
    if (!tree) return tree.error();
    return std::unique_ptr<DataTree>(std::move(*tree));
}

}  // namespace phonotab
