#include <gtest/gtest.h>

#include <bit>
#include <filesystem>

#include "DemoData.h"
#include "InstrumentFiles.h"
#include "TestSupport.h"
#include "core/measurement/FileProbe.h"
#include "core/measurement/MeasurementFile.h"
#include "core/measurement/RecordDecoder.h"
#include "core/measurement/SeriesReader.h"

using namespace phonotab;
using namespace phonotab::fixtures;
using phonotab::testing::demoDesc;
using phonotab::testing::demoSource;

namespace {

Result<MeasurementFile> load(const std::vector<std::uint8_t>& bytes, FileWorkMode mode = FileWorkMode::Records,
                             const std::string& name = "f.bin") {
    return LoadMeasurementFromBytes(name, bytes, mode, demoDesc());
}

}  // namespace

TEST(FileProbe, KindsFromTheFirstBytes) {
    std::vector<std::uint8_t> b(22, 0);
    const std::string cbf = "S210CF~e&9gt5F7lJ";
    std::copy(cbf.begin(), cbf.end(), b.begin());
    b[18] = 0xB8, b[19] = 0x0B, b[20] = 40;
    FileProbe p = ProbeFileType(b);
    EXPECT_EQ(p.kind, FileKind::Cbf);
    EXPECT_EQ(p.typeCode, 3000);
    EXPECT_EQ(p.instrumentCode, 40);
    b[17] = 'x';  // without the terminating zero it is not a CBF signature
    EXPECT_NE(ProbeFileType(b).kind, FileKind::Cbf);
    b[17] = 0, b[1] = '1';
    EXPECT_EQ(ProbeFileType(b).kind, FileKind::OldCbf);

    std::vector<std::uint8_t> plain(22, 0);
    plain[18] = 17;
    p = ProbeFileType(plain);
    EXPECT_EQ(p.kind, FileKind::Plain);
    EXPECT_EQ(p.typeCode, 60017);
    EXPECT_TRUE(p.isMonitoring());
    plain[18] = 6000 & 0xFF, plain[19] = 6000 >> 8;
    EXPECT_EQ(ProbeFileType(plain).typeCode, 464);

    std::vector<std::uint8_t> versioned = {7, 0, 21, 0, 0x01, 0x00, 0x02, 0x00};
    p = ProbeFileType(versioned);  // short files read as zeros beyond their end
    EXPECT_EQ(p.kind, FileKind::Versioned);
    EXPECT_EQ(p.typeCode, 7);
    versioned[6] = 3;  // 0x30001 is outside the version range
    EXPECT_EQ(ProbeFileType(versioned).kind, FileKind::Plain);
}

TEST(FileProbe, TypeFamilies) {
    EXPECT_TRUE(sameTypeFamily(3, 13));
    EXPECT_TRUE(sameTypeFamily(9, 4));
    EXPECT_TRUE(sameTypeFamily(60101, 60101));
    EXPECT_FALSE(sameTypeFamily(3, 4));
    EXPECT_FALSE(sameTypeFamily(0, 13));
}

TEST(MeasurementFile, PlainRecordFileTimeBaseFromFirstAndLastRecord) {
    const auto bytes = makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 10, 1);
    Result<MeasurementFile> f = load(bytes);
    ASSERT_TRUE(f.ok()) << f.error().text();
    EXPECT_EQ(f->kind, FileKind::Plain);
    EXPECT_EQ(f->typeCode, kSlmType);
    EXPECT_EQ(f->instrumentCode, kSlmInstrument);
    EXPECT_EQ(f->count, 10);
    EXPECT_EQ(f->duration, 9.0);
    EXPECT_EQ(f->timeStep, 1.0);
    EXPECT_EQ(formatIso(f->startTime), "2024-05-20 09:00:00");
    EXPECT_EQ(formatIso(f->sampleTime(3)), "2024-05-20 09:00:03");
    EXPECT_EQ(f->header.comment, "STREET    ");

    // Trailing bytes that do not make a record are ignored.
    auto longer = bytes;
    longer.resize(bytes.size() + 7, 0xEE);
    EXPECT_EQ(load(longer)->count, 10);
}

TEST(MeasurementFile, SingleRecordHasAStepOfOneSecond) {
    Result<MeasurementFile> f = load(makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 1, 1));
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->count, 1);
    EXPECT_EQ(f->timeStep, 1.0);
    EXPECT_EQ(f->duration, 0.0);
}

TEST(MeasurementFile, Refusals) {
    const auto slm = makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 2, 1);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int message;
    };
    std::vector<std::uint8_t> oldCbf(64, 0);
    const std::string sig = "S110CF~e&9gt5F7lJ";
    std::copy(sig.begin(), sig.end(), oldCbf.begin());
    std::vector<std::uint8_t> unknown = slm;
    unknown[18] = 99;  // instrument 99: type 60099 is not described
    const std::vector<Case> cases = {
        {"empty", {}, 143},
        {"shorter than the probe", {1, 2, 3}, 143},
        {"shorter than a record", std::vector<std::uint8_t>(slm.begin(), slm.begin() + 100), 143},
        {"old CBF", oldCbf, 404},
        {"unknown type", unknown, 132},
        {"CBF without fields", writeCbf(3000, 40, 1, {{0, 0x50070000, 0}, {-5, 1, 1}}, {}), 5004},
        {"CBF without records", writeCbf(3000, 40, 1, {{1, 0x50070000, 0}}, {}), 143},
        {"CBF with a huge descriptor count", [] {
             auto b = writeCbf(3000, 40, 1, {{1, 0x50070000, 0}}, {});
             b[26] = b[27] = b[28] = b[29] = 0xFF;
             return b;
         }(), 5001},
    };
    for (const auto& c : cases) {
        Result<MeasurementFile> f = load(c.bytes);
        ASSERT_FALSE(f.ok()) << c.what;
        EXPECT_EQ(f.error().id, c.message) << c.what;
    }
    EXPECT_EQ(LoadMeasurementFile("/nonexistent/x.bin", FileWorkMode::Records, demoDesc()).error().id, 105);
}

TEST(MeasurementFile, CbfTimeBase) {
    // Date-times 5 s apart, then the seconds counter decides the duration.
    Result<MeasurementFile> f = load(makeLoggerCbf({2023, 6, 1, 12, 0, 7}, 3, 5, 1), FileWorkMode::Records, "x.cbf");
    ASSERT_TRUE(f.ok()) << f.error().text();
    EXPECT_TRUE(f->isCbf());
    EXPECT_EQ(f->typeCode, kLoggerType);
    EXPECT_EQ(f->instrumentCode, kLoggerInstrument);
    EXPECT_EQ(f->vin, 0x00DEC0DEu);
    EXPECT_EQ(f->dataOffset, 28u + 20 * 3);
    EXPECT_EQ(f->count, 3);
    EXPECT_EQ(f->duration, 10.0);
    EXPECT_EQ(f->timeStep, 5.0);
    EXPECT_EQ(formatIso(f->startTime), "2023-06-01 12:00:07");

    // Without time fields: 1024/3000 s per record.
    const std::vector<CbfDescriptor> d = {{2, 0x01300000, 1}};
    std::vector<RecordBuilder> recs(4, RecordBuilder(cbfCodes(d), 4));
    f = load(writeCbf(3000, 40, 1, d, recs), FileWorkMode::Records, "y.cbf");
    ASSERT_TRUE(f.ok());
    EXPECT_DOUBLE_EQ(f->duration, 3 * 0.3413333333333333);
    EXPECT_DOUBLE_EQ(f->timeStep, 0.3413333333333333);
    f = load(writeCbf(3000, 40, 1, d, std::vector<RecordBuilder>(1, recs[0])), FileWorkMode::Records, "z.cbf");
    EXPECT_EQ(f->timeStep, 1.0);
}

// A self-describing file whose one field names detector 255 and band 255: each
// record then holds 256 x 256 values in each of its four channels. Unbounded
// by default; a bound below that refuses the file as damaged.
TEST(MeasurementFile, BoundOnTheValuesOfARecord) {
    const std::vector<CbfDescriptor> d = {{1, 0x0130FFFF, 0}};
    const auto bytes = writeCbf(3000, 40, 1, d, std::vector<RecordBuilder>(2, RecordBuilder(cbfCodes(d), 2)));
    Result<MeasurementFile> f = load(bytes, FileWorkMode::Records, "wide.cbf");
    ASSERT_TRUE(f.ok()) << f.error().text();
    EXPECT_EQ(f->layout.recordValues(), 4u * 256 * 256);
    MeasurementLimits limits;
    limits.maxRecordValues = 4 * 256 * 256 - 1;
    f = LoadMeasurementFromBytes("wide.cbf", bytes, FileWorkMode::Records, demoDesc(), {}, limits);
    ASSERT_FALSE(f.ok());
    EXPECT_EQ(f.error().id, 5001);
    limits.maxRecordValues = 4 * 256 * 256;
    EXPECT_TRUE(LoadMeasurementFromBytes("wide.cbf", bytes, FileWorkMode::Records, demoDesc(), {}, limits).ok());
}

TEST(MeasurementFile, MonitoringStreamModes) {
    const auto bytes = makeStationFile(demoSource(), {2022, 11, 5, 23, 59, 41}, 12, 5, 1);
    Result<MeasurementFile> samples = load(bytes, FileWorkMode::Samples);
    ASSERT_TRUE(samples.ok()) << samples.error().text();
    EXPECT_TRUE(samples->isMonitoring());
    EXPECT_EQ(samples->count, 12);  // entries after the last block are kept
    EXPECT_EQ(samples->timeStep, 10.24);
    EXPECT_DOUBLE_EQ(samples->duration, 11 * 10.24);
    EXPECT_EQ(formatIso(samples->startTime), "2022-11-05 23:59:41");
    EXPECT_EQ(samples->monitoring.firstHistograms.size(), 2u);
    // Read as records, a station is read as samples.
    EXPECT_EQ(load(bytes, FileWorkMode::Records)->workMode, FileWorkMode::Samples);

    Result<MeasurementFile> histo = load(bytes, FileWorkMode::Histograms);
    ASSERT_TRUE(histo.ok());
    EXPECT_EQ(histo->count, 2);
    EXPECT_EQ(histo->timeStep, 600.0);
    EXPECT_EQ(histo->duration, 600.0);
}

TEST(MonitoringStream, StateMachineCorners) {
    std::vector<std::uint8_t> file(2048, 0);
    std::size_t at = 20;
    auto word = [&](std::uint16_t w) {
        file[at] = static_cast<std::uint8_t>(w);
        file[at + 1] = static_cast<std::uint8_t>(w >> 8);
        at += 2;
    };
    // Seven markers and another word: back to idle, the word is dropped.
    for (int i = 0; i < 7; ++i) word(0xFFFF);
    word(0x1234);
    // Then an entry of 10 words, whose words may be 0xFFFF inside.
    word(0x0101);
    for (int i = 0; i < 9; ++i) word(0xFFFF);
    // A marker and a word: dropped; the rest of the block is zeros = entries.
    word(0xFFFF);
    word(0);
    MonitoringData d = ParseMonitoringStream(file);
    EXPECT_TRUE(d.firstHistograms.empty());
    ASSERT_GE(d.entries.size(), 1u);
    EXPECT_EQ(d.entries[0][0], 0x0101);
    EXPECT_EQ(d.entries[0][9], 0xFFFF);
    // A trailing partial block is not read.
    std::vector<std::uint8_t> partial(1000, 0);
    EXPECT_TRUE(ParseMonitoringStream(partial).entries.empty());
}

TEST(MeasurementFile, MntRecordsAndHistogramSets) {
    const auto bytes = makeDosimeterMnt(demoSource(), {2024, 5, 23, 8, 0, 0}, 30, 10, 1);
    Result<MeasurementFile> rec = load(bytes, FileWorkMode::Samples, "shift.MNT");
    ASSERT_TRUE(rec.ok()) << rec.error().text();
    EXPECT_TRUE(rec->isMnt);
    EXPECT_EQ(rec->count, 30);
    EXPECT_EQ(rec->blocks.size(), 6u);
    EXPECT_EQ(rec->timeStep, 10.0);

    Result<MeasurementFile> histo = load(bytes, FileWorkMode::Histograms, "shift.mnt");
    ASSERT_TRUE(histo.ok());
    EXPECT_EQ(histo->histogramSets.blocksPerSet, 2u);
    EXPECT_EQ(histo->count, 3);
    // Sets are timed by the records before the first and the last run of blocks.
    EXPECT_EQ(formatIso(histo->startTime), "2024-05-23 08:01:30");
    EXPECT_EQ(histo->duration, 200.0);
    EXPECT_EQ(histo->timeStep, 100.0);

    // One set only: too few tag-0 blocks for histogram mode.
    const auto one = makeDosimeterMnt(demoSource(), {2024, 5, 23, 8, 0, 0}, 15, 10, 1);
    EXPECT_EQ(load(one, FileWorkMode::Histograms, "a.mnt").error().id, 413);
    EXPECT_TRUE(load(one, FileWorkMode::Samples, "a.mnt").ok());
}

TEST(MntScan, IncompleteLastSetAndLeadingBlocksAreDiscarded) {
    std::vector<MntBlock> blocks;
    std::uint64_t off = 100;
    for (std::uint16_t tag : {2, 0, 1, 2, 0, 1, 2, 0, 1}) {
        blocks.push_back({tag, off});
        off += kMntBlockSize;
    }
    const MntHistogramSets s = FindMntHistogramSets(blocks, 30);
    EXPECT_EQ(s.tagZeroBlocks, 3);
    EXPECT_EQ(s.firstBlock, 1u);
    EXPECT_EQ(s.blocksPerSet, 3u);
    EXPECT_EQ(s.setCount, 2u);  // the last set lacks its tag-2 block
    EXPECT_EQ(s.firstRunRecordOffset, 70);
}

TEST(SeriesReader, OnePassExtractionEqualsDecodingEachRecord) {
    const auto bytes = makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 50, 3);
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("slm.bin");
    ASSERT_TRUE(phonotab::testing::writeBytes(path, bytes));
    Result<MeasurementFile> f = LoadMeasurementFile(path, FileWorkMode::Records, demoDesc());
    ASSERT_TRUE(f.ok());
    const std::vector<FieldCode> codes = {0x01300100, 0x01100009, 0x00170002, 0x01300500, 0x02300100};
    auto series = ExtractSeries(*f, codes, 5, 40);
    ASSERT_TRUE(series.ok());
    ASSERT_EQ((*series)[0].size(), 40u);
    EXPECT_TRUE((*series)[3].empty());  // not stored by this instrument
    // A code of the other measured-value kind finds the field of the same quantity.
    EXPECT_EQ((*series)[4], (*series)[0]);
    for (int i = 0; i < 40; ++i) {
        MeasurementRecord r;
        f->layout.sizeRecord(r);
        r.typeCode = f->typeCode;
        DecodeRecord(f->layout, ByteSpan(bytes.data() + (5 + i) * f->recordSize, f->recordSize), false, r);
        EXPECT_EQ((*series)[0][static_cast<std::size_t>(i)], r.channels[0].families[2].value(1, 0));
        EXPECT_EQ((*series)[1][static_cast<std::size_t>(i)], r.channels[0].families[0].value(0, 9));
        EXPECT_EQ((*series)[2][static_cast<std::size_t>(i)], r.channels[0].statistics[0].points[2].level);
    }
    // A stop asked for through the progress ends the read.
    Progress stop;
    stop.cancel();
    auto stopped = ExtractSeries(*f, codes, 0, 50, stop);
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.error().id, msg::Cancelled);
}

// Every encoding, read in blocks of 8 records and more, by one thread or
// several, with plain or streamed stores, from a range that starts and ends
// inside blocks: the values of the records one by one, to the bit. A file
// cut short since loading gives the no-value mark for the records it lacks.
TEST(SeriesReader, BlocksThreadsAndStreamedStoresGiveEachRecordsValues) {
    // u16 /256, i32 /65536, u32 as is, an encoding without values (0.0), and
    // a field not asked for: 14-byte records, so that fields fall anywhere.
    const std::vector<CbfDescriptor> d = {
        {1, 0x01300000, 0}, {1, 0x51100001, 0}, {1, 0x71200100, 0}, {1, 0x31100002, 0}, {1, 0x01300300, 0}};
    const std::vector<FieldCode> codes = {0x71200100, 0x01300000, 0x31100002, 0x51100001, 0x01300500};
    const std::vector<FieldCode> fields = cbfCodes(d);
    const int records = 1237;
    std::vector<RecordBuilder> recs(records, RecordBuilder(fields, 14));
    for (int i = 0; i < records; ++i) {
        const auto u = static_cast<std::uint32_t>(i);
        recs[static_cast<std::size_t>(i)].setRaw(0x01300000, (u * 7919u) & 0xFFFF);
        recs[static_cast<std::size_t>(i)].setRaw(0x51100001, u * 2654435761u);  // negative ones too
        recs[static_cast<std::size_t>(i)].setRaw(0x71200100, 0xFFFFFFFFu - u * 3037000493u);
        recs[static_cast<std::size_t>(i)].setRaw(0x31100002, u);
        recs[static_cast<std::size_t>(i)].setRaw(0x01300300, 0xFFFF - u);
    }
    const auto bytes = writeCbf(3000, 40, 1, d, recs);
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("encodings.cbf");
    ASSERT_TRUE(phonotab::testing::writeBytes(path, bytes));
    Result<MeasurementFile> f = LoadMeasurementFile(path, FileWorkMode::Records, demoDesc());
    ASSERT_TRUE(f.ok()) << f.error().text();
    ASSERT_EQ(f->recordSize, 14u);
    ASSERT_EQ(f->count, records);

    std::vector<ValueLocator> where;
    for (FieldCode c : codes) where.push_back(locateParameter(*f, c));
    ASSERT_FALSE(where[4].present());
    // The value of record i of code k as one record's decoding gives it; the
    // no-value mark beyond `present` records.
    auto expected = [&](std::size_t k, std::int64_t i, std::int64_t present) {
        if (i >= present) return kNoValue;
        return where[k].read(ByteSpan(bytes.data() + f->dataOffset + static_cast<std::size_t>(i) * 14, 14));
    };
    auto check = [&](const ExtractionTuning& tuning, std::int64_t first, std::int64_t count, std::int64_t present,
                     const std::string& what) {
        SCOPED_TRACE(what);
        auto series = ExtractSeries(*f, codes, first, count, {}, tuning);
        ASSERT_TRUE(series.ok());
        ASSERT_EQ(series->size(), codes.size());
        EXPECT_TRUE((*series)[4].empty());
        for (std::size_t k = 0; k < 4; ++k) {
            ASSERT_EQ((*series)[k].size(), static_cast<std::size_t>(count));
            int wrong = 0;
            for (std::int64_t i = 0; i < count; ++i) {
                const double got = (*series)[k][static_cast<std::size_t>(i)];
                const double want = expected(k, first + i, present);
                if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(want) && ++wrong <= 3)
                    ADD_FAILURE() << "code " << std::hex << codes[k] << std::dec << ", record " << first + i << ": "
                                  << got << " instead of " << want;
            }
        }
    };
    ExtractionTuning small;  // blocks of 8 records, streamed, three threads
    small.blockBytes = 1;
    small.streamedBytes = 0;
    small.threadedBytes = 0;
    small.threads = 3;
    ExtractionTuning medium = small;  // blocks of 40 records, two threads
    medium.blockBytes = 40 * 14 + 13;
    medium.threads = 2;
    ExtractionTuning plainSmall = small;
    plainSmall.streamedBytes = std::uint64_t{1} << 62;
    for (std::int64_t first : {0, 3}) {
        for (std::int64_t count : {std::int64_t{1}, std::int64_t{7}, std::int64_t{1231}, records - first}) {
            const std::string range = std::to_string(first) + "+" + std::to_string(count);
            check({}, first, count, records, "default, " + range);
            check(small, first, count, records, "small blocks, " + range);
            check(medium, first, count, records, "medium blocks, " + range);
            check(plainSmall, first, count, records, "small plain blocks, " + range);
        }
    }

    // Cut short in the middle of record 1000: 1000 records left.
    std::filesystem::resize_file(path, f->dataOffset + 1000 * 14 + 5);
    check(small, 3, records - 3, 1000, "cut short, small blocks");
    check(medium, 0, records, 1000, "cut short, medium blocks");
    check({}, 3, records - 3, 1000, "cut short, default");

    // The block reader of the batch tool gives the same values.
    std::filesystem::resize_file(path, 0);
    ASSERT_TRUE(phonotab::testing::writeBytes(path, bytes));
    Result<SeriesBlockReader> reader = SeriesBlockReader::open(*f, codes);
    ASSERT_TRUE(reader.ok());
    std::vector<std::vector<double>> blocks(codes.size());
    for (std::int64_t at = 5; at < records; at += 97) reader->read(at, std::min<std::int64_t>(97, records - at), blocks);
    for (std::size_t k = 0; k < 4; ++k) {
        ASSERT_EQ(blocks[k].size(), static_cast<std::size_t>(records - 5));
        for (std::int64_t i = 5; i < records; ++i)
            ASSERT_EQ(std::bit_cast<std::uint64_t>(blocks[k][static_cast<std::size_t>(i - 5)]),
                      std::bit_cast<std::uint64_t>(expected(k, i, records)))
                << "code " << std::hex << codes[k] << std::dec << ", record " << i;
    }
}
