#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "model/variables/Variable.h"
#include "model/variables/VariableTable.h"

namespace vantrel {
namespace {

// A table gives the variable a parent, a time and declared flags, as in use.
class KeyFrameTest : public ::testing::Test {
protected:
    Variable& Make(VariableFlags flags = 0, double minimum = 0, double maximum = 1, double initial = 0.5) {
        table_.Declare("IDS_TEST", 900, minimum, maximum, initial, kNoColour, kNoColour, flags);
        return *table_.ByName("IDS_TEST");
    }
    static std::vector<std::int32_t> Times(const Variable& v) {
        std::vector<std::int32_t> times;
        for (const KeyFrame& key : v.Keys()) times.push_back(key.time);
        return times;
    }
    VariableTable table_;
};

TEST_F(KeyFrameTest, InterpolatesLinearlyAndHoldsTheEnds) {
    Variable& v = Make();
    v.SetValueAt(0, 0.0);
    v.SetValueAt(1000, 1.0);
    struct Case { std::int32_t time; double value; };
    for (const Case c : {Case{250, 0.25}, {1000, 1.0}, {5000, 1.0}, {-100, 0.0}, {0, 0.0}, {500, 0.5}})
        EXPECT_DOUBLE_EQ(v.ValueAt(c.time), c.value) << "at " << c.time;
}

TEST_F(KeyFrameTest, StepHoldsTheEarlierKeyUntilTheNext) {
    Variable& v = Make(kStep);
    v.SetValueAt(0, 0.0);
    v.SetValueAt(1000, 1.0);
    EXPECT_DOUBLE_EQ(v.ValueAt(999), 0.0);
    EXPECT_DOUBLE_EQ(v.ValueAt(1000), 1.0);
}

TEST_F(KeyFrameTest, ReadsClampButStoredValuesDoNot) {
    Variable& v = Make(0, -1, 1, 5);
    EXPECT_DOUBLE_EQ(v.ValueAt(0), 1.0) << "a default above the range reads as the maximum";
    v.SetValueAt(0, -7);
    EXPECT_DOUBLE_EQ(v.ValueAt(0), -1.0);
    EXPECT_DOUBLE_EQ(v.Key(0).value, -7.0);
    v.SetValueAt(1000, 3);
    EXPECT_DOUBLE_EQ(v.ValueAt(500), -1.0) << "the interpolation (-2) is clamped after the fact";
}

TEST_F(KeyFrameTest, InterpolationOverTheWholeTimeAxisDoesNotOverflow) {
    Variable& v = Make(0, -10, 10, 0);
    v.SetValueAt(INT32_MIN, -1.0);
    v.SetValueAt(INT32_MAX, 1.0);
    EXPECT_NEAR(v.ValueAt(0), 0.0, 1e-6);
    EXPECT_NEAR(v.ValueAt(INT32_MAX - 1), 1.0, 1e-6);
}

TEST_F(KeyFrameTest, SettingAnExistingTimeChangesThatKey) {
    Variable& v = Make();
    EXPECT_EQ(v.SetValueAt(0, 0.1), 1);
    EXPECT_EQ(v.SetValueAt(500, 0.2), 1);
    EXPECT_EQ(v.SetValueAt(500, 0.3), 1);
    EXPECT_EQ(v.SetValueAt(1000, 0.4), 1);
    EXPECT_EQ(v.KeyCount(), 3);
    EXPECT_DOUBLE_EQ(v.ValueAt(500), 0.3);
    v.SetValueAt(1000, 0.9);
    EXPECT_EQ(v.KeyCount(), 3) << "setting at the last key's time changes it";
    EXPECT_DOUBLE_EQ(v.ValueAt(2000), 0.9);
}

TEST_F(KeyFrameTest, KeysStaySortedWhateverTheInsertionOrder) {
    Variable& v = Make();
    for (std::int32_t t : {500, -20, 1000, 0, 750, 250}) v.SetValueAt(t, 0.5);
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{-20, 0, 250, 500, 750, 1000}));
}

TEST_F(KeyFrameTest, SingleValueKeepsOneKeyAtTheFirstTime) {
    Variable& v = Make(kSingleValue);
    EXPECT_EQ(v.SetValueAt(0, 0.2), 1);
    EXPECT_EQ(v.SetValueAt(2000, 0.7), 0) << "no key was added";
    ASSERT_EQ(v.KeyCount(), 1);
    EXPECT_EQ(v.Key(0).time, 0);
    EXPECT_DOUBLE_EQ(v.Key(0).value, 0.7);
}

TEST_F(KeyFrameTest, NaNIsNeverStored) {
    Variable& v = Make();
    EXPECT_EQ(v.SetValueAt(0, std::nan("")), 0);
    EXPECT_EQ(v.KeyCount(), 0);
}

TEST_F(KeyFrameTest, NavigationSkipsTheKeyAtTheTime) {
    Variable& v = Make();
    for (std::int32_t t : {0, 1000, 2000}) v.SetValueAt(t, 0.5);
    EXPECT_EQ(v.NextKeyTime(1000), 2000);
    EXPECT_EQ(v.PreviousKeyTime(1000), 0);
    EXPECT_EQ(v.NextKeyTime(-5), 0);
    EXPECT_EQ(v.PreviousKeyTime(5000), 2000);
    EXPECT_FALSE(v.NextKeyTime(2000));
    EXPECT_FALSE(v.PreviousKeyTime(0));
}

TEST_F(KeyFrameTest, DeletesNeedAKeyExactlyAtTheTime) {
    Variable& v = Make();
    auto reset = [&] {
        v.ClearKeys();
        for (std::int32_t t : {0, 1000, 2000, 3000}) v.SetValueAt(t, t / 3000.0);
    };
    reset();
    EXPECT_EQ(v.DeletePreviousValues(1500), 0u);
    EXPECT_EQ(v.DeletePreviousValues(0), 0u) << "the first key has nothing before it";
    EXPECT_EQ(v.DeletePreviousValues(2000), kRepaint);
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{2000, 3000}));
    reset();
    EXPECT_EQ(v.DeleteFollowingValues(999), 0u);
    EXPECT_EQ(v.DeleteFollowingValues(1000), kRepaint);
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{0, 1000}));
    reset();
    EXPECT_FALSE(v.DeleteKeyAt(1));
    EXPECT_TRUE(v.DeleteKeyAt(3000));
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{0, 1000, 2000}));
    EXPECT_FALSE(v.HasKeyAt(3000));
}

TEST_F(KeyFrameTest, RevertRestoresCommittedValuesAndDropsAddedKeys) {
    Variable& v = Make();
    v.SetValueAt(0, 0.2);
    v.SetValueAt(1000, 0.4);
    v.Commit();
    EXPECT_FALSE(v.KeysChanged());
    v.SetValueAt(0, 0.9);
    EXPECT_EQ(v.Key(0).state, kKeyChanged);
    v.SetValueAt(500, 0.6);
    v.SetValueAt(0, 0.95);  // a second change keeps the committed value to go back to
    EXPECT_TRUE(v.KeysChanged());
    v.Revert();
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{0, 1000}));
    EXPECT_DOUBLE_EQ(v.Key(0).value, 0.2);
    EXPECT_EQ(v.Key(0).state, kKeyCommitted);
    EXPECT_FALSE(v.KeysChanged());
}

TEST_F(KeyFrameTest, RevertDoesNotBringBackDeletedKeys) {
    Variable& v = Make();
    for (std::int32_t t : {0, 1000, 2000}) v.SetValueAt(t, 0.1);
    v.Commit();
    v.DeleteKeyAt(1000);
    v.Revert();
    EXPECT_EQ(Times(v), (std::vector<std::int32_t>{0, 2000}));
}

TEST_F(KeyFrameTest, CopyKeysFollowsTheTargetsFlags) {
    Variable& source = Make();
    for (std::int32_t t : {0, 1000, 2000}) source.SetValueAt(t, t / 2000.0);
    table_.Declare("IDS_SINGLE", 901, 0, 1, 0, kNoColour, kNoColour, kSingleValue);
    Variable& single = *table_.ByName("IDS_SINGLE");
    single.SetValueAt(5, 0.3);
    single.CopyKeysFrom(source);
    ASSERT_EQ(single.KeyCount(), 1);
    EXPECT_EQ(single.Key(0).time, 0);
    EXPECT_DOUBLE_EQ(single.Key(0).value, 1.0);
    source.CopyKeysFrom(source);
    EXPECT_EQ(source.KeyCount(), 3) << "copying onto itself keeps the keys";
}

TEST_F(KeyFrameTest, GrowthKeepsRoomForTwoMoreKeys) {
    Variable& v = Make();
    EXPECT_EQ(v.KeyCapacity(), 0);
    v.SetValueAt(0, 0);
    EXPECT_EQ(v.KeyCapacity(), Variable::kGrowthStep);
    for (int i = 1; i < 99; ++i) v.SetValueAt(i, 0);
    EXPECT_EQ(v.KeyCapacity(), Variable::kGrowthStep) << "99 keys fit the first block";
    v.SetValueAt(99, 0);
    EXPECT_GT(v.KeyCapacity(), Variable::kGrowthStep);
    EXPECT_EQ(v.KeyCount(), 100);
}

// The search must find the last key at or before t, or key 0 before all.
TEST_F(KeyFrameTest, KeySearchMatchesALinearScanForEveryKeyCount) {
    std::mt19937 random(20261208);
    for (int count = 0; count <= 70; ++count) {
        Variable& v = Make();
        v.ClearKeys();
        std::vector<std::int32_t> times;
        std::uniform_int_distribution<std::int32_t> pick(-5000, 5000);
        while (int(times.size()) < count) {
            const std::int32_t t = pick(random);
            if (std::find(times.begin(), times.end(), t) == times.end()) times.push_back(t);
            v.SetValueAt(t, double(t));
        }
        std::sort(times.begin(), times.end());
        ASSERT_EQ(Times(v), times);
        std::vector<std::int32_t> probes(times.begin(), times.end());
        for (int i = 0; i < 60; ++i) probes.push_back(pick(random));
        probes.push_back(INT32_MIN);
        probes.push_back(INT32_MAX);
        for (std::int32_t t : probes) {
            int expected = count ? 0 : -1;
            for (int i = 0; i < count; ++i)
                if (times[std::size_t(i)] <= t) expected = i;
            const KeySearch hit = v.FindKey(t);
            ASSERT_EQ(hit.index, expected) << count << " keys, t=" << t;
            ASSERT_EQ(hit.exact, count > 0 && times[std::size_t(expected)] == t);
        }
    }
}

}  // namespace
}  // namespace vantrel
