#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <limits>

#include "items/Records.h"
#include "values/Stream.h"
#include "tests/model/variables/RecordBytes.h"
#include "model/variables/Catalogue.h"
#include "model/variables/VariableTable.h"

namespace vantrel {
namespace {

using test::AppendKey;
using test::Bytes;
using test::StoredVariable;
using test::TableHeader;
using test::VariableRecord;

TEST(RecordFraming, ReadsShorterRecordsWithAZeroTailAndRefusesBadLengths) {
    struct Case {
        const char* what;
        Bytes stored;
        bool ok;
        std::size_t positionAfter;
    };
    auto record = [](std::int32_t length, std::size_t present) {
        Bytes bytes(4 + present, 0xAB);
        test::PutInt32(bytes, 0, length);
        return bytes;
    };
    const Case cases[] = {
        {"shorter", record(8, 4), true, 8},
        {"exact", record(16, 12), true, 16},
        {"one longer", record(17, 13), false, 4},
        {"huge", record(0x7fffffff, 12), false, 4},
        {"negative", record(-1, 12), false, 4},
        {"zero", record(0, 12), false, 4},
        {"three", record(3, 12), false, 4},
        {"only the length", record(4, 0), true, 4},
        {"truncated", record(16, 6), false, 10},
        {"no length", Bytes{0x10, 0}, false, 2},
    };
    for (const Case& c : cases) {
        std::array<std::uint8_t, 16> buffer;
        buffer.fill(0x55);
        MemoryInStream in(c.stored);
        EXPECT_EQ(ReadRecord(in, buffer), c.ok) << c.what;
        EXPECT_EQ(in.Position(), c.positionAfter) << c.what;
        if (!c.ok) continue;
        const std::size_t length = std::size_t(LoadInt32(buffer.data()));
        for (std::size_t i = 4; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], i < length ? 0xAB : 0) << c.what << " byte " << i;
    }
}

TEST(RecordFraming, WriterStoresTheSizeInTheFirstFourBytes) {
    std::array<std::uint8_t, 12> record{};
    record[4] = 7;
    MemoryOutStream out;
    ASSERT_TRUE(WriteRecord(out, record));
    EXPECT_EQ(out.bytes, (Bytes{12, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(VariableRecords, TableIsWrittenByteExact) {
    VariableTable table;
    table.Declare("IDS_LEVEL", 74, -1, 2, 0.5, kNoColour, kNoColour, kStep | kSwitch);
    table.ByName("IDS_LEVEL")->SetValueAt(1000, 1.0);
    table.ByName("IDS_LEVEL")->SetValueAt(-3, 0.25);
    MemoryOutStream out;
    ASSERT_EQ(table.Save(out), 1);

    Bytes expected = TableHeader(1);
    test::Append(expected, VariableRecord({"IDS_LEVEL", 2, -1, 2, 0.5, int(kStep | kSwitch), 74}));
    AppendKey(expected, -3, 0.25);
    AppendKey(expected, 1000, 1.0);
    ASSERT_EQ(out.bytes.size(), 8u + 368u + 32u);
    EXPECT_EQ(out.bytes, expected);
    // A few fields by hand, so that the builder above cannot share a mistake.
    EXPECT_EQ(out.bytes[8], 0x70);   // 368 = 0x170
    EXPECT_EQ(out.bytes[9], 0x01);
    EXPECT_EQ(out.bytes[8 + 32], 'I');
    EXPECT_EQ(out.bytes[8 + 288], 0x48);
    EXPECT_EQ(out.bytes[8 + 300], 74);
    EXPECT_EQ(out.bytes[376], 0xFD);  // -3 little-endian
    EXPECT_EQ(out.bytes[379], 0xFF);
}

class TableLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeclareAll(table_, ClipDeclarations(ClipKind::kMediaWithVideo));
        DeclareGroup(table_, catalogue::kEffectSwitches);
    }
    int Load(const Bytes& bytes) {
        MemoryInStream in(bytes);
        const int result = table_.Load(in);
        position_ = in.Position();
        return result;
    }
    const Variable& Named(const char* name) { return *table_.ByName(name); }
    VariableTable table_;
    std::size_t position_ = 0;
};

TEST_F(TableLoadTest, SavedTableLoadsBackCommitted) {
    VariableTable source;
    DeclareAll(source, ClipDeclarations(ClipKind::kMediaWithVideo));
    source.ByName("IDS_DST_L")->SetValueAt(0, -3.5);
    source.ByName("IDS_DST_L")->SetValueAt(4000, 12);
    source.ByName("IDS_START_OPACITY")->SetValueAt(250, 0.125);
    MemoryOutStream out;
    ASSERT_EQ(source.Save(out), 1);
    table_.SetValueByName("IDS_DST_L", 9, 1);
    ASSERT_EQ(Load(out.bytes), 1);
    EXPECT_EQ(position_, out.bytes.size());
    const Variable& left = Named("IDS_DST_L");
    ASSERT_EQ(left.KeyCount(), 2);
    EXPECT_EQ(left.Key(0).time, 0);
    EXPECT_DOUBLE_EQ(left.Key(1).value, 12);
    EXPECT_EQ(left.Key(1).state, kKeyCommitted);
    EXPECT_FALSE(table_.IsModified());
    EXPECT_DOUBLE_EQ(table_.ValueByName("IDS_START_OPACITY", 0), 0.125);
}

TEST_F(TableLoadTest, KeysStoredOutOfOrderReadBackSorted) {
    Bytes bytes = TableHeader(1);
    test::Append(bytes, VariableRecord({"IDS_SRC_L", 2}));
    AppendKey(bytes, 1000, 0.75);
    AppendKey(bytes, 0, 0.25);
    ASSERT_EQ(Load(bytes), 1);
    const Variable& v = Named("IDS_SRC_L");
    ASSERT_EQ(v.KeyCount(), 2);
    EXPECT_EQ(v.Key(0).time, 0);
    EXPECT_EQ(v.Key(1).time, 1000);
    EXPECT_DOUBLE_EQ(v.ValueAt(500), 0.5);
}

TEST_F(TableLoadTest, DuplicateTimesKeepTheLastValueInTheFile) {
    Bytes bytes = TableHeader(1);
    test::Append(bytes, VariableRecord({"IDS_SRC_L", 3}));
    AppendKey(bytes, 500, 0.1);
    AppendKey(bytes, 100, 0.2);
    AppendKey(bytes, 500, 0.3);
    ASSERT_EQ(Load(bytes), 1);
    const Variable& v = Named("IDS_SRC_L");
    ASSERT_EQ(v.KeyCount(), 2);
    EXPECT_DOUBLE_EQ(v.Key(1).value, 0.3);
}

TEST_F(TableLoadTest, DeclaredFlagsDecideHowManyKeysStay) {
    // The file does not say single value; the declaration does.
    Bytes bytes = TableHeader(1);
    test::Append(bytes, VariableRecord({"IDS_EFFECT_ENABLE", 2}));
    AppendKey(bytes, 0, 1.0);
    AppendKey(bytes, 3000, 0.0);
    ASSERT_EQ(Load(bytes), 1);
    const Variable& enable = Named("IDS_EFFECT_ENABLE");
    ASSERT_EQ(enable.KeyCount(), 1);
    EXPECT_EQ(enable.Key(0).time, 0);
    EXPECT_DOUBLE_EQ(enable.Key(0).value, 0.0);
}

TEST_F(TableLoadTest, FileRangesFlagsAndUndeclaredNamesAreIgnored) {
    Bytes bytes = TableHeader(3);
    test::Append(bytes, VariableRecord({"IDS_NOT_DECLARED_HERE", 1}));
    AppendKey(bytes, 0, 0.5);
    test::Append(bytes, VariableRecord({"ids_src_t", 1, -100, 100, 50, int(kHidden), 999}));
    AppendKey(bytes, 0, -40);
    test::Append(bytes, VariableRecord({"IDS_SRC_R", 0}));
    table_.ByName("IDS_SRC_R")->SetValueAt(0, 0.5);
    table_.ByName("IDS_DST_R")->SetValueAt(0, 0.5);
    ASSERT_EQ(Load(bytes), 1);
    EXPECT_EQ(position_, bytes.size());
    EXPECT_EQ(table_.FindByName("IDS_NOT_DECLARED_HERE"), -1);
    const Variable& top = Named("IDS_SRC_T");
    EXPECT_DOUBLE_EQ(top.Minimum(), 0);
    EXPECT_DOUBLE_EQ(top.ValueAt(0), 0) << "-40 clamps to the declared minimum";
    EXPECT_DOUBLE_EQ(top.Key(0).value, -40);
    EXPECT_EQ(top.DeclaredFlags(), 0u);
    EXPECT_EQ(top.StringId(), 46);
    EXPECT_EQ(Named("IDS_SRC_R").KeyCount(), 0) << "a stored variable without keys empties the declared one";
    EXPECT_EQ(Named("IDS_DST_R").KeyCount(), 1) << "a variable the file does not mention keeps its keys";
}

TEST_F(TableLoadTest, ShortVariableRecordReadsWithAZeroTail) {
    Bytes bytes = TableHeader(1);
    Bytes record = VariableRecord({"IDS_SRC_B", 1, 0, 1, 0, 0, 48, 200});
    ASSERT_EQ(record.size(), 200u);
    test::Append(bytes, record);
    AppendKey(bytes, 10, 0.5);
    ASSERT_EQ(Load(bytes), 1);
    EXPECT_EQ(position_, bytes.size());
    EXPECT_DOUBLE_EQ(Named("IDS_SRC_B").ValueAt(10), 0.5);

    Variable scratch;
    MemoryInStream in(bytes.data() + 8, bytes.size() - 8);
    ASSERT_EQ(scratch.Load(in), 1);
    EXPECT_EQ(scratch.Block().recordSize, 200);
    EXPECT_EQ(scratch.StringId(), 0) << "byte 300 lies in the missing tail";
    EXPECT_EQ(scratch.Identifier(), "IDS_SRC_B");
}

TEST_F(TableLoadTest, RefusedTableHeaderLeavesTheTableAlone) {
    table_.ByName("IDS_SRC_L")->SetValueAt(0, 0.5);
    for (std::int32_t size : {0, 3, 9, 0x7fffffff}) {
        Bytes bytes = TableHeader(1, size);
        test::Append(bytes, VariableRecord({"IDS_SRC_L", 0}));
        EXPECT_EQ(Load(bytes), 0) << size;
        EXPECT_EQ(Named("IDS_SRC_L").KeyCount(), 1) << size;
    }
    EXPECT_EQ(Load(Bytes{8, 0, 0}), 0);
}

TEST_F(TableLoadTest, RefusedVariableRecordsAreSkippedAndTheTableStillAnswersSuccess) {
    for (std::int32_t size : {0, 3, 369, 0x7fffffff}) {
        Bytes bytes = TableHeader(1);
        test::Append(bytes, VariableRecord({"IDS_SRC_L", 1, 0, 1, 0, 0, 0, size}));
        AppendKey(bytes, 0, 0.5);
        EXPECT_EQ(Load(bytes), 1) << size;
        EXPECT_EQ(Named("IDS_SRC_L").KeyCount(), 0) << size;
    }
}

TEST_F(TableLoadTest, HugeCountsEndWithTheData) {
    Bytes bytes = TableHeader(2000000000);
    test::Append(bytes, VariableRecord({"IDS_SRC_L", 2000000000}));
    AppendKey(bytes, 0, 0.1);
    AppendKey(bytes, 100, 0.2);
    AppendKey(bytes, 200, 0.3);
    bytes.resize(bytes.size() + 7, 0);  // a cut key at the end
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Load(bytes), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Named("IDS_SRC_L").KeyCount(), 3) << "the keys read so far are kept";
    EXPECT_EQ(Named("IDS_SRC_L").KeyCapacity(), Variable::kGrowthStep);
}

TEST_F(TableLoadTest, EveryTruncationOfAValidFileLoadsWhatItHolds) {
    VariableTable source;
    DeclareAll(source, ClipDeclarations(ClipKind::kMediaWithVideo));
    for (int i = 0; i < 4; ++i) source.ByName("IDS_SRC_L")->SetValueAt(i * 100, 0.1 * i);
    source.ByName("IDS_DST_B")->SetValueAt(50, 3);
    MemoryOutStream out;
    ASSERT_EQ(source.Save(out), 1);
    for (std::size_t cut = 0; cut <= out.bytes.size(); ++cut) {
        VariableTable target;
        DeclareAll(target, ClipDeclarations(ClipKind::kMediaWithVideo));
        MemoryInStream in(out.bytes.data(), cut);
        EXPECT_EQ(target.Load(in), cut >= 8 ? 1 : 0) << cut;
        EXPECT_LE(target.ByName("IDS_SRC_L")->KeyCount(), 4);
        if (cut == out.bytes.size()) {
            EXPECT_EQ(target.ByName("IDS_DST_B")->KeyCount(), 1);
        }
    }
}

TEST(VariableRecordReading, IdentifierWithoutTerminatorIsCut) {
    Bytes bytes = VariableRecord({"", 0});
    for (std::size_t i = 32; i < 288; ++i) bytes[i] = 'A';
    Variable v;
    MemoryInStream in(bytes);
    ASSERT_EQ(v.Load(in), 1);
    EXPECT_EQ(v.Identifier().size(), 255u);
}

TEST(VariableRecordReading, NaNKeysAreSkippedAndNegativeCountsReadNothing) {
    Bytes bytes = VariableRecord({"IDS_X", 2});
    AppendKey(bytes, 0, std::numeric_limits<double>::quiet_NaN());
    AppendKey(bytes, 10, 0.5);
    Variable v;
    MemoryInStream in(bytes);
    ASSERT_EQ(v.Load(in), 1);
    ASSERT_EQ(v.KeyCount(), 1);
    EXPECT_EQ(v.Key(0).time, 10);

    Bytes negative = VariableRecord({"IDS_X", -5});
    AppendKey(negative, 0, 0.5);
    MemoryInStream in2(negative);
    ASSERT_EQ(v.Load(in2), 1);
    EXPECT_EQ(v.KeyCount(), 0);
    EXPECT_EQ(in2.Position(), 368u);
}

TEST(VariableRecordReading, SingleValueInTheFileKeepsTheFirstKeysTime) {
    Bytes bytes = VariableRecord({"IDS_X", 3, 0, 1, 0, int(kSingleValue)});
    AppendKey(bytes, 700, 0.1);
    AppendKey(bytes, 100, 0.2);
    AppendKey(bytes, 900, 0.3);
    Variable v;
    MemoryInStream in(bytes);
    ASSERT_EQ(v.Load(in), 1);
    ASSERT_EQ(v.KeyCount(), 1);
    EXPECT_EQ(v.Key(0).time, 700);
    EXPECT_DOUBLE_EQ(v.Key(0).value, 0.3);
    EXPECT_EQ(v.Key(0).state, kKeyCommitted);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(EffectRecords, PrivateBlockPrecedesTheTableAndARefusedBlockStillReadsTheTable) {
    VariableTable source;
    DeclareEffect(source, EffectKind::kVideo, 103);
    source.ByName("IDS_OPACITY")->SetValueAt(0, -0.5);
    std::array<std::uint8_t, 12> block{};
    block[8] = 42;
    MemoryOutStream out;
    ASSERT_EQ(SaveEffectRecord(out, source, block.data(), block.size()), 1);
    EXPECT_EQ(LoadInt32(out.bytes.data()), 12);
    EXPECT_EQ(LoadInt32(out.bytes.data() + 12), 8) << "the table record follows the block";

    auto load = [&](std::size_t capacity, std::array<std::uint8_t, 12>& into) {
        VariableTable target;
        DeclareEffect(target, EffectKind::kVideo, 103);
        MemoryInStream in(out.bytes);
        const int result = LoadEffectRecord(in, target, into.data(), capacity);
        return std::make_pair(result, target.ValueByName("IDS_OPACITY", 0));
    };
    std::array<std::uint8_t, 12> into{};
    EXPECT_EQ(load(12, into), std::make_pair(1, -0.5));
    EXPECT_EQ(into[8], 42);
    // A reader whose block is smaller refuses it; the stream then stands
    // inside the block, so the table reads garbage and fails too.
    EXPECT_EQ(load(8, into).first, 0);

    MemoryOutStream plain;
    ASSERT_EQ(SaveEffectRecord(plain, source, nullptr, 0), 1);
    EXPECT_EQ(LoadInt32(plain.bytes.data()), 8);
    VariableTable target;
    DeclareEffect(target, EffectKind::kVideo, 103);
    MemoryInStream in(plain.bytes);
    EXPECT_EQ(LoadEffectRecord(in, target, nullptr, 0), 1);
    EXPECT_DOUBLE_EQ(target.ValueByName("IDS_OPACITY", 0), -0.5);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Accepts writes until its budget is spent, then refuses every one.
class FullDisk final : public OutStream {
public:
    explicit FullDisk(std::size_t budget) : budget_(budget) {}
    bool Write(const void*, std::size_t size) override {
        ++writes;
        if (size > budget_) return false;
        budget_ -= size;
        return true;
    }
    int writes = 0;

private:
    std::size_t budget_;
};

TEST(VariableRecords, SavingStopsAtTheFirstFailedWrite) {
    VariableTable table;
    DeclareAll(table, ClipDeclarations(ClipKind::kMediaWithoutVideo));
    table.At(1).SetValueAt(0, 0.5);
    MemoryOutStream whole;
    ASSERT_EQ(table.Save(whole), 1);
    struct Case { std::size_t budget; int writes; };
    // The count record, then one write per record without keys.
    for (const Case c : {Case{0, 1}, {8, 2}, {8 + 368, 3}}) {
        FullDisk disk(c.budget);
        EXPECT_EQ(table.Save(disk), 0) << c.budget;
        EXPECT_EQ(disk.writes, c.writes) << c.budget;
    }
    FullDisk almost(whole.bytes.size() - 1);
    EXPECT_EQ(table.Save(almost), 0);
    FullDisk enough(whole.bytes.size());
    EXPECT_EQ(table.Save(enough), 1);
}

}  // namespace
}  // namespace vantrel
